#pragma once
// The ENC page's on/off button and level slider, and the VoiceMagic page's on/off button and five mode
// buttons. The buttons carry no tags: the presenter knows them by name.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/NoiseAndVoice.h"

namespace panel {

class NoiseAndVoicePage final : public PagePresenter {
public:
    NoiseAndVoicePage(PageView& view, sound::NoiseAndVoice& noiseAndVoice);
    NoiseAndVoicePage(const NoiseAndVoicePage&) = delete;
    NoiseAndVoicePage& operator=(const NoiseAndVoicePage&) = delete;

    bool ControlClick(const form::Control& control) override;
    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;

    bool NoiseCancellationAvailable() const { return noiseAndVoice_.NoiseCancellationAvailable(); }
    // The two pages show the model's state (after a registry read or a page change).
    void ShowNoiseCancellationPage();
    void ShowVoiceEffectPage();

    // The slider's own handlers, after the main window's generic drag placed it: the press remembers
    // where the cursor and the slider were, a move sets the slider's final top and the level, the
    // release sends the level and stores it.
    void EncSliderPressed(int cursorY);
    void EncSliderDragged(int cursorY);
    void EncSliderReleased();

private:
    // The skin's slider geometry; no travel when the skin gives none.
    int TopLimit() const;
    int Travel() const;
    // Whether a button may act: nothing without a device, the not-available warning without the
    // functions.
    bool MayAct();
    void ShowLevel();
    void ShowState();

    PageView& view_;
    sound::NoiseAndVoice& noiseAndVoice_;
    bool pressed_ = false;
    int pressCursorY_ = 0;
    int pressTop_ = 0;
};

} // namespace panel
