#include "sound/NoiseAndVoice.h"

namespace sound {

// Noise cancellation and the voice effects come with their feature; until then the device offers
// neither, and the pages show them off.

bool NoiseAndVoice::NoiseCancellationAvailable() const
{
    return false;
}

void NoiseAndVoice::NoiseCancellationFromRegistry() {}

void NoiseAndVoice::VoiceEffectFromRegistry() {}

void NoiseAndVoice::LevelChanged(int) {}

void NoiseAndVoice::SwitchOff()
{
    encOn_ = false;
    voiceOn_ = false;
    voiceEffect_ = 0;
}

void NoiseAndVoice::StartButtonScan() {}

void NoiseAndVoice::ClearButtonSeen() {}

} // namespace sound
