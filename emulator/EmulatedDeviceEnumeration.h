#pragma once
// The present devices as the emulated chip shows them: its hardware IDs while it is plugged in.

#include "common/ports/DeviceEnumeration.h"
#include "emulator/Chip.h"

namespace emulator {

class EmulatedDeviceEnumeration final : public ports::DeviceEnumeration {
public:
    explicit EmulatedDeviceEnumeration(Chip& chip) : chip_(chip) {}
    std::optional<std::vector<ports::PresentDevice>> PresentDevices() const override { return chip_.PresentDevices(); }

private:
    Chip& chip_;
};

} // namespace emulator
