#include "sound/Virtual71.h"

namespace sound {

// The ring's geometry, motion and speaker block come with the virtual 7.1 feature; the switch and the
// scale already go to the device.

void Virtual71::InitialiseRing() {}

void Virtual71::EnableSwitched() {}

void Virtual71::ResetClick() {}

void Virtual71::MotionButtonPressed(int) {}

void Virtual71::SpeakerMoved(const form::Control&) {}

void Virtual71::TimerTick() {}

void Virtual71::RescaleSpeakers(int, int) {}

int Virtual71::DefaultProfileSwitch() const
{
    return 0;
}

void Virtual71::ShowSwitch() {}

std::int32_t Virtual71::SendOnOff(int on)
{
    return context_.device.sdk ? context_.device.sdk->DLLQZ_SetVirtual7ch1_OnOff(on) : -1;
}

std::int32_t Virtual71::SendParameters(int)
{
    return 0;
}

std::int32_t Virtual71::SendScalar()
{
    return context_.device.sdk ? context_.device.sdk->DLLQZ_SetVirtual7ch1_Scalar(context_.startup.v7ch1Scalar) : -1;
}

void Virtual71::ApplyDefaultProfilePart() {}

} // namespace sound
