#pragma once
// The list of devices present in the system, with their hardware IDs.

#include <optional>
#include <string>
#include <vector>

namespace ports {

struct PresentDevice {
    std::vector<std::wstring> hardwareIds; // the device's hardware-ID property, in its order
};

class DeviceEnumeration {
public:
    virtual ~DeviceEnumeration() = default;
    // Every present device of every class, in the system's enumeration order; nullopt when the list
    // cannot be obtained.
    virtual std::optional<std::vector<PresentDevice>> PresentDevices() const = 0;
};

} // namespace ports
