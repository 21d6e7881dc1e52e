#include "panel/pages/Sound3DPage.h"

#include "common/Text.h"

namespace panel {

using form::Tag;

bool Sound3DPage::ImageMouseDown(Tag tag)
{
    ControlStates& states = view_.States();
    switch (tag) {
    case Tag::D3Reset:
        view_.ShowPressed(tag, true);
        return true;
    case Tag::D3Enable:
        view_.Switch(tag, states.cells.d3Enable);
        if (sound3D_.SwitchedByButton(states.cells.d3Enable)) {
            // Virtual 7.1 gave way: its switch shows off, and its page's enable button is hidden.
            view_.ShowSwitch(Tag::VirtualEnable, states.cells.virtualEnable, 0);
            if (form::Control* image = view_.Image(Tag::VirtualEnable))
                image->visible = false;
        }
        return true;
    case Tag::D3Fbm:
        view_.Switch(tag, states.cells.fbm);
        sound3D_.SetFbm(states.cells.fbm);
        return true;
    case Tag::D3AlphaLink:
    case Tag::D3BetaLink:
        if (tag == Tag::D3AlphaLink)
            sound3D_.NextAlphaLink();
        else
            sound3D_.NextBetaLink();
        ShowLinks();
        view_.LayOutCurrentPage();
        return true;
    default:
        return false;
    }
}

bool Sound3DPage::ImageMouseUp(Tag tag)
{
    if (tag != Tag::D3Reset)
        return false;
    view_.ShowPressed(tag, false);
    return true;
}

bool Sound3DPage::ImageClick(Tag tag)
{
    if (tag != Tag::D3Reset)
        return false;
    if (view_.DeviceActive()) {
        sound3D_.Reset();
        ShowControls();
    }
    return true;
}

bool Sound3DPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::D3)
        return false;
    int index = 0;
    if (form::InRun(slider.tag, Tag::D3LBetaSlider, sound::kD3SliderCount, index)) {
        sound3D_.MoveSlider(static_cast<sound::D3Slider>(index), slider.bounds.top);
        ShowSliders();
    }
    return true;
}

void Sound3DPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.d3Enable;
    cell = 1;
    view_.Switch(Tag::D3Enable, cell);
    sound3D_.ClearEnabled();
}

void Sound3DPage::SkinChanged()
{
    sound3D_.SetTravel(view_.Skin().eqSlider.range);
    ShowControls();
}

void Sound3DPage::Initialise()
{
    sound3D_.Initialise(view_.Skin().eqSlider.range);
    ShowLinks();
    ShowControls();
}

void Sound3DPage::SwitchOn()
{
    sound3D_.SwitchOn();
    ShowEnabled();
}

void Sound3DPage::SwitchOff()
{
    sound3D_.SwitchOff();
    ShowEnabled();
}

void Sound3DPage::ShowEnabled()
{
    view_.ShowSwitch(Tag::D3Enable, view_.States().cells.d3Enable, sound3D_.Enabled());
}

void Sound3DPage::ShowControls()
{
    ShowSliders();
    view_.ShowSwitch(Tag::D3Fbm, view_.States().cells.fbm, sound3D_.FbmButton());
}

void Sound3DPage::ShowSliders()
{
    for (int index = 0; index < sound::kD3SliderCount; ++index) {
        const auto slider = static_cast<sound::D3Slider>(index);
        const Tag tag = form::Nth(Tag::D3LBetaSlider, index);
        if (form::Control* image = view_.Image(tag))
            image->bounds.top = sound3D_.SliderTop(slider);
    }
    ShowValues();
}

void Sound3DPage::ShowValues()
{
    for (int index = 0; index < sound::kD3SliderCount; ++index)
        if (form::Control* value = view_.Label(form::Nth(Tag::D3LBetaSlider, index)))
            value->caption = FormatText(11, L"%d", sound3D_.Value(static_cast<sound::D3Slider>(index)));
}

void Sound3DPage::ShowLinks()
{
    ControlStates& states = view_.States();
    states.alphaLink = static_cast<D3Link>(sound3D_.AlphaLink());
    states.betaLink = static_cast<D3Link>(sound3D_.BetaLink());
}

} // namespace panel
