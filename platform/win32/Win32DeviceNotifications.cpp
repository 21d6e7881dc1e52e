#include "platform/win32/Win32DeviceNotifications.h"

#include "platform/win32/Win32Failure.h"

#include <dbt.h>

namespace win32 {

bool Win32DeviceNotifications::RegisterWindow()
{
    // Every interface class is asked for, whatever the filter names: the audio class alone would never
    // report the HID interface, and the HID interface's removal is the one the panel acts on.
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kAudioInterfaceClass;
    registration_.Reset(::RegisterDeviceNotificationW(
        window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES));
    if (!registration_)
        ReportLastError(SystemDebugOutput(), L"RegisterDeviceNotificationW");
    return registration_.Valid();
}

} // namespace win32
