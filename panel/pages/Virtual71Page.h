#pragma once
// The Virtual 7.1 page: the enable switch, RESET, the ring's motion buttons and the eight speakers on
// the room picture, with the test sound's picture.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/AudioEndpoints.h"
#include "sound/Virtual71.h"

namespace panel {

inline constexpr wchar_t kRingTimer[] = L"Timer";

class Virtual71Page final : public PagePresenter {
public:
    Virtual71Page(PageView& view, sound::Virtual71& virtual71, const sound::AudioEndpoints& endpoints)
        : view_(view), virtual71_(virtual71), endpoints_(endpoints)
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
    void TimerTick() { virtual71_.MotionTick(); }
    void RescaleSpeakers(int previousRadius, int newRadius) { virtual71_.RescaleRing(previousRadius, newRadius); }
    void HideTestSoundImage();

private:
    PageView& view_;
    sound::Virtual71& virtual71_;
    const sound::AudioEndpoints& endpoints_;
};

} // namespace panel
