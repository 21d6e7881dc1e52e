#pragma once
// The Effect page's five room effects and the Mic page's boost, mute, monitor, gain slider and meter.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/EffectsAndMic.h"

namespace panel {

class EffectsAndMicPage final : public PagePresenter {
public:
    EffectsAndMicPage(PageView& view, sound::EffectsAndMic& effectsAndMic) : view_(view), effectsAndMic_(effectsAndMic)
    {
    }

    bool ImageMouseDown(form::Tag tag) override;
    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;

    void InitialiseEffect();
    void MuteAndMonitorOff();
    void EmptyMeter();

private:
    void SelectEffect(int effect);

    PageView& view_;
    sound::EffectsAndMic& effectsAndMic_;
};

} // namespace panel
