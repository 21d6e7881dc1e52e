#pragma once
// The device's HID interface, answered by the emulated chip. A handle stays tied to the plug-in it was
// opened in: after an unplug it reports no lengths and takes no reports, even once the device is back.

#include "device/ports/HidChannel.h"
#include "emulator/Chip.h"

namespace emulator {

class EmulatedHid final : public ports::HidChannel {
public:
    explicit EmulatedHid(Chip& chip) : chip_(chip) {}
    std::unique_ptr<ports::HidInterface> OpenFirst(std::uint16_t vid, std::uint16_t pid) override;

private:
    Chip& chip_;
};

} // namespace emulator
