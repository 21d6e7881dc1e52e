#pragma once
// The single-instance rule's session: the named mutex and the running panel's window.

#include "panel/ports/SingleInstance.h"
#include "platform/win32/Handles.h"

#include <windows.h>

namespace win32 {

class Win32SingleInstance final : public ports::SingleInstance {
public:
    bool NamedMutexExists(const std::wstring& name) override;
    // The handle stays open for the life of this object, which is the life of the process.
    bool HoldNamedMutex(const std::wstring& name) override;
    // This process has no window yet when the rule runs; one set with OwnWindow is cleared.
    void ClearOwnApplicationCaption() override;
    std::optional<ports::WindowRef> FindTopLevelWindow(const std::wstring& className,
                                                       const std::wstring& caption) override;
    bool IsWindowMinimized(ports::WindowRef window) override;
    void RestoreWindow(ports::WindowRef window) override;
    void BringWindowForward(ports::WindowRef window) override;

    void OwnWindow(HWND window) { ownWindow_ = window; }

private:
    KernelHandle mutex_;
    HWND ownWindow_ = nullptr;
};

} // namespace win32
