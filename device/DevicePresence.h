#pragma once
// Whether the panel's device is there and answering: the detection at start-up and the readiness
// probe of arrival and poll. The panel's window state follows from the outcomes.

#include "common/ports/Clock.h"
#include "common/ports/DebugOutput.h"
#include "device/DeviceIdentification.h"
#include "device/FilterDriverChannel.h"
#include "device/ports/HidChannel.h"

#include <memory>

namespace device {

enum class DeviceOutcome {
    NoHid,         // no HID interface of the device
    MissingDriver, // HID interface present, filter-driver channel missing (start-up only)
    Active,
};

inline constexpr int kArrivalProbeAttempts = 5;
inline constexpr int kPollProbeAttempts = 10;
inline constexpr std::uint32_t kSetActiveRetryDelayMs = 10;

struct StartupDetection {
    Identification identification;
    std::unique_ptr<ports::HidInterface> keptHandle; // kept for the whole run when the device was found
    DeviceOutcome outcome = DeviceOutcome::NoHid;
};

struct DevicePorts {
    const ports::FileSystem& files;
    const ports::DeviceEnumeration& devices;
    ports::AudioSdk& sdk;
    ports::HidChannel& hid;
    FilterDriverChannel& channel;
    ports::Clock& clock;
    ports::DebugOutput& debug;
};

// "***** fnDLLQZ_SetActive_Device, ret = <result> *****".
void LogSetActiveFailure(ports::DebugOutput& debug, std::int32_t result);

// Identification with a second search when the first finds nothing, one retry of the SDK activation
// after 10 ms, the HID interface kept, and the filter-driver channel test.
StartupDetection DetectAtStartup(const DevicePorts& ports, const std::wstring& configPath);

enum class ProbeResult { NoHid, NoAnswer, Ready };

// Opens and at once closes the HID interface, then asks the device up to `attempts` times in a row
// whether it answers (audio command group 4, sub-command 0, value 0).
ProbeResult ProbeReadiness(ports::HidChannel& hid, ports::AudioSdk& sdk, DeviceIds ids, int attempts);

// A removal notification concerns the panel's device only when it is of the HID interface class and
// its interface path names the same VID and PID.
bool IsRemovalOfDevice(bool hidInterfaceClass, std::wstring_view interfacePath, DeviceIds device);

} // namespace device
