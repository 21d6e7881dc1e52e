#include "sound/EffectsAndMic.h"

#include <algorithm>

namespace sound {

// Sending the effect to the filter driver and the microphone's Windows audio work come with these
// features; until then the model keeps the pages' state only.

void EffectsAndMic::InitialiseEffect()
{
    selectedEffect_ = 1;
}

void EffectsAndMic::SelectEffect(int effect)
{
    if (effect >= 1 && effect <= kEffectCount)
        selectedEffect_ = effect;
}

void EffectsAndMic::SetBoost(int on)
{
    boost_ = on != 0 ? 1 : 0;
}

void EffectsAndMic::SetMute(int on)
{
    mute_ = on != 0 ? 1 : 0;
}

void EffectsAndMic::SetMonitor(int on)
{
    monitor_ = on != 0 ? 1 : 0;
}

void EffectsAndMic::SetGain(int percent)
{
    gainPercent_ = std::clamp(percent, 0, 100);
}

void EffectsAndMic::RunMicrophoneProbe() {}

void EffectsAndMic::MuteAndMonitorOff()
{
    mute_ = 0;
    monitor_ = 0;
}

void EffectsAndMic::ResetMicState() {}

} // namespace sound
