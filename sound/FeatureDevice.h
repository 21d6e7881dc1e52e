#pragma once
// What every sound feature's model drives: the device through the SDK, the HID register channel and the
// filter driver, with the platform for the registry, the clock and the debug output. The main window
// owns all of it and lends the same view to each model; a model owns its own settings.

#include "common/ports/Platform.h"
#include "device/DeviceState.h"
#include "device/FilterDriverChannel.h"
#include "device/ports/AudioSdk.h"
#include "device/ports/HidChannel.h"

#include <memory>

namespace sound {

// The SDK's calls that take a device index always address the first device.
inline constexpr std::int32_t kSdkDeviceIndex = 0;

struct FeatureDevice {
    const ports::Platform& platform;
    const std::unique_ptr<ports::AudioSdk>& sdk; // bound at construction; null until then
    ports::HidChannel& hid;
    device::FilterDriverChannel& channel;
    device::DeviceState& state; // the equalizer's reset and a profile load may clear its synchronization

    // The bound SDK; null before construction bound it.
    ports::AudioSdk* Sdk() const { return sdk.get(); }
    // A fresh HID handle to the driven device, closed when the caller drops it; null when it does not open.
    std::unique_ptr<ports::HidInterface> OpenHid() const { return hid.OpenFirst(state.deviceVid, state.devicePid); }
    bool Active() const { return state.deviceActive; }
    bool Synchronized() const { return state.synchronization; }
};

} // namespace sound
