#include "device/DevicePresence.h"

#include "common/Text.h"
#include "device/AudioCommand.h"

namespace device {

void LogSetActiveFailure(ports::DebugOutput& debug, std::int32_t result)
{
    debug.Write(FormatText(255, L"***** fnDLLQZ_SetActive_Device, ret = %d *****", result));
}

StartupDetection DetectAtStartup(const DevicePorts& ports, const std::wstring& configPath)
{
    StartupDetection detection;
    detection.identification = IdentifyDevice(ports.files, ports.devices, ports.sdk, configPath, 2);
    const DeviceIds ids = detection.identification.ids;
    if (detection.identification.setActiveResult != 0) {
        LogSetActiveFailure(ports.debug, detection.identification.setActiveResult);
        ports.clock.SleepMs(kSetActiveRetryDelayMs);
        detection.identification.setActiveResult = ports.sdk.DLLQZ_SetActive_Device(ids.vid, ids.pid);
    }

    detection.keptHandle = ports.hid.OpenFirst(ids.vid, ids.pid);
    if (!detection.keptHandle)
        detection.outcome = DeviceOutcome::NoHid;
    else if (ports.channel.IsChannelMissing(ids.vid, ids.pid))
        detection.outcome = DeviceOutcome::MissingDriver;
    else
        detection.outcome = DeviceOutcome::Active;
    return detection;
}

ProbeResult ProbeReadiness(ports::HidChannel& hid, ports::AudioSdk& sdk, DeviceIds ids, int attempts)
{
    if (!hid.OpenFirst(ids.vid, ids.pid))
        return ProbeResult::NoHid;
    for (int attempt = 0; attempt < attempts; ++attempt)
        if (SendAudioCommandValue(sdk, kNoiseCancellationGroup, kOnOffSubCommand, 0) == 0)
            return ProbeResult::Ready;
    return ProbeResult::NoAnswer;
}

bool IsRemovalOfDevice(bool hidInterfaceClass, std::wstring_view interfacePath, DeviceIds device)
{
    return hidInterfaceClass && ParseDeviceIds(interfacePath) == device;
}

} // namespace device
