#pragma once
// What the window host reports to the form it shows. Everything arrives on the GUI thread.

#include <cstdint>
#include <string>

namespace ports {

// A mouse message as the application-wide hook sees it, before any window gets it.
struct HookedMouse {
    enum class Kind { Move, LeftDown, LeftUp } kind = Kind::Move;
    int screenX = 0;
    int screenY = 0;
    int clientX = 0; // in the main window
    int clientY = 0;
};

// One WM_DEVICECHANGE as the window received it.
struct DeviceChange {
    enum class Event { Arrival, RemoveComplete, Other } event = Event::Other;
    bool deviceInterface = false; // the broadcast names a device interface
    bool hidClass = false;        // ... of the HID interface class
    std::wstring interfacePath;   // the interface's path name, when it names one
};

class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void OnActivate() = 0;
    // Every registered message (ids from 0xC000) the window receives.
    virtual void OnRegisteredMessage(std::uint32_t message) = 0;
    virtual void OnSystemMinimize() = 0;
    virtual void OnSystemRestore() = 0;
    // Left button on the window's own surface, in client coordinates.
    virtual void OnMouseDown(int x, int y) = 0;
    virtual void OnMouseUp(int x, int y) = 0;
    virtual void OnHookedMouse(const HookedMouse& mouse) = 0;
    // A device change; the host processes pending messages after it and then lets the system's default
    // handling run.
    virtual void OnDeviceChange(const DeviceChange& change) = 0;
    // A check box of the form was clicked; the form's control already shows its new check mark.
    virtual void OnCheckBoxClick(const std::wstring&) {}
    virtual void OnTrayDoubleClick() = 0;
    virtual void OnTrayRightButtonUp() = 0;
    // The window is going; it runs once.
    virtual void OnDestroy() = 0;
};

} // namespace ports
