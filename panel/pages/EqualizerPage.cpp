#include "panel/pages/EqualizerPage.h"

#include "common/Text.h"

namespace panel {

using form::Tag;

bool EqualizerPage::ImageMouseDown(Tag tag)
{
    int preset = 0;
    if (form::InRun(form::TagValue(tag), Tag::EqPreset1, form::kEqPresetCount, preset)) {
        SelectPreset(preset + 1);
        view_.LayOutCurrentPage();
        return true;
    }
    if (tag == Tag::EqReset) {
        view_.ShowPressed(tag, true);
        return true;
    }
    if (tag != Tag::EqEnable)
        return false;
    int& cell = view_.States().cells.eqEnable;
    view_.Switch(Tag::EqEnable, cell);
    equalizer_.SetEnabled(cell);
    return true;
}

bool EqualizerPage::ImageMouseUp(Tag tag)
{
    if (tag != Tag::EqReset)
        return false;
    view_.ShowPressed(tag, false);
    return true;
}

bool EqualizerPage::ImageClick(Tag tag)
{
    if (tag != Tag::EqReset)
        return false;
    if (view_.DeviceActive())
        equalizer_.Reset();
    return true;
}

bool EqualizerPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::EqBand)
        return false;
    int band = 0;
    if (form::InRun(slider.tag, Tag::EqBand1Slider, form::kEqBandCount, band))
        equalizer_.BandChanged(band, slider.bounds.top - view_.Skin().eqSlider.top);
    return true;
}

void EqualizerPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.eqEnable;
    cell = 1;
    view_.Switch(Tag::EqEnable, cell);
    equalizer_.ClearEnabled();
}

void EqualizerPage::Initialise()
{
    equalizer_.Initialise(view_.Skin().eqSlider.range);
    ShowEnabled();
}

void EqualizerPage::SwitchOn()
{
    equalizer_.SwitchOn();
    ShowEnabled();
}

void EqualizerPage::SelectPreset(int preset)
{
    equalizer_.ChoosePreset(preset);
    view_.States().selectedPreset = equalizer_.CurrentPreset();
    // The status area names the preset in use.
    if (form::Control* label = view_.Form().Find(L"SXLabel"))
        label->caption = view_.Language().Label(FormatText(15, L"LabelEQS%d", equalizer_.CurrentPreset())).text;
}

void EqualizerPage::ShowEnabled()
{
    view_.ShowSwitch(Tag::EqEnable, view_.States().cells.eqEnable, equalizer_.Enabled());
}

} // namespace panel
