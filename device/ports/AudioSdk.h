#pragma once
// The chip maker's audio SDK as the panel calls it: one member per entry point, named and typed as the
// library exports it (device/SdkEntryPoints.h holds the list). The Windows adapter forwards to the
// loaded library; native tests and the emulated device answer from the emulated chip.

#include "device/SdkEntryPoints.h"

namespace ports {

class AudioSdk {
public:
    virtual ~AudioSdk() = default;

#define TONVIO_SDK_PORT_MEMBER(name, params, args) virtual std::int32_t name params = 0;
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_PORT_MEMBER)
#undef TONVIO_SDK_PORT_MEMBER
};

} // namespace ports
