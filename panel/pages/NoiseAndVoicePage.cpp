#include "panel/pages/NoiseAndVoicePage.h"

#include "common/Text.h"
#include "sound/NoiseAndVoiceLevel.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace panel {

namespace {

constexpr std::wstring_view kEncFunction[] = {L"ENCFunctionImage", L"ENCFunctionLabel"};
constexpr std::wstring_view kVoiceFunction[] = {L"VMFunctionImage", L"VMFunctionLabel"};
// The mode buttons by mode: image and label click alike.
constexpr std::wstring_view kVoiceModes[][2] = {{L"VMEffectNoneImage", L"VMEffectNoneLabel"},
                                                {L"VMEffect1Image", L"VMEffect1Label"},
                                                {L"VMEffect2Image", L"VMEffect2Label"},
                                                {L"VMEffect3Image", L"VMEffect3Label"},
                                                {L"VMEffect4Image", L"VMEffect4Label"}};

bool Named(const form::Control& control, const std::wstring_view (&names)[2])
{
    return control.name == names[0] || control.name == names[1];
}

} // namespace

NoiseAndVoicePage::NoiseAndVoicePage(PageView& view, sound::NoiseAndVoice& noiseAndVoice)
    : view_(view), noiseAndVoice_(noiseAndVoice)
{
    // The hardware button toggles ENC; an open ENC page shows it at once.
    noiseAndVoice_.OnButtonToggle([this] {
        if (view_.States().page == kPageEnc)
            ShowNoiseCancellationPage();
    });
}

bool NoiseAndVoicePage::MayAct()
{
    if (!view_.DeviceActive())
        return false;
    if (!noiseAndVoice_.NoiseCancellationAvailable()) {
        view_.ShowWarning(L"LabelWarning1");
        return false;
    }
    return true;
}

bool NoiseAndVoicePage::ControlClick(const form::Control& control)
{
    if (Named(control, kEncFunction)) {
        if (MayAct()) {
            noiseAndVoice_.ToggleEnc();
            ShowNoiseCancellationPage();
        }
        return true;
    }
    if (Named(control, kVoiceFunction)) {
        if (MayAct()) {
            noiseAndVoice_.ToggleVoice();
            ShowVoiceEffectPage();
        }
        return true;
    }
    for (int mode = 0; mode < sound::kVoiceModeCount; ++mode) {
        if (!Named(control, kVoiceModes[mode]))
            continue;
        if (MayAct()) {
            noiseAndVoice_.ChooseVoiceMode(mode);
            ShowVoiceEffectPage();
        }
        return true;
    }
    return false;
}

int NoiseAndVoicePage::TopLimit() const
{
    return view_.Skin().encSlider ? view_.Skin().encSlider->top : 0;
}

int NoiseAndVoicePage::Travel() const
{
    return view_.Skin().encSlider ? view_.Skin().encSlider->range : 0;
}

bool NoiseAndVoicePage::SliderMoved(const form::Control& slider, DragMode mode)
{
    if (mode != DragMode::NoiseCancellation)
        return false;
    // While the slider itself is dragged, its own move handler sets the final top and level.
    if (pressed_)
        return true;
    // A click on the bar: the level by whole numbers, shown only.
    if (form::Control* knob = view_.Image(form::Tag::EncSlider)) {
        const int travel = Travel();
        if (travel > 0)
            knob->bounds.top = std::clamp(slider.bounds.top, TopLimit(), TopLimit() + travel);
        noiseAndVoice_.SetEncLevel(
            sound::EncLevelFromBarClick(knob->bounds.top, TopLimit(), travel, noiseAndVoice_.EncLevel()));
    }
    ShowNoiseCancellationPage();
    return true;
}

void NoiseAndVoicePage::EncSliderPressed(int cursorY)
{
    form::Control* knob = view_.Image(form::Tag::EncSlider);
    if (knob == nullptr || !view_.DeviceActive() || !noiseAndVoice_.NoiseCancellationAvailable())
        return;
    pressed_ = true;
    pressCursorY_ = cursorY;
    pressTop_ = knob->bounds.top;
}

void NoiseAndVoicePage::EncSliderDragged(int cursorY)
{
    form::Control* knob = view_.Image(form::Tag::EncSlider);
    if (!pressed_ || knob == nullptr)
        return;
    const int travel = Travel();
    // Without travel there is nothing to measure: the slider and the level stay.
    if (travel <= 0)
        return;
    knob->bounds.top = std::clamp(pressTop_ + cursorY - pressCursorY_, TopLimit(), TopLimit() + travel);
    noiseAndVoice_.SetEncLevel(
        sound::EncLevelFromDrag(knob->bounds.top, TopLimit(), travel, noiseAndVoice_.EncLevel()));
    ShowLevel();
    view_.Redraw();
}

void NoiseAndVoicePage::EncSliderReleased()
{
    if (!std::exchange(pressed_, false))
        return;
    noiseAndVoice_.CommitEncLevel();
}

void NoiseAndVoicePage::ShowDeviceAbsent()
{
    pressed_ = false;
    noiseAndVoice_.SwitchOff();
    ShowState();
}

void NoiseAndVoicePage::ShowNoiseCancellationPage()
{
    ShowState();
    if (form::Control* knob = view_.Image(form::Tag::EncSlider))
        knob->bounds.top = TopLimit() + sound::EncSliderOffset(noiseAndVoice_.EncLevel(), Travel());
    ShowLevel();
    view_.LayOutCurrentPage();
}

void NoiseAndVoicePage::ShowVoiceEffectPage()
{
    ShowState();
    view_.LayOutCurrentPage();
}

void NoiseAndVoicePage::ShowLevel()
{
    if (form::Control* value = view_.Form().Find(L"ENCValueLabel"))
        value->caption = FormatText(15, L"%i", noiseAndVoice_.EncLevel());
}

void NoiseAndVoicePage::ShowState()
{
    ControlStates& states = view_.States();
    states.encOn = noiseAndVoice_.EncOn();
    states.voiceOn = noiseAndVoice_.VoiceOn();
    states.voiceEffect = noiseAndVoice_.VoiceEffect();
}

} // namespace panel
