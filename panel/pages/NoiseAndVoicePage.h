#pragma once
// The ENC page's noise-cancellation slider and the VoiceMagic page's voice effects.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/NoiseAndVoice.h"

namespace panel {

class NoiseAndVoicePage final : public PagePresenter {
public:
    NoiseAndVoicePage(PageView& view, sound::NoiseAndVoice& noiseAndVoice) : view_(view), noiseAndVoice_(noiseAndVoice)
    {
    }

    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;

    bool NoiseCancellationAvailable() const { return noiseAndVoice_.NoiseCancellationAvailable(); }
    // The two pages show the model's state (after a registry read or a page change).
    void ShowNoiseCancellationPage();
    void ShowVoiceEffectPage();

private:
    void ShowState();

    PageView& view_;
    sound::NoiseAndVoice& noiseAndVoice_;
};

} // namespace panel
