#include "sound/AudioEndpoints.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sound {

namespace {
constexpr int kNoInterface = 2;  // the volume interface cannot be activated
constexpr int kCallFailed = 3;   // the step query, or the volume's set, failed
constexpr int kMixerDone = 1;
constexpr int kMixerNotDone = 0;
} // namespace

AudioEndpoints::~AudioEndpoints()
{
    // However the panel ends, nothing of Windows audio stays open behind it.
    StopRecordAndReplay();
    StopCapture();
    StopTestSound();
}

const std::wstring& AudioEndpoints::SearchCaptureDevice()
{
    captureName_ = FindCaptureDeviceName(audio_.CaptureDevices(), device_.state.deviceVid, device_.state.devicePid);
    return captureName_;
}

bool AudioEndpoints::HasCaptureEndpoint()
{
    SearchCaptureDevice();
    endpoint_ = FindCaptureEndpoint(audio_.ActiveCaptureEndpoints(), captureName_);
    return endpoint_.has_value();
}

std::optional<std::wstring> AudioEndpoints::OperationEndpoint()
{
    if (endpoint_)
        return endpoint_;
    SearchCaptureDevice();
    return FindCaptureEndpoint(audio_.ActiveCaptureEndpoints(), captureName_);
}

MicOutcome AudioEndpoints::VolumeCall(const std::function<ports::AudioResult(ports::EndpointVolume&)>& call,
                                      int failedCallResult)
{
    const std::optional<std::wstring> endpoint = OperationEndpoint();
    std::unique_ptr<ports::EndpointVolume> volume = endpoint ? audio_.ActivateVolume(*endpoint) : nullptr;
    if (!volume)
        return {false, kNoInterface};
    const ports::AudioResult result = call(*volume);
    if (!ports::AudioSucceeded(result))
        return {false, failedCallResult != 0 ? failedCallResult : static_cast<int>(result)};
    return {true, failedCallResult != 0 ? 0 : static_cast<int>(result)};
}

MicOutcome AudioEndpoints::GainControl(bool set, bool& on)
{
    const std::optional<std::wstring> endpoint = OperationEndpoint();
    if (!endpoint)
        return {false, static_cast<int>(ports::GainControlWalk::Enumerator)};
    const ports::GainControlOutcome outcome = audio_.AutoGainControl(*endpoint, set, on);
    if (outcome.failedStep != 0)
        return {false, outcome.failedStep};
    return {ports::AudioSucceeded(outcome.result), static_cast<int>(outcome.result)};
}

MicOutcome AudioEndpoints::Mixer(sound::MixerOperation operation, std::int32_t& value)
{
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    const int result = MixerOperation(operation, value, minimum, maximum);
    return {result == kMixerDone, result};
}

MicOutcome AudioEndpoints::GetVolume(int& percent)
{
    if (!EndpointBackEnd()) {
        std::int32_t value = 0;
        std::int32_t minimum = 0;
        std::int32_t maximum = 0;
        const int result = MixerOperation(MixerOperation::GetVolume, value, minimum, maximum);
        if (result == kMixerDone)
            percent = MixerPercent(value, minimum, maximum);
        return {result == kMixerDone, result};
    }
    return VolumeCall(
        [&percent](ports::EndpointVolume& volume) {
            std::uint32_t step = 0;
            std::uint32_t count = 0;
            const ports::AudioResult result = volume.GetVolumeStepInfo(step, count);
            if (ports::AudioSucceeded(result))
                percent = VolumeFromSteps(step, count);
            return result;
        },
        kCallFailed);
}

MicOutcome AudioEndpoints::SetVolume(int percent)
{
    if (!EndpointBackEnd()) {
        // The control counts in its own range, in which the read gives per cent back: the per cent is
        // written as that share of the range.
        std::int32_t value = 0;
        std::int32_t minimum = 0;
        std::int32_t maximum = 0;
        if (MixerOperation(MixerOperation::GetVolume, value, minimum, maximum) != kMixerDone)
            return {false, kMixerNotDone};
        value = MixerValueOfPercent(std::clamp(percent, 0, 100), minimum, maximum);
        return Mixer(MixerOperation::SetVolume, value);
    }
    const float level = static_cast<float>(std::clamp(percent, 0, 100)) * 0.01f;
    return VolumeCall([level](ports::EndpointVolume& volume) { return volume.SetMasterVolumeLevelScalar(level); },
                      kCallFailed);
}

MicOutcome AudioEndpoints::GetMute(bool& muted)
{
    if (!EndpointBackEnd()) {
        std::int32_t value = 0;
        const MicOutcome outcome = Mixer(MixerOperation::GetMute, value);
        if (outcome.succeeded)
            muted = value != 0;
        return outcome;
    }
    return VolumeCall([&muted](ports::EndpointVolume& volume) { return volume.GetMute(muted); }, 0);
}

MicOutcome AudioEndpoints::SetMute(bool muted)
{
    if (!EndpointBackEnd()) {
        std::int32_t value = muted ? 1 : 0;
        return Mixer(MixerOperation::SetMute, value);
    }
    return VolumeCall([muted](ports::EndpointVolume& volume) { return volume.SetMute(muted); }, 0);
}

