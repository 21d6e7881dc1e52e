#include "panel/pages/Sound3DPage.h"

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
        sound3D_.SetEnabled(states.cells.d3Enable);
        return true;
    case Tag::D3Fbm:
        view_.Switch(tag, states.cells.fbm);
        sound3D_.SetFbm(states.cells.fbm);
        return true;
    case Tag::D3AlphaLink:
        sound3D_.NextAlphaLink();
        ShowState();
        view_.LayOutCurrentPage();
        return true;
    case Tag::D3BetaLink:
        sound3D_.NextBetaLink();
        ShowState();
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
    if (view_.DeviceActive())
        sound3D_.Reset();
    return true;
}

bool Sound3DPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::D3)
        return false;
    sound3D_.ParameterChanged(slider.tag, slider.bounds.top);
    return true;
}

void Sound3DPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.d3Enable;
    cell = 1;
    view_.Switch(Tag::D3Enable, cell);
    sound3D_.SetEnabled(0);
}

void Sound3DPage::Initialise()
{
    sound3D_.Initialise();
    ShowState();
}

void Sound3DPage::SwitchOn()
{
    sound3D_.SetEnabled(1);
    view_.ShowSwitch(Tag::D3Enable, view_.States().cells.d3Enable, sound3D_.Enabled());
}

void Sound3DPage::SwitchOff()
{
    sound3D_.SetEnabled(0);
    view_.ShowSwitch(Tag::D3Enable, view_.States().cells.d3Enable, sound3D_.Enabled());
}

void Sound3DPage::ShowState()
{
    ControlStates& states = view_.States();
    states.alphaLink = static_cast<D3Link>(sound3D_.AlphaLink());
    states.betaLink = static_cast<D3Link>(sound3D_.BetaLink());
}

} // namespace panel
