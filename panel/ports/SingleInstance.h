#pragma once
// What the single-instance rule needs from the session: a named mutex that marks a running panel, and
// the running panel's application window.

#include <cstdint>
#include <optional>
#include <string>

namespace ports {

// A window of another process, by its handle value.
struct WindowRef {
    std::uintptr_t value = 0;
    bool operator==(const WindowRef&) const = default;
};

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when a mutex of that name exists in the session.
    virtual bool NamedMutexExists(const std::wstring& name) = 0;
    // Creates the mutex without taking it; it lives as long as the process.
    virtual bool HoldNamedMutex(const std::wstring& name) = 0;
    // Empties the caption of this process's own application window, when it has one.
    virtual void ClearOwnApplicationCaption() = 0;
    virtual std::optional<WindowRef> FindTopLevelWindow(const std::wstring& className, const std::wstring& caption) = 0;
    virtual bool IsWindowMinimized(WindowRef window) = 0;
    virtual void RestoreWindow(WindowRef window) = 0;
    // Top of the z-order and the foreground window.
    virtual void BringWindowForward(WindowRef window) = 0;
};

} // namespace ports
