#pragma once
// Environmental noise cancellation (the ENC page) and the voice effects (the VoiceMagic page), with
// their levels kept per device in the registry.

#include "sound/FeatureContext.h"

namespace sound {

class NoiseAndVoice {
public:
    explicit NoiseAndVoice(FeatureContext& context) : context_(context) {}

    // Whether the device offers noise cancellation: its slider and button answer only then.
    bool NoiseCancellationAvailable() const;
    void NoiseCancellationFromRegistry();
    void ShowNoiseCancellationPage();
    void VoiceEffectFromRegistry();
    void ShowVoiceEffectPage();
    void SliderMoved(const form::Control& slider);
    // The device-absent look: both off.
    void SwitchOff();
    // The device's hardware button, when it is read through GPIO button scanning.
    void StartButtonScan();
    // After a removal: the next press of the device's button counts as its first.
    void ClearButtonSeen();

private:
    FeatureContext& context_;
};

} // namespace sound
