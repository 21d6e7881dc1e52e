#include "sound/Virtual71.h"

namespace sound {

namespace {
constexpr std::int32_t kNoSdk = -1;
} // namespace

std::int32_t Virtual71::SendOnOff(int on)
{
    ports::AudioSdk* sdk = device_.Sdk();
    return sdk ? sdk->DLLQZ_SetVirtual7ch1_OnOff(on) : kNoSdk;
}

std::int32_t Virtual71::SendScalar()
{
    ports::AudioSdk* sdk = device_.Sdk();
    return sdk ? sdk->DLLQZ_SetVirtual7ch1_Scalar(scalar_) : kNoSdk;
}

// The ring's geometry, its 68-byte parameter block and the default profile's part come with the
// virtual 7.1 feature; the switch and the scale already go to the device.
void Virtual71::InitialiseRing() {}

std::int32_t Virtual71::SendParameters(int)
{
    return 0;
}

void Virtual71::ApplyDefaultProfilePart() {}

void Virtual71::Reset() {}

void Virtual71::SpeakerMoved(int, int, int) {}

void Virtual71::ToggleMotion(RingMotion) {}

void Virtual71::MotionTick() {}

void Virtual71::RescaleRing(int, int) {}

} // namespace sound
