#pragma once
// Plugging and unplugging the emulated chip reaches the panel as Windows reports the real headset's:
// WM_DEVICECHANGE broadcasts, sent to the panel's window, naming the device's audio interface and its
// HID interface (arrivals on plug-in, DBT_DEVICEREMOVECOMPLETE on removal, the audio one first). The
// paths carry the chip's VID and PID as a USB device's do, e.g.
// "\\?\HID#VID_4D2F&PID_4802&MI_03#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}".
//
// The chip changes in other processes (the control tool) that cannot signal the panel, so it is looked
// at on a timer. The timer belongs to a message-only window of this object, on the GUI thread: every look
// runs between the panel's other messages, and the broadcasts reach the window procedure in order, one
// after the other, as the system's own sent messages do. A watching thread would send across threads
// instead, and would deadlock at the end when the GUI thread waits for it while it waits for the GUI
// thread. Its own window keeps its timer apart from the panel's timer ids.

#include "emulator/Chip.h"
#include "platform/win32/Win32UiHandles.h"

#include <windows.h>

#include <cstdint>

namespace emulator {

inline constexpr UINT kPresenceWatchIntervalMs = 100;

class EmulatedDeviceNotifier {
public:
    // Made on the thread of `target`, which its looks run on. The chip's state now is the starting point:
    // only later changes are broadcast.
    EmulatedDeviceNotifier(Chip& chip, HWND target, UINT intervalMs = kPresenceWatchIntervalMs);
    EmulatedDeviceNotifier(const EmulatedDeviceNotifier&) = delete;
    EmulatedDeviceNotifier& operator=(const EmulatedDeviceNotifier&) = delete;
    ~EmulatedDeviceNotifier();

    // False when the system gave no window or timer: nothing is broadcast then.
    bool Watching() const { return watching_; }

private:
    struct PlugState {
        bool plugged = false;
        std::uint32_t generation = 0; // tells a new plug-in, even one between two looks
        std::uint16_t vid = 0;
        std::uint16_t pid = 0;
        bool operator==(const PlugState&) const = default;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    PlugState Read();
    void Look();

    Chip& chip_;
    HWND target_;
    PlugState seen_;
    bool sending_ = false;
    bool watching_ = false;
    win32::WindowHandle watcher_;
};

} // namespace emulator
