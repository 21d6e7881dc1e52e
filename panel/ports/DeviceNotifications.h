#pragma once
// Asks the system to report device-interface arrivals and removals of every class to the main window
// (as WM_DEVICECHANGE, which reaches the form as WindowEvents::OnDeviceChange).

namespace ports {

class DeviceNotifications {
public:
    virtual ~DeviceNotifications() = default;
    // Done once; the registration lasts as long as the window. False when the system refused it.
    virtual bool RegisterWindow() = 0;
};

} // namespace ports
