#include "sound/NoiseAndVoice.h"

namespace sound {

// Noise cancellation and the voice effects come with their feature; until then the device offers
// neither, and the pages show them off.

bool NoiseAndVoice::NoiseCancellationAvailable() const
{
    return false;
}

void NoiseAndVoice::NoiseCancellationFromRegistry() {}

void NoiseAndVoice::ShowNoiseCancellationPage() {}

void NoiseAndVoice::VoiceEffectFromRegistry() {}

void NoiseAndVoice::ShowVoiceEffectPage() {}

void NoiseAndVoice::SliderMoved(const form::Control&) {}

void NoiseAndVoice::SwitchOff()
{
    context_.states.encOn = false;
    context_.states.voiceOn = false;
    context_.states.voiceEffect = 0;
}

void NoiseAndVoice::StartButtonScan() {}

void NoiseAndVoice::ClearButtonSeen() {}

} // namespace sound
