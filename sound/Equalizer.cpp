#include "sound/Equalizer.h"

#include "common/Text.h"

namespace sound {

// The equalizer's device work (gain codes, presets in the device's memory, the enable command) comes
// with the equalizer itself; until then its operations keep only the look of the page.

void Equalizer::InitialiseModel() {}

void Equalizer::EnableSwitched() {}

void Equalizer::SelectPreset(int preset)
{
    context_.states.selectedPreset = preset;
    // The status area names the selected preset.
    if (form::Control* label = context_.form.Find(L"SXLabel"))
        label->caption = context_.language.Label(FormatText(15, L"LabelEQS%d", preset)).text;
}

void Equalizer::BandSliderMoved(const form::Control&) {}

void Equalizer::ResetClick() {}

bool Equalizer::TakesEnableFromDevice() const
{
    return false;
}

void Equalizer::ConfirmEnable() {}

int Equalizer::DefaultProfileSwitch() const
{
    return 0;
}

void Equalizer::SwitchOn() {}

void Equalizer::ReturnToDefaults() {}

} // namespace sound
