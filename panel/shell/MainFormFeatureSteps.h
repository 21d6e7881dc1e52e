#pragma once
// The presence handlers' steps as the main window carries them out: each through the feature's model,
// or through its page presenter where the step also changes what the page shows. Only TonvioMain's own
// files include this.

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

    bool HasCaptureEndpoint() override { return Features().endpoints.HasCaptureEndpoint(); }
    void RunMicrophoneProbe() override
    {
        Pages().effectsAndMic.RunMicrophoneProbe(form_.states_.page == panel::kPageMic);
    }
    void MicMuteAndMonitorOff() override { Pages().effectsAndMic.MuteAndMonitorOff(); }
    void EmptyMicMeter() override { Pages().effectsAndMic.EmptyMeter(); }
    void ReleaseCaptureEndpoint() override { Features().endpoints.ReleaseCaptureEndpoint(); }
    void ForgetCaptureHandle() override { Features().endpoints.ForgetCaptureHandle(); }

    void ApplyLedLineState() override { Features().led.ApplyLineState(); }
    void RunLedSetup() override { Features().led.RunSetup(); }
    void CloseLedEffectEvent() override { Features().led.CloseEffectEvent(); }

    void NoiseCancellationFromRegistry() override { Features().noiseAndVoice.NoiseCancellationFromRegistry(); }
    void ShowNoiseCancellationPage() override { Pages().noiseAndVoice.ShowNoiseCancellationPage(); }
    void VoiceEffectFromRegistry() override { Features().noiseAndVoice.VoiceEffectFromRegistry(); }
    void ShowVoiceEffectPage() override { Pages().noiseAndVoice.ShowVoiceEffectPage(); }
    void StartEncButtonScan() override { Features().noiseAndVoice.StartButtonScan(); }
    void ClearButtonSeen() override { Features().noiseAndVoice.ClearButtonSeen(); }

    bool EqualizerTakenFromDevice() override { return Features().equalizer.TakesEnableFromDevice(); }
    void ConfirmEqualizerEnable() override { Features().equalizer.ConfirmEnable(); }
    int DefaultEqualizerSwitch() override { return Features().equalizer.DefaultProfileSwitch(); }
    void SwitchEqualizerOn() override { Pages().equalizer.SwitchOn(); }
    bool D3TakenFromDevice() override { return Features().sound3D.TakesEnableFromDevice(); }
    void Confirm3DEnable() override { Features().sound3D.ConfirmEnable(); }
    int Default3DSwitch() override { return Features().sound3D.DefaultProfileSwitch(); }
    void Switch3DOn() override { Pages().sound3D.SwitchOn(); }
    void Switch3DOff() override { Pages().sound3D.SwitchOff(); }

    int DefaultVirtualSwitch() override { return Features().virtual71.DefaultProfileSwitch(); }
    int VirtualEnabled() override { return Features().virtual71.Enabled(); }
    void SetVirtualEnabled(int enabled) override { Pages().virtual71.SetEnabled(enabled); }
    void ShowVirtualSwitch() override { Pages().virtual71.ShowSwitch(); }
    std::int32_t SendVirtualOnOff(int on) override { return Features().virtual71.SendOnOff(on); }
    std::int32_t SendVirtualParameters(int enable) override { return Features().virtual71.SendParameters(enable); }
    std::int32_t SendVirtualScalar() override { return Features().virtual71.SendScalar(); }

    void FilterDriverStatusRequest() override
    {
        std::uint32_t status = 0;
        form_.channel_.StatusRequest(status);
    }
    void FilterDriverControlRequest() override
    {
        std::uint32_t value = 0;
        form_.channel_.ControlRequest(0, value);
    }

    void ReturnControlsToDeviceAbsentLook() override { form_.ReturnControlsToDeviceAbsentLook(); }

private:
    sound::SoundFeatures& Features() { return form_.features_; }
    panel::FeaturePages& Pages() { return form_.pages_; }

    TAudioMainForm& form_;
};

} // namespace shell
