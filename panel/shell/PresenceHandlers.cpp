#include "panel/shell/PresenceHandlers.h"

#include <utility>

namespace shell {

namespace {

// Clears the running flag however the handlers end, unless the poll still waits for its search.
class EndOfRun {
public:
    EndOfRun(bool& running, const bool& searching) : running_(running), searching_(searching) {}
    ~EndOfRun()
    {
        if (!searching_)
            running_ = false;
    }
    EndOfRun(const EndOfRun&) = delete;
    EndOfRun& operator=(const EndOfRun&) = delete;

private:
    bool& running_;
    const bool& searching_;
};

} // namespace

PresenceHandlers::PresenceHandlers(LifecycleState& state, PresenceSteps& steps, PresenceDevice device,
                                   PresenceSettings settings)
    : state_(state), steps_(steps), device_(device), settings_(std::move(settings))
{
}

void PresenceHandlers::DetectAtStartup()
{
    const device::DevicePorts ports{device_.files,   device_.devices, *device_.sdk, device_.hid,
                                    device_.channel, device_.clock,   device_.debug};
    device::StartupDetection detection = device::DetectAtStartup(ports, settings_.configPath);
    state_.deviceVid = detection.identification.ids.vid;
    state_.devicePid = detection.identification.ids.pid;
    state_.m_hDevice = std::move(detection.keptHandle);
    const bool active = detection.outcome == device::DeviceOutcome::Active;
    state_.deviceActive = active;
    state_.synchronization = active;
    steps_.ShowOutcome(detection.outcome);
    if (!active)
        steps_.EnablePresencePoll(true);
}

void PresenceHandlers::DeviceArrival()
{
    Run({Request::Arrival, false, {}});
}

void PresenceHandlers::Timer1Timer()
{
    Run({Request::Poll, false, {}});
}

void PresenceHandlers::DeviceRemoval(bool hidClass, const std::wstring& interfacePath)
{
    Run({Request::Removal, hidClass, interfacePath});
}

void PresenceHandlers::OnDeviceChange(const ports::DeviceChange& change)
{
    if (change.deviceInterface) {
        if (change.event == ports::DeviceChange::Event::Arrival)
            DeviceArrival();
        else if (change.event == ports::DeviceChange::Event::RemoveComplete)
            DeviceRemoval(change.hidClass, change.interfacePath);
    }
    steps_.ProcessPendingMessages();
}

void PresenceHandlers::Run(Pending request)
{
    if (running_) {
        if (request.request == Request::Poll)
            return;
        if (request.request == Request::Arrival) {
            const Request last = pending_.empty() ? runningRequest_ : pending_.back().request;
            if (last == Request::Arrival)
                return;
        }
        pending_.push_back(std::move(request));
        return;
    }
    running_ = true;
    const EndOfRun end(running_, searching_);
    RunNow(request);
    RunPending();
}

void PresenceHandlers::RunPending()
{
    while (!searching_ && !pending_.empty()) {
        const Pending next = std::move(pending_.front());
        pending_.pop_front();
        RunNow(next);
    }
}

void PresenceHandlers::RunNow(const Pending& request)
{
    runningRequest_ = request.request;
    switch (request.request) {
    case Request::Arrival:
        Arrival();
        break;
    case Request::Poll:
        Poll();
        break;
    case Request::Removal:
        Removal(request.hidClass, request.interfacePath);
        break;
    }
}

bool PresenceHandlers::Identify()
{
    const device::Identification identification =
        device::IdentifyDevice(device_.files, device_.devices, *device_.sdk, settings_.configPath);
    state_.deviceVid = identification.ids.vid;
    state_.devicePid = identification.ids.pid;
    if (identification.setActiveResult != 0)
        device::LogSetActiveFailure(device_.debug, identification.setActiveResult);
    return identification.found;
}

void PresenceHandlers::MicrophoneProbeOnce()
{
    if (state_.micProbeDone)
        return;
    if (steps_.HasCaptureEndpoint() || state_.osKind != kOsKindEndpoints) {
        steps_.RunMicrophoneProbe();
        state_.micProbeDone = true;
    }
}

void PresenceHandlers::ActiveOutcome()
{
    state_.deviceActive = true;
    state_.synchronization = true;
}

void PresenceHandlers::Arrival()
{
    device_.debug.Write(L"DeviceArrival1");
    device_.clock.SleepMs(kArrivalSettleMs);
    MicrophoneProbeOnce();
    steps_.MicMuteAndMonitorOff();
    steps_.EmptyMicMeter();
    if (state_.m_hDevice) {
        device_.debug.Write(L"m_hDevice != NULL");
        return;
    }
    if (!Identify()) {
        device_.debug.Write(L"bResult = 0");
        return;
    }

    const device::DeviceIds ids{state_.deviceVid, state_.devicePid};
    switch (device::ProbeReadiness(device_.hid, *device_.sdk, ids, device::kArrivalProbeAttempts)) {
    case device::ProbeResult::NoAnswer:
        return;
    case device::ProbeResult::NoHid:
        state_.deviceActive = false;
        state_.synchronization = false;
        steps_.EnablePresencePoll(true);
        steps_.ShowOutcome(device::DeviceOutcome::NoHid);
        break;
    case device::ProbeResult::Ready:
        if (!device_.channel.IsChannelMissing(ids.vid, ids.pid))
            device_.debug.Write(L"***** KVQ_Set_DEVICE_SYMBOLIC_NAME Success *****");
        ActiveOutcome();
        if (settings_.encButtonMode == 1)
            steps_.StartEncButtonScan();
        steps_.ShowOutcome(device::DeviceOutcome::Active);
        break;
    }

    if (!state_.deviceActive)
        steps_.EnablePresencePoll(true);
    else
        ReapplyAfterArrival();
}

void PresenceHandlers::ReapplyAfterArrival()
{
    steps_.ApplyLedLineState();
    steps_.ReleaseCaptureEndpoint();
    steps_.NoiseCancellationFromRegistry();
    steps_.ShowNoiseCancellationPage();
    steps_.VoiceEffectFromRegistry();
    steps_.ShowVoiceEffectPage();
    steps_.LayOutCurrentPage();
    steps_.ProcessPendingMessages();

    if (steps_.EqualizerTakenFromDevice()) {
        steps_.ConfirmEqualizerEnable();
        steps_.ConfirmEqualizerEnable();
    } else if (steps_.DefaultEqualizerSwitch() == 1) {
        steps_.SwitchEqualizerOn();
    }
    steps_.SetVirtualEnabled(steps_.DefaultVirtualSwitch());
    if (settings_.exclusive3DV7ch1 == 1) {
        if (steps_.VirtualEnabled() != 0)
            steps_.Switch3DOff();
    } else if (steps_.D3TakenFromDevice()) {
        steps_.Confirm3DEnable();
        steps_.Confirm3DEnable();
    } else if (steps_.Default3DSwitch() == 1) {
        steps_.Switch3DOn();
    }
    steps_.ShowVirtualSwitch();
    steps_.LayOutCurrentPage();

    steps_.FilterDriverStatusRequest();
    const int enabled = steps_.VirtualEnabled();
    SendVirtualWithRetry(enabled, enabled);
    PageFourVirtualRule();
    steps_.FilterDriverControlRequest();
    CountActivation();
    steps_.LayOutCurrentPage();
    steps_.ShowOutcome(device::DeviceOutcome::Active);
}

void PresenceHandlers::Poll()
{
    // An arrival that activates the device leaves the poll running. Its next tick would otherwise re-send
    // every setting with virtual 7.1 off (switching the effect off on the device while its button shows
    // on) and count a second activation; with the device already active it only stops the poll.
    if (state_.deviceActive) {
        steps_.EnablePresencePoll(false);
        return;
    }
    device_.debug.Write(L"DeviceArrivalforTimer1");
    auto accepted = std::make_shared<device::AcceptedDeviceIds>(device_.files);
    device::LoadAcceptedDeviceIds(*accepted, settings_.configPath);
    searching_ = true;
    startingSearch_ = true;
    pollSearch_ = device_.devices.SearchAway([this, accepted](ports::PresentDeviceList present) {
        searching_ = false;
        if (startingSearch_) {
            PollSearched(*accepted, present); // inside Poll: the run goes on as usual
            return;
        }
        const EndOfRun end(running_, searching_);
        PollSearched(*accepted, present);
        RunPending();
    });
    startingSearch_ = false;
}

void PresenceHandlers::PollSearched(const device::AcceptedDeviceIds& accepted, const ports::PresentDeviceList& present)
{
    ports::AudioSdk& sdk = *device_.sdk;
    const device::Identification identification = device::IdentifyAmong(accepted, present, sdk);
    state_.deviceVid = identification.ids.vid;
    state_.devicePid = identification.ids.pid;
    if (identification.setActiveResult != 0)
        sdk.DLLQZ_SetActive_Device(state_.deviceVid, state_.devicePid);
    if (!identification.found) {
        device_.debug.Write(L"SearchDevicePresent = 0");
        return;
    }

    const device::DeviceIds ids{state_.deviceVid, state_.devicePid};
    switch (device::ProbeReadiness(device_.hid, *device_.sdk, ids, device::kPollProbeAttempts)) {
    case device::ProbeResult::NoAnswer:
        return;
    case device::ProbeResult::NoHid:
        steps_.EnablePresencePoll(true);
        steps_.ShowOutcome(device::DeviceOutcome::NoHid);
        return;
    case device::ProbeResult::Ready:
        ActiveOutcome();
        steps_.ShowOutcome(device::DeviceOutcome::Active);
        ReapplyAfterPoll();
        return;
    }
}

void PresenceHandlers::ReapplyAfterPoll()
{
    MicrophoneProbeOnce();
    steps_.MicMuteAndMonitorOff();
    steps_.EmptyMicMeter();
    steps_.ApplyLedLineState();
    steps_.ReleaseCaptureEndpoint();
    if (steps_.CurrentPage() == kNoiseCancellationPage) {
        steps_.NoiseCancellationFromRegistry();
        steps_.ShowNoiseCancellationPage();
    } else if (steps_.CurrentPage() == kVoiceEffectPage) {
        steps_.VoiceEffectFromRegistry();
        steps_.ShowVoiceEffectPage();
    }
    steps_.ProcessPendingMessages();

    if (steps_.EqualizerTakenFromDevice()) {
        steps_.ConfirmEqualizerEnable();
        steps_.ConfirmEqualizerEnable();
    }
    if (steps_.D3TakenFromDevice()) {
        steps_.Confirm3DEnable();
        steps_.Confirm3DEnable();
    }
    steps_.NoiseCancellationFromRegistry();
    steps_.VoiceEffectFromRegistry();

    steps_.FilterDriverStatusRequest();
    SendVirtualWithRetry(0, 0);
    PageFourVirtualRule();
    steps_.FilterDriverControlRequest();
    if (settings_.encButtonMode == 1)
        steps_.StartEncButtonScan();
    if (steps_.CurrentPage() == kNoiseCancellationPage) {
        steps_.NoiseCancellationFromRegistry();
        steps_.ShowNoiseCancellationPage();
    }
    CountActivation();
    steps_.EnablePresencePoll(false);
}

void PresenceHandlers::SendVirtualWithRetry(int on, int parametersEnable)
{
    if (steps_.SendVirtualOnOff(on) != 0)
        steps_.SendVirtualOnOff(on);
    if (steps_.SendVirtualParameters(parametersEnable) != 0)
        steps_.SendVirtualParameters(parametersEnable);
    if (steps_.SendVirtualScalar() != 0)
        steps_.SendVirtualScalar();
}

void PresenceHandlers::PageFourVirtualRule()
{
    if (steps_.CurrentPage() != kVirtualPage || steps_.DefaultVirtualSwitch() != 1)
        return;
    steps_.SetVirtualEnabled(1);
    steps_.ShowVirtualSwitch();
    steps_.SendVirtualOnOff(1);
}

void PresenceHandlers::CountActivation()
{
    if (++state_.activationCount == 1)
        steps_.RunLedSetup();
}

void PresenceHandlers::Removal(bool hidClass, const std::wstring& interfacePath)
{
    if (!device::IsRemovalOfDevice(hidClass, interfacePath, {state_.deviceVid, state_.devicePid}))
        return;
    state_.deviceActive = false;
    state_.synchronization = false;
    steps_.ShowOutcome(device::DeviceOutcome::NoHid);
    state_.micProbeDone = false;
    steps_.ClearButtonSeen();
    steps_.ReturnControlsToDeviceAbsentLook();
    steps_.LayOutCurrentPage();
    if (state_.m_hDevice) {
        state_.m_hDevice.reset();
        steps_.ReleaseCaptureEndpoint();
        steps_.ForgetCaptureHandle();
        steps_.CloseLedEffectEvent();
        state_.activationCount = 0;
    }
}

} // namespace shell
