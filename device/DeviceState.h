#pragma once
// What the panel knows about the device it drives: its identity, whether it is active, and the HID
// handle kept from start-up. Device presence writes it; the sound features read it to decide whether
// and where to send.

#include "device/ports/HidChannel.h"

#include <cstdint>
#include <memory>

namespace device {

struct DeviceState {
    std::uint16_t deviceVid = 0;
    std::uint16_t devicePid = 0;
    std::unique_ptr<ports::HidInterface> m_hDevice; // the HID handle kept from start-up
    bool deviceActive = false;
    // Settings go to the device only while this is set: it follows the device's activation, and the
    // equalizer's reset and a profile load clear it while no device is active.
    bool synchronization = false;
    bool micProbeDone = false;
    int activationCount = 0;
};

} // namespace device
