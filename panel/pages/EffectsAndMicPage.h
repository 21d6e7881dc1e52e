#pragma once
// The Effect page's five room effects and the Mic page's boost, mute, monitor, gain slider and meter.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/AudioEndpoints.h"
#include "sound/EffectsAndMic.h"

#include <cstdint>
#include <span>

namespace panel {

// Repeats the record-and-replay monitor's replay while it runs.
inline constexpr wchar_t kReplayTimer[] = L"ReplayTimer";

class EffectsAndMicPage final : public PagePresenter {
public:
    EffectsAndMicPage(PageView& view, sound::EffectsAndMic& effectsAndMic, sound::AudioEndpoints& endpoints);

    bool ImageMouseDown(form::Tag tag) override;
    bool SliderMoved(const form::Control& slider, DragMode mode) override;
    void ShowDeviceAbsent() override;
    void PageLaidOut() override;

    // Start-up: effect 1 current and highlighted, nothing sent.
    void InitialiseEffect();
    // A profile's effect: current, shown and sent.
    void LoadEffect(int effect);
    // The model's effect highlighted, after a profile chose it.
    void ShowEffect();
    // Gain, boost and mute read back from Windows and shown.
    void RefreshMicrophone();
    // Capture runs while Windows is asked, and stays on only while the Mic page shows.
    void RunMicrophoneProbe(bool micPageShown);
    void MuteAndMonitorOff();
    // Start-up: boost and mute off, the meter empty.
    void ResetMicState();
    void EmptyMeter();
    // One completed capture buffer: the meter's new width.
    void MeterStep(std::span<const std::uint8_t> samples);
    void ReplayTimerTick();

private:
    void SelectEffect(int effect);
    void ShowMeter();
    void ShowGain();
    void ShowSwitches();
    void FollowReplay();

    PageView& view_;
    sound::EffectsAndMic& effectsAndMic_;
    sound::AudioEndpoints& endpoints_;
    int meterWidth_ = 0;
};

} // namespace panel
