#pragma once
// The device's HID interface through SetupAPI and the HID class driver.

#include "device/ports/HidChannel.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

class Win32HidChannel final : public ports::HidChannel {
public:
    // Failed calls are written to `debug` with their code; so is every interface that cannot be opened
    // on the way (another program's device may refuse the access).
    explicit Win32HidChannel(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    // Walks the present HID interfaces in the system's order and keeps the first whose attributes carry
    // this VID and PID; every other handle opened on the way is closed again.
    std::unique_ptr<ports::HidInterface> OpenFirst(std::uint16_t vid, std::uint16_t pid) override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
