#pragma once
// The EQ page's equalizer controls: EQ-EN, the four preset buttons, RESET and the five band sliders,
// with the status area's preset name.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/Equalizer.h"
#include "sound/Sound3D.h"

namespace panel {

class EqualizerPage final : public PagePresenter {
public:
    EqualizerPage(PageView& view, sound::Equalizer& equalizer, sound::Sound3D& sound3D)
        : view_(view), equalizer_(equalizer), sound3D_(sound3D)
    {
    }

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;
    bool ImageClick(form::Tag tag) override;
    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;
    void SkinChanged() override;

    // Construction: the model with the skin's slider travel.
    void Initialise();
    // The default profile's switch after an arrival: on, on the device and on the page.
    void SwitchOn();
    // The preset button `preset` (1 to 4) is pressed.
    void SelectPreset(int preset);

    // The sliders, their lower tracks and values for the slot the model refreshed last, and EQ-EN.
    void ShowSliders();
    // Only the value labels' captions, after a language gave them its texts.
    void ShowValues();
    // RESET: the preset's reset, then the 3D state again when it reached the device.
    void Reset();

private:
    void ShowEnabled();

    PageView& view_;
    sound::Equalizer& equalizer_;
    sound::Sound3D& sound3D_;
};

} // namespace panel
