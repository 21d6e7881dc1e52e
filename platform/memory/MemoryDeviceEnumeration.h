#pragma once
// A settable list of present devices.

#include "common/ports/DeviceEnumeration.h"

namespace memory {

class MemoryDeviceEnumeration final : public ports::DeviceEnumeration {
public:
    std::optional<std::vector<ports::PresentDevice>> PresentDevices() const override
    {
        if (failing_)
            return std::nullopt;
        return devices_;
    }

    void Add(std::vector<std::wstring> hardwareIds) { devices_.push_back({std::move(hardwareIds)}); }
    void RemoveAll() { devices_.clear(); }
    void FailListing(bool failing = true) { failing_ = failing; }

private:
    std::vector<ports::PresentDevice> devices_;
    bool failing_ = false;
};

} // namespace memory
