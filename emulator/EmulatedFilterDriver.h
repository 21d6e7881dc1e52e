#pragma once
// The filter driver's channel, answered by the emulated chip: only its own "VexflPort" path of the
// plugged device opens, and only while the driver is installed.

#include "device/ports/FilterDriver.h"
#include "emulator/Chip.h"

namespace emulator {

class EmulatedFilterDriver final : public ports::FilterDriver {
public:
    explicit EmulatedFilterDriver(Chip& chip) : chip_(chip) {}
    std::unique_ptr<ports::FilterDriverHandle> OpenDevicePath(const std::wstring& path) override;

private:
    Chip& chip_;
};

} // namespace emulator
