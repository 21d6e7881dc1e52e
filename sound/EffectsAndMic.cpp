#include "sound/EffectsAndMic.h"

namespace sound {

// Sending the effect to the filter driver and the microphone's Windows audio work come with these
// features; until then their operations keep only the look of the pages.

void EffectsAndMic::InitialiseEffect()
{
    context_.states.selectedEffect = 1;
}

void EffectsAndMic::SelectEffect(int effect)
{
    context_.states.selectedEffect = effect;
}

void EffectsAndMic::MicSwitchChanged(int) {}

void EffectsAndMic::GainChanged(int percent)
{
    if (form::Control* value = context_.form.Find(L"MicValueLabel"))
        value->caption = std::to_wstring(percent);
}

void EffectsAndMic::RunMicrophoneProbe() {}

void EffectsAndMic::MuteAndMonitorOff()
{
    context_.states.cells.micMute = 0;
    context_.states.cells.micMonitor = 0;
}

void EffectsAndMic::EmptyMeter()
{
    if (form::Control* meter = context_.form.Find(L"MicProgressImage"))
        meter->bounds.width = 0;
}

void EffectsAndMic::ResetMicState() {}

} // namespace sound
