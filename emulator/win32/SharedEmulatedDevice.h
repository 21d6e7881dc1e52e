#pragma once
// The emulated device over the shared chip: the same SDK, HID, filter-driver and device-enumeration
// adapters as the in-process EmulatedDevice, so the panel, the stand-in SDK library and the control
// tool all act on one chip.

#include "emulator/EmulatedDeviceEnumeration.h"
#include "emulator/EmulatedFilterDriver.h"
#include "emulator/EmulatedHid.h"
#include "emulator/EmulatedSdk.h"
#include "emulator/win32/SharedChip.h"

#include <memory>

namespace emulator {

class SharedEmulatedDevice {
public:
    // Null when the shared chip cannot be opened; `error` then holds the system's error code.
    static std::unique_ptr<SharedEmulatedDevice> Open(unsigned long& error, const std::wstring& name = kSharedChipName);

    explicit SharedEmulatedDevice(std::unique_ptr<SharedChip> shared);

    SharedChip& shared() { return *shared_; }
    Chip& chip() { return shared_->chip(); }
    EmulatedSdk& sdk() { return sdk_; }
    EmulatedHid& hid() { return hid_; }
    EmulatedFilterDriver& filterDriver() { return filterDriver_; }
    EmulatedDeviceEnumeration& enumeration() { return enumeration_; }

private:
    std::unique_ptr<SharedChip> shared_;
    EmulatedSdk sdk_;
    EmulatedHid hid_;
    EmulatedFilterDriver filterDriver_;
    EmulatedDeviceEnumeration enumeration_;
};

// True when the user asked for the emulated device: the environment variable TONVIO_EMULATED_DEVICE is
// "1". The panel never falls back to it on its own.
bool EmulatedDeviceRequested();

} // namespace emulator
