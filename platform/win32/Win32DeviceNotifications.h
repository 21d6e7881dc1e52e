#pragma once
// The main window's registration for device-interface broadcasts, and the interface classes that the
// broadcasts the panel cares about name.

#include "panel/ports/DeviceNotifications.h"
#include "platform/win32/Handles.h"

#include <windows.h>

namespace win32 {

// The kernel-streaming audio category: the headset's audio interface.
inline constexpr GUID kAudioInterfaceClass{
    0x6994AD04, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
// The HID interface class: the headset's control channel, whose removal means the device went away.
inline constexpr GUID kHidInterfaceClass{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

struct DeviceNotifyTraits {
    using Handle = HDEVNOTIFY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle registration) { ::UnregisterDeviceNotification(registration); }
};
using DeviceNotifyHandle = UniqueHandle<DeviceNotifyTraits>;

class Win32DeviceNotifications final : public ports::DeviceNotifications {
public:
    // `window` outlives this object; the registration ends with it.
    explicit Win32DeviceNotifications(HWND window) : window_(window) {}

    bool RegisterWindow() override;

private:
    HWND window_;
    DeviceNotifyHandle registration_;
};

} // namespace win32
