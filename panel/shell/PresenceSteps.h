#pragma once
// The work that device arrival, the presence poll and removal ask of the rest of the panel, in the
// words of the features that do it. The presence handlers fix the order; the main window carries each
// step out through the feature that owns it.

#include "device/DevicePresence.h"

#include <cstdint>

namespace shell {

class PresenceSteps {
public:
    virtual ~PresenceSteps() = default;

    // The window.
    virtual void ShowOutcome(device::DeviceOutcome outcome) = 0;
    virtual void LayOutCurrentPage() = 0;
    virtual int CurrentPage() const = 0;
    virtual void ProcessPendingMessages() = 0;
    virtual void EnablePresencePoll(bool enabled) = 0;

    // Microphone and Windows audio.
    virtual bool HasCaptureEndpoint() = 0;
    virtual void RunMicrophoneProbe() = 0;
    virtual void MicMuteAndMonitorOff() = 0;
    virtual void EmptyMicMeter() = 0;
    virtual void ReleaseCaptureEndpoint() = 0;
    virtual void ForgetCaptureHandle() = 0;

    // LED.
    virtual void ApplyLedLineState() = 0;
    virtual void RunLedSetup() = 0;
    virtual void CloseLedEffectEvent() = 0;

    // Noise cancellation and voice effects.
    virtual void NoiseCancellationFromRegistry() = 0;
    virtual void ShowNoiseCancellationPage() = 0;
    virtual void VoiceEffectFromRegistry() = 0;
    virtual void ShowVoiceEffectPage() = 0;
    // GPIO mode, then the button scan when that succeeded.
    virtual void StartEncButtonScan() = 0;
    virtual void ClearButtonSeen() = 0;

    // Equalizer and 3D.
    virtual bool EqualizerTakenFromDevice() = 0;
    virtual void ConfirmEqualizerEnable() = 0;
    virtual int DefaultEqualizerSwitch() = 0;
    virtual void SwitchEqualizerOn() = 0;
    virtual bool D3TakenFromDevice() = 0;
    virtual void Confirm3DEnable() = 0;
    virtual int Default3DSwitch() = 0;
    virtual void Switch3DOn() = 0;
    virtual void Switch3DOff() = 0;

    // Virtual 7.1; the sends return the SDK's result, 0 for success.
    virtual int DefaultVirtualSwitch() = 0;
    virtual int VirtualEnabled() = 0;
    virtual void SetVirtualEnabled(int enabled) = 0;
    virtual void ShowVirtualSwitch() = 0;
    virtual std::int32_t SendVirtualOnOff(int on) = 0;
    virtual std::int32_t SendVirtualParameters(int enable) = 0;
    virtual std::int32_t SendVirtualScalar() = 0;

    // The filter driver's requests; their results are not used.
    virtual void FilterDriverStatusRequest() = 0;
    virtual void FilterDriverControlRequest() = 0;

    // Removal: equalizer, 3D, virtual 7.1 and mute shown off, effect 1, noise cancellation and voice off.
    virtual void ReturnControlsToDeviceAbsentLook() = 0;
};

} // namespace shell
