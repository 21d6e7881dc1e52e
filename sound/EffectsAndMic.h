#pragma once
// The environment effects (the Effect page) and the microphone (the Mic page).

#include "sound/FeatureContext.h"

namespace sound {

class EffectsAndMic {
public:
    explicit EffectsAndMic(FeatureContext& context) : context_(context) {}

    void InitialiseEffect();
    void SelectEffect(int effect);
    // After the boost, mute or monitor button (tags 21, 22, 89) switched: apply it.
    void MicSwitchChanged(int tag);
    // The gain slider's value, 0-100 per cent.
    void GainChanged(int percent);
    // Start capture, read the microphone state, stop capture unless the Mic page shows.
    void RunMicrophoneProbe();
    void MuteAndMonitorOff();
    void EmptyMeter();
    void ResetMicState();

private:
    FeatureContext& context_;
};

} // namespace sound
