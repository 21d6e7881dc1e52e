#pragma once

#include "common/ports/DeviceEnumeration.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

// SetupAPI's list of present devices of all classes.
class Win32DeviceEnumeration final : public ports::DeviceEnumeration {
public:
    explicit Win32DeviceEnumeration(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    std::optional<std::vector<ports::PresentDevice>> PresentDevices() const override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
