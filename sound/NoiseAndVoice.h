#pragma once
// Environmental noise cancellation (the ENC page) and the voice effects (the VoiceMagic page), with
// their levels kept per device in the registry.

#include "sound/FeatureDevice.h"

namespace sound {

class NoiseAndVoice {
public:
    explicit NoiseAndVoice(const FeatureDevice& device) : device_(device) {}

    bool EncOn() const { return encOn_; }
    int VoiceEffect() const { return voiceEffect_; } // 0 none, 1 to 4
    bool VoiceOn() const { return voiceOn_; }

    // Whether the device offers noise cancellation: its slider and button answer only then.
    bool NoiseCancellationAvailable() const;
    void NoiseCancellationFromRegistry();
    void VoiceEffectFromRegistry();
    void LevelChanged(int level);
    // The device-absent look: both off.
    void SwitchOff();
    // The device's hardware button, when it is read through GPIO button scanning.
    void StartButtonScan();
    // After a removal: the next press of the device's button counts as its first.
    void ClearButtonSeen();

private:
    const FeatureDevice& device_;
    bool encOn_ = false;
    int voiceEffect_ = 0;
    bool voiceOn_ = false;
};

} // namespace sound
