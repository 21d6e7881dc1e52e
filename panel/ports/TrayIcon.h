#pragma once
// The program's icon in the notification area.

#include <string>

namespace ports {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Adds the icon, or changes it when it is there. An empty or unreadable icon file shows the
    // program's default icon. False when the shell refuses.
    virtual bool Show(const std::wstring& iconFile, const std::wstring& hint) = 0;
    virtual void Remove() = 0;
};

} // namespace ports
