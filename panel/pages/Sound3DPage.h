#pragma once
// The 3D controls: 3D-EN on the EQ page; FBM, the alpha and beta links, the four sliders and RESET on
// the 3D page.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/Sound3D.h"

namespace panel {

class Sound3DPage final : public PagePresenter {
public:
    Sound3DPage(PageView& view, sound::Sound3D& sound3D) : view_(view), sound3D_(sound3D) {}

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;
    bool ImageClick(form::Tag tag) override;
    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;
    void SkinChanged() override;

    void Initialise();
    // The presence rules switch 3D on (the default profile) or off (exclusive with virtual 7.1).
    void SwitchOn();
    void SwitchOff();

    // The sliders, their values and the FBM button from the model.
    void ShowControls();
    // Only the value labels' captions, after a language gave them its texts.
    void ShowValues();

private:
    void ShowEnabled();
    void ShowSliders();
    void ShowLinks();

    PageView& view_;
    sound::Sound3D& sound3D_;
};

} // namespace panel
