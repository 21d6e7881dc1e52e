#pragma once
// The Virtual 7.1 page's test sound: "bee.wav" looping while its picture and every speaker circle the
// ring together, the chip following them.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/AudioEndpoints.h"
#include "sound/SpeakerRing.h"
#include "sound/Virtual71.h"

#include <string>

namespace panel {

inline constexpr wchar_t kTestSoundCircleTimer[] = L"BeeTimer";
inline constexpr wchar_t kTestSoundPlayTimer[] = L"BeePlayTimer";

class TestSoundPage final : public PagePresenter {
public:
    TestSoundPage(PageView& view, sound::Virtual71& virtual71, sound::AudioEndpoints& endpoints)
        : view_(view), virtual71_(virtual71), endpoints_(endpoints)
    {
    }

    // `BeeCheckBox` clicked.
    bool ControlClick(const form::Control& control) override;

    // Where "bee.wav" lies.
    void SetProgramFolder(std::wstring folder) { programFolder_ = std::move(folder); }
    void BeeCheckBoxClick(bool checked);
    void BeeTimerTick();
    void BeePlayTimerTick();

private:
    void PlaceBee();
    void PlaceSpeakers();

    PageView& view_;
    sound::Virtual71& virtual71_;
    sound::AudioEndpoints& endpoints_;
    std::wstring programFolder_;
    sound::SpeakerPolar bee_;
};

} // namespace panel
