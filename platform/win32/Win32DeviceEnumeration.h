#pragma once

#include "common/ports/DeviceEnumeration.h"

namespace win32 {

// SetupAPI's list of present devices of all classes.
class Win32DeviceEnumeration final : public ports::DeviceEnumeration {
public:
    std::optional<std::vector<ports::PresentDevice>> PresentDevices() const override;
};

} // namespace win32
