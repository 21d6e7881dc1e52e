#include "panel/pages/EffectsAndMicPage.h"

#include <string>

namespace panel {

using form::Tag;

bool EffectsAndMicPage::ImageMouseDown(Tag tag)
{
    int effect = 0;
    if (form::InRun(form::TagValue(tag), Tag::Effect1, form::kEffectCount, effect)) {
        SelectEffect(effect + 1);
        view_.LayOutCurrentPage();
        return true;
    }
    SwitchCells& cells = view_.States().cells;
    switch (tag) {
    case Tag::MicBoost:
        view_.Switch(tag, cells.micBoost);
        effectsAndMic_.SetBoost(cells.micBoost);
        return true;
    case Tag::MicMute:
        view_.Switch(tag, cells.micMute);
        effectsAndMic_.SetMute(cells.micMute);
        return true;
    case Tag::MicMonitor:
        view_.Switch(tag, cells.micMonitor);
        effectsAndMic_.SetMonitor(cells.micMonitor);
        return true;
    default:
        return false;
    }
}

bool EffectsAndMicPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::MicGain)
        return false;
    effectsAndMic_.SetGain(MicGainPercent(slider.bounds.top, view_.Skin().micSlider));
    if (form::Control* value = view_.Form().Find(L"MicValueLabel"))
        value->caption = std::to_wstring(effectsAndMic_.GainPercent());
    return true;
}

void EffectsAndMicPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.micMute;
    cell = 1;
    view_.Switch(Tag::MicMute, cell);
    effectsAndMic_.SetMute(cell);
    SelectEffect(1);
}

void EffectsAndMicPage::InitialiseEffect()
{
    effectsAndMic_.InitialiseEffect();
    view_.States().selectedEffect = effectsAndMic_.SelectedEffect();
}

void EffectsAndMicPage::MuteAndMonitorOff()
{
    effectsAndMic_.MuteAndMonitorOff();
    SwitchCells& cells = view_.States().cells;
    cells.micMute = effectsAndMic_.Mute();
    cells.micMonitor = effectsAndMic_.Monitor();
}

void EffectsAndMicPage::EmptyMeter()
{
    if (form::Control* meter = view_.Form().Find(L"MicProgressImage"))
        meter->bounds.width = 0;
}

void EffectsAndMicPage::SelectEffect(int effect)
{
    effectsAndMic_.SelectEffect(effect);
    view_.States().selectedEffect = effectsAndMic_.SelectedEffect();
}

} // namespace panel
