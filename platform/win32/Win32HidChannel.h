#pragma once
// The device's HID interface through SetupAPI and the HID class driver.

#include "device/ports/HidChannel.h"

namespace win32 {

class Win32HidChannel final : public ports::HidChannel {
public:
    // Walks the present HID interfaces in the system's order and keeps the first whose attributes carry
    // this VID and PID; every other handle opened on the way is closed again.
    std::unique_ptr<ports::HidInterface> OpenFirst(std::uint16_t vid, std::uint16_t pid) override;
};

} // namespace win32
