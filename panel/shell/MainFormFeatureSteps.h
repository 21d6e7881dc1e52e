#pragma once
// The presence handlers' steps as the main window carries them out: each through the feature that owns
// it. Only TonvioMain's own files include this.

#include "panel/shell/TonvioMain.h"

namespace shell {

class TAudioMainForm::FeatureSteps final : public PresenceSteps {
public:
    explicit FeatureSteps(TAudioMainForm& form) : form_(form) {}

    void ShowOutcome(device::DeviceOutcome outcome) override { form_.ShowOutcome(outcome); }
    void LayOutCurrentPage() override { form_.LayOutCurrentPage(); }
    int CurrentPage() const override { return form_.states_.page; }
    void ProcessPendingMessages() override { form_.window_.pump.ProcessPendingMessages(); }
    void EnablePresencePoll(bool enabled) override { form_.timers_.SetEnabled(L"Timer1", enabled); }

    bool HasCaptureEndpoint() override { return form_.endpoints_.HasCaptureEndpoint(); }
    void RunMicrophoneProbe() override { form_.effectsAndMic_.RunMicrophoneProbe(); }
    void MicMuteAndMonitorOff() override { form_.effectsAndMic_.MuteAndMonitorOff(); }
    void EmptyMicMeter() override { form_.effectsAndMic_.EmptyMeter(); }
    void ReleaseCaptureEndpoint() override { form_.endpoints_.ReleaseCaptureEndpoint(); }
    void ForgetCaptureHandle() override { form_.endpoints_.ForgetCaptureHandle(); }

    void ApplyLedLineState() override { form_.led_.ApplyLineState(); }
    void RunLedSetup() override { form_.led_.RunSetup(); }
    void CloseLedEffectEvent() override { form_.led_.CloseEffectEvent(); }

    void NoiseCancellationFromRegistry() override { form_.noiseAndVoice_.NoiseCancellationFromRegistry(); }
    void ShowNoiseCancellationPage() override { form_.noiseAndVoice_.ShowNoiseCancellationPage(); }
    void VoiceEffectFromRegistry() override { form_.noiseAndVoice_.VoiceEffectFromRegistry(); }
    void ShowVoiceEffectPage() override { form_.noiseAndVoice_.ShowVoiceEffectPage(); }
    void StartEncButtonScan() override { form_.noiseAndVoice_.StartButtonScan(); }
    void ClearButtonSeen() override { form_.noiseAndVoice_.ClearButtonSeen(); }

    bool EqualizerTakenFromDevice() override { return form_.equalizer_.TakesEnableFromDevice(); }
    void ConfirmEqualizerEnable() override { form_.equalizer_.ConfirmEnable(); }
    int DefaultEqualizerSwitch() override { return form_.equalizer_.DefaultProfileSwitch(); }
    void SwitchEqualizerOn() override { form_.equalizer_.SwitchOn(); }
    bool D3TakenFromDevice() override { return form_.sound3D_.TakesEnableFromDevice(); }
    void Confirm3DEnable() override { form_.sound3D_.ConfirmEnable(); }
    int Default3DSwitch() override { return form_.sound3D_.DefaultProfileSwitch(); }
    void Switch3DOn() override { form_.sound3D_.SwitchOn(); }
    void Switch3DOff() override { form_.sound3D_.SwitchOff(); }

    int DefaultVirtualSwitch() override { return form_.virtual71_.DefaultProfileSwitch(); }
    int VirtualEnabled() override { return form_.virtual71_.Enabled(); }
    void SetVirtualEnabled(int enabled) override { form_.virtual71_.SetEnabled(enabled); }
    void ShowVirtualSwitch() override { form_.virtual71_.ShowSwitch(); }
    std::int32_t SendVirtualOnOff(int on) override { return form_.virtual71_.SendOnOff(on); }
    std::int32_t SendVirtualParameters(int enable) override { return form_.virtual71_.SendParameters(enable); }
    std::int32_t SendVirtualScalar() override { return form_.virtual71_.SendScalar(); }

    void FilterDriverStatusRequest() override
    {
        std::uint32_t status = 0;
        form_.deviceChannels_.channel.StatusRequest(status);
    }
    void FilterDriverControlRequest() override
    {
        std::uint32_t value = 0;
        form_.deviceChannels_.channel.ControlRequest(0, value);
    }

    void ReturnControlsToDeviceAbsentLook() override { form_.ReturnControlsToDeviceAbsentLook(); }

private:
    TAudioMainForm& form_;
};

} // namespace shell
