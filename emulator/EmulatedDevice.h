#pragma once
// One emulated device in this process: the chip state, its lock, the chip and the four adapters the
// panel reaches it through. Native tests and a single-process demo use it; processes that share the
// chip state build the same parts over a shared block instead.

#include "emulator/Chip.h"
#include "emulator/EmulatedDeviceEnumeration.h"
#include "emulator/EmulatedFilterDriver.h"
#include "emulator/EmulatedHid.h"
#include "emulator/EmulatedSdk.h"

#include <memory>

namespace emulator {

class EmulatedDevice {
public:
    EmulatedDevice();

    Chip& chip() { return chip_; }
    EmulatedSdk& sdk() { return sdk_; }
    EmulatedHid& hid() { return hid_; }
    EmulatedFilterDriver& filterDriver() { return filterDriver_; }
    EmulatedDeviceEnumeration& enumeration() { return enumeration_; }

private:
    std::unique_ptr<ChipState> state_; // large: kept off the stack
    InProcessStateLock lock_;
    Chip chip_;
    EmulatedSdk sdk_;
    EmulatedHid hid_;
    EmulatedFilterDriver filterDriver_;
    EmulatedDeviceEnumeration enumeration_;
};

} // namespace emulator
