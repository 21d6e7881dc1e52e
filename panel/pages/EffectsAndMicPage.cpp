#include "panel/pages/EffectsAndMicPage.h"

#include "sound/MicLevel.h"

#include <string>

namespace panel {

using form::Tag;

EffectsAndMicPage::EffectsAndMicPage(PageView& view, sound::EffectsAndMic& effectsAndMic,
                                     sound::AudioEndpoints& endpoints)
    : view_(view), effectsAndMic_(effectsAndMic), endpoints_(endpoints)
{
    endpoints_.SetCaptureSink([this](std::span<const std::uint8_t> samples) { MeterStep(samples); });
}

bool EffectsAndMicPage::ImageMouseDown(Tag tag)
{
    int effect = 0;
    if (form::InRun(form::TagValue(tag), Tag::Effect1, form::kEffectCount, effect)) {
        SelectEffect(effect + 1);
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
        FollowReplay();
        return true;
    default:
        return false;
    }
}

bool EffectsAndMicPage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::MicGain)
        return false;
    // A skin without a travel gives the knob nowhere to go: the gain stays as it is.
    const SliderGeometry& geometry = view_.Skin().micSlider;
    if (geometry.range <= 0)
        return true;
    effectsAndMic_.SetGain(MicGainPercent(slider.bounds.top, geometry));
    effectsAndMic_.RefreshGain();
    ShowGain();
    return true;
}

void EffectsAndMicPage::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.micMute;
    cell = 1;
    view_.Switch(Tag::MicMute, cell);
    effectsAndMic_.ClearMute();
    SelectEffect(1);
}

void EffectsAndMicPage::PageLaidOut()
{
    // The skin places the knob, the lower track and the meter at their full size; the microphone's
    // state decides where they stand.
    ShowGain();
    ShowMeter();
}

void EffectsAndMicPage::InitialiseEffect()
{
    effectsAndMic_.InitialiseEffect();
    view_.States().selectedEffect = effectsAndMic_.SelectedEffect();
}

void EffectsAndMicPage::LoadEffect(int effect)
{
    SelectEffect(effect);
}

void EffectsAndMicPage::SelectEffect(int effect)
{
    effectsAndMic_.SelectEffect(effect);
    ShowEffect();
}

void EffectsAndMicPage::ShowEffect()
{
    view_.States().selectedEffect = effectsAndMic_.SelectedEffect();
    view_.LayOutCurrentPage();
}

void EffectsAndMicPage::RefreshMicrophone()
{
    effectsAndMic_.RefreshMicrophone();
    ShowGain();
    ShowSwitches();
}

void EffectsAndMicPage::RunMicrophoneProbe(bool micPageShown)
{
    endpoints_.StartCapture();
    RefreshMicrophone();
    if (!micPageShown)
        endpoints_.StopCapture();
}

void EffectsAndMicPage::MuteAndMonitorOff()
{
    effectsAndMic_.MuteAndMonitorOff();
    FollowReplay();
}

void EffectsAndMicPage::ResetMicState()
{
    effectsAndMic_.ResetMicState();
    SwitchCells& cells = view_.States().cells;
    cells.micBoost = effectsAndMic_.Boost();
    cells.micMute = effectsAndMic_.Mute();
    EmptyMeter();
}

void EffectsAndMicPage::EmptyMeter()
{
    meterWidth_ = 0;
    ShowMeter();
}

void EffectsAndMicPage::MeterStep(std::span<const std::uint8_t> samples)
{
    meterWidth_ = sound::MeterWidthOf(samples, view_.Skin().micProgressLength);
    ShowMeter();
    view_.Redraw();
}

void EffectsAndMicPage::ReplayTimerTick()
{
    effectsAndMic_.ReplayTick();
    FollowReplay();
}

void EffectsAndMicPage::ShowMeter()
{
    if (form::Control* meter = view_.Form().Find(L"MicProgressImage")) {
        meter->autoSize = false;
        meter->bounds.width = meterWidth_;
    }
}

void EffectsAndMicPage::ShowGain()
{
    const int gain = effectsAndMic_.GainPercent();
    if (form::Control* value = view_.Form().Find(L"MicValueLabel"))
        value->caption = std::to_wstring(gain);
    const SliderGeometry& geometry = view_.Skin().micSlider;
    form::Control* slider = view_.Form().Find(L"MicSliderImage");
    if (slider == nullptr)
        return;
    slider->bounds.top = sound::MicSliderTop(gain, geometry.top, geometry.range);
    if (form::Control* lower = view_.Form().Find(L"MicBarDownImage")) {
        lower->autoSize = false;
        lower->bounds.height = slider->bounds.top + slider->bounds.height - lower->bounds.top;
    }
}

void EffectsAndMicPage::ShowSwitches()
{
    SwitchCells& cells = view_.States().cells;
    view_.ShowSwitch(Tag::MicBoost, cells.micBoost, effectsAndMic_.Boost());
    view_.ShowSwitch(Tag::MicMute, cells.micMute, effectsAndMic_.Mute());
}

void EffectsAndMicPage::FollowReplay()
{
    view_.EnableTimer(kReplayTimer, effectsAndMic_.ReplayRunning());
}

} // namespace panel