MicOutcome AudioEndpoints::GetBoost(bool& on)
{
    if (!EndpointBackEnd()) {
        std::int32_t value = 0;
        const MicOutcome outcome = Mixer(MixerOperation::GetBoost, value);
        if (outcome.succeeded)
            on = value != 0;
        return outcome;
    }
    return GainControl(false, on);
}

MicOutcome AudioEndpoints::SetBoost(bool on)
{
    if (!EndpointBackEnd()) {
        std::int32_t value = on ? 1 : 0;
        return Mixer(MixerOperation::SetBoost, value);
    }
    return GainControl(true, on);
}

int AudioEndpoints::MixerOperation(sound::MixerOperation operation, std::int32_t& value, std::int32_t& minimum,
                                   std::int32_t& maximum)
{
    SearchCaptureDevice();
    const std::uint32_t controlType = MixerControlType(operation);
    const std::uint32_t count = audio_.MixerCount();
    for (std::uint32_t index = 0; index < count; ++index) {
        // Each mixer closes before the next one opens: the object goes at the end of its turn.
        const std::unique_ptr<ports::MixerDevice> mixer = audio_.OpenMixer(index);
        if (!mixer)
            continue;
        ports::MixerLineEntry destination;
        if (!mixer->WaveInDestination(destination) || !MixerNamesMatch(destination.targetProductName, captureName_))
            continue;
        ports::MixerControlEntry control;
        bool found = mixer->ControlByType(destination.lineId, controlType, control);
        for (std::uint32_t source = 0; !found && source < destination.sourceCount; ++source) {
            ports::MixerLineEntry line;
            if (!mixer->SourceLine(destination.destination, source, line))
                continue;
            if (line.componentType == kMixerSourceMicrophone || line.componentType == kMixerSourceUndefined)
                found = mixer->ControlByType(line.lineId, controlType, control);
        }
        if (!found)
            continue;
        if (MixerWrites(operation))
            return mixer->WriteValue(control, value) ? kMixerDone : kMixerNotDone;
        if (!mixer->ReadValue(control, value))
            return kMixerNotDone;
        minimum = control.minimum;
        maximum = control.maximum;
        return kMixerDone;
    }
    return kMixerNotDone;
}

void AudioEndpoints::StartCapture()
{
    if (audio_.CaptureOpen())
        return;
    audio_.StartCapture([this](std::span<const std::uint8_t> buffer) {
        if (sink_)
            sink_(buffer);
    });
}

void AudioEndpoints::StopCapture()
{
    if (audio_.CaptureOpen())
        audio_.StopCapture();
}

void AudioEndpoints::SwitchListening(bool on)
{
    const std::array<std::uint8_t, 16> value = ListenValueBytes(on);
    for (const ports::ListenEndpointEntry& endpoint : audio_.ListenEndpoints()) {
        const std::wstring path = endpoint.devicePath.substr(0, kEndpointDevicePathChars);
        if (ListenPathMatches(path, device_.state.deviceVid, device_.state.devicePid))
            audio_.WriteListenValues(endpoint.subkey, value);
    }
}

ServiceRestartResult AudioEndpoints::RestartAudioService()
{
    // A service that cannot even be reached cannot be started either.
    const std::unique_ptr<ports::ServiceManagerConnection> manager = device_.platform.services.Connect();
    const std::unique_ptr<ports::Service> service =
        manager ? manager->Open(kAudioServiceName, ports::ServiceAccess::All) : nullptr;
    if (!service)
        return ServiceRestartResult::StartRefused;
    if (service->QueryState() == ports::ServiceState::Running) {
        if (!service->Control(ports::kServiceControlStop))
            return ServiceRestartResult::StopRefused;
        bool stopped = false;
        for (int query = 0; query < kServiceStopQueries && !stopped; ++query)
            stopped = service->QueryState() == ports::ServiceState::Stopped;
        if (!stopped)
            return ServiceRestartResult::DidNotStop;
    }
    return service->Start() ? ServiceRestartResult::Ok : ServiceRestartResult::StartRefused;
}

bool AudioEndpoints::StartRecordAndReplay()
{
    if (audio_.Recording())
        return true;
    return audio_.StartRecording(RecordTestPath());
}

void AudioEndpoints::ReplayTick()
{
    if (audio_.Recording())
        audio_.Replay();
}

void AudioEndpoints::StopRecordAndReplay()
{
    if (audio_.Recording())
        audio_.StopRecording();
}

bool AudioEndpoints::StartTestSound(const std::wstring& programFolder)
{
    StopTestSound();
    testSound_ = true;
    return audio_.OpenMedia(programFolder + kTestSoundFileName) && audio_.PlayMedia();
}

void AudioEndpoints::StopTestSound()
{
    if (std::exchange(testSound_, false))
        audio_.CloseMedia();
}

void AudioEndpoints::TestSoundTick()
{
    if (testSound_ && audio_.MediaAtEnd())
        audio_.PlayMedia();
}

} // namespace sound
