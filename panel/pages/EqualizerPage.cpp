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
        Reset();
    return true;
}

bool EqualizerPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::EqBand)
        return false;
    int band = 0;
    if (form::InRun(slider.tag, Tag::EqBand1Slider, form::kEqBandCount, band)) {
        equalizer_.BandChanged(band, slider.bounds.top - view_.Skin().eqSlider.top);
        ShowSliders();
    }
    return true;
}

void EqualizerPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.eqEnable;
    cell = 1;
    view_.Switch(Tag::EqEnable, cell);
    equalizer_.ClearEnabled();
}

void EqualizerPage::SkinChanged()
{
    equalizer_.SetTravel(view_.Skin().eqSlider.range);
    ShowSliders();
}

void EqualizerPage::Initialise()
{
    equalizer_.Initialise(view_.Skin().eqSlider.range);
    for (int slot = 0; slot < form::kEqPresetCount; ++slot)
        equalizer_.RefreshSliders(slot);
    ShowSliders();
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
    ShowSliders();
    // The status area names the preset in use.
    if (form::Control* label = view_.Form().Find(L"SXLabel"))
        label->caption = view_.Language().Label(FormatText(15, L"LabelEQS%d", equalizer_.CurrentPreset())).text;
}

void EqualizerPage::Reset()
{
    if (equalizer_.Reset())
        sound3D_.SendOnOff(sound3D_.Enabled());
    ShowSliders();
}

void EqualizerPage::ShowSliders()
{
    const int top = view_.Skin().eqSlider.top;
    for (int band = 0; band < form::kEqBandCount; ++band) {
        const Tag sliderTag = form::Nth(Tag::EqBand1Slider, band);
        form::Control* slider = view_.Image(sliderTag);
        if (slider == nullptr)
            continue;
        slider->bounds.top = top + equalizer_.SliderOffset(equalizer_.ShownSlot() + 1, band);
        // The lower track fills from the knob down.
        if (form::Control* lower = view_.Form().FindImageByTag(form::LowerTrackTag(sliderTag))) {
            lower->autoSize = false;
            lower->bounds.height = slider->bounds.top + slider->bounds.height - lower->bounds.top;
        }
    }
    ShowValues();
    ShowEnabled();
}

void EqualizerPage::ShowValues()
{
    const sound::EqRecord& shown = equalizer_.Working();
    for (int band = 0; band < form::kEqBandCount; ++band)
        if (form::Control* value = view_.Label(form::Nth(Tag::EqBand1Slider, band)))
            value->caption = FormatText(7, L"%x", shown.gains[band]);
}

void EqualizerPage::ShowEnabled()
{
    view_.ShowSwitch(Tag::EqEnable, view_.States().cells.eqEnable, equalizer_.Enabled());
}

} // namespace panel
