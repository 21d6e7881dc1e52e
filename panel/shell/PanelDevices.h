#pragma once
// The device side the control panel drives: the SDK library it loads at construction and the channels
// to the device. The real program passes the system's adapters, or the emulated device's when the user
// asked for it; tests pass the in-process emulated device.

#include "common/ports/DeviceEnumeration.h"
#include "device/ports/FilterDriver.h"
#include "device/ports/HidChannel.h"
#include "device/ports/AudioSdk.h"
#include "device/ports/WindowsAudio.h"

#include <memory>

namespace shell {

// Loads the audio SDK library and binds it: the loader's result code (0 bound, 1 not opened, else the
// position of the first missing entry point + 1), and the bound SDK when the result is 0.
class SdkSource {
public:
    virtual ~SdkSource() = default;
    virtual int Load(std::unique_ptr<ports::AudioSdk>& sdk) = 0;
};

struct PanelDevices {
    SdkSource& sdk;
    ports::HidChannel& hid;
    ports::FilterDriver& filterDriver;
    const ports::DeviceEnumeration& devices;
    ports::WindowsAudio& audio; // the device's microphone and Windows' own audio
    // The emulated device is driven; the window says so in its title.
    bool emulated = false;
};

} // namespace shell
