#pragma once
// What the emulated SDK answers. 0 is the only success; the panel tests for non-zero only, so the
// other values just tell tests and the request record why a call failed.

#include <cstdint>

namespace emulator {

enum SdkStatus : std::int32_t {
    kSdkOk = 0,
    kSdkNoDevice = 1,      // unplugged, not made active, or a handle from before an unplug
    kSdkBadArgument = 2,   // device index other than 0, null pointer, wrong length, value out of range
    kSdkNoAnswer = 3,      // nothing answers at this bus address or command; the chip not ready yet
    kSdkInjectedFault = 4, // a fault rule struck
};

} // namespace emulator
