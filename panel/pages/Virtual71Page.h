#pragma once
// The Virtual 7.1 page: the enable switch, RESET, the ring's motion buttons and the eight speakers on
// the room picture, with the test sound's picture.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/AudioEndpoints.h"
#include "sound/Sound3D.h"
#include "sound/Virtual71.h"

namespace panel {

inline constexpr wchar_t kRingTimer[] = L"Timer";

class Virtual71Page final : public PagePresenter {
public:
    Virtual71Page(PageView& view, sound::Virtual71& virtual71, sound::Sound3D& sound3D,
                  const sound::AudioEndpoints& endpoints)
        : view_(view), virtual71_(virtual71), sound3D_(sound3D), endpoints_(endpoints)
    {
    }

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;
    bool ImageClick(form::Tag tag) override;
    bool SliderMoved(const form::Control& speaker, DragMode mode) override;
    void ShowDeviceAbsent() override;

    // The presence rules set the switch and show it apart.
    void SetEnabled(int enabled);
    void ShowSwitch();
    // Start-up: the skin's ring and the speakers where the form put them.
    void Initialise();
    // Reset layout: the default ring or the default profile's, shown and sent.
    void ResetLayout();
    void TimerTick();
    // After a skin change, against the ring the skin now gives.
    void RescaleSpeakers(int previousRadius);
    void HideTestSoundImage();
    // The speaker images where the model has them (after a profile moved them).
    void PlaceSpeakers();

private:
    void SwitchedByButton();
    void ShowMotion();
    sound::SpeakerRing SkinRing() const;

    PageView& view_;
    sound::Virtual71& virtual71_;
    sound::Sound3D& sound3D_;
    const sound::AudioEndpoints& endpoints_;
};

} // namespace panel
