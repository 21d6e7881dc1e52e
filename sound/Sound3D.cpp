#include "sound/Sound3D.h"

namespace sound {

// The 3D effect's device work comes with the 3D feature; until then its operations keep only the look
// of the page.

void Sound3D::InitialiseModel() {}

void Sound3D::EnableSwitched() {}

void Sound3D::FbmSwitched() {}

void Sound3D::NextLink(int tag)
{
    panel::D3Link& link = tag == 14 ? context_.states.alphaLink : context_.states.betaLink;
    link = static_cast<panel::D3Link>((static_cast<int>(link) + 1) % 3);
}

void Sound3D::SliderMoved(const form::Control&) {}

void Sound3D::ResetClick() {}

bool Sound3D::TakesEnableFromDevice() const
{
    return false;
}

void Sound3D::ConfirmEnable() {}

int Sound3D::DefaultProfileSwitch() const
{
    return 0;
}

void Sound3D::SwitchOn() {}

void Sound3D::SwitchOff() {}

void Sound3D::ReturnToDefaults() {}

} // namespace sound
