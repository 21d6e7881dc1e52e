#pragma once
// The list of devices present in the system, with their hardware IDs.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ports {

struct PresentDevice {
    std::vector<std::wstring> hardwareIds; // the device's hardware-ID property, in its order
};

using PresentDeviceList = std::optional<std::vector<PresentDevice>>;

// A search that runs away from the caller's thread; letting go of it drops its result.
class PendingDeviceSearch {
public:
    virtual ~PendingDeviceSearch() = default;
};

class DeviceEnumeration {
public:
    using SearchDone = std::function<void(PresentDeviceList)>;

    virtual ~DeviceEnumeration() = default;
    // Every present device of every class, in the system's enumeration order; nullopt when the list
    // cannot be obtained.
    virtual PresentDeviceList PresentDevices() const = 0;

    // The same list, for a caller that must not wait for it. An adapter whose search is slow runs it on
    // a thread of its own and calls `done` later on the calling thread, between that thread's window
    // messages, unless the returned search has been let go by then. This default searches at once and
    // calls `done` inside the call.
    virtual std::unique_ptr<PendingDeviceSearch> SearchAway(SearchDone done) const
    {
        done(PresentDevices());
        return nullptr;
    }
};

} // namespace ports
