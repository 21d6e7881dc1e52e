#pragma once
// The wizard window as the installation worker reaches it: posted progress and completion, and message
// boxes owned by the wizard. Safe to call from the worker thread.

#include <string>

namespace ports {

class InstallerWindow {
public:
    virtual ~InstallerWindow() = default;
    virtual void PostProgress(int percent) = 0;
    virtual void PostFinished() = 0;
    // A message box with an OK button; returns when the user has closed it.
    virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
};

} // namespace ports
