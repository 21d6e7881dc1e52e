#include "panel/pages/NoiseAndVoicePage.h"

namespace panel {

bool NoiseAndVoicePage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::NoiseCancellation)
        return false;
    noiseAndVoice_.LevelChanged(slider.bounds.top);
    return true;
}

void NoiseAndVoicePage::ShowDeviceAbsent()
{
    noiseAndVoice_.SwitchOff();
    ShowState();
}

void NoiseAndVoicePage::ShowNoiseCancellationPage()
{
    ShowState();
}

void NoiseAndVoicePage::ShowVoiceEffectPage()
{
    ShowState();
}

void NoiseAndVoicePage::ShowState()
{
    ControlStates& states = view_.States();
    states.encOn = noiseAndVoice_.EncOn();
    states.voiceOn = noiseAndVoice_.VoiceOn();
    states.voiceEffect = noiseAndVoice_.VoiceEffect();
}

} // namespace panel
