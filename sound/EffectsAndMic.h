#pragma once
// The environment effects (the Effect page) and the microphone (the Mic page): the effect in use, the
// microphone's gain, boost, mute and monitor.

#include "sound/FeatureDevice.h"

namespace sound {

inline constexpr int kEffectCount = 5;

class EffectsAndMic {
public:
    explicit EffectsAndMic(const FeatureDevice& device) : device_(device) {}

    int SelectedEffect() const { return selectedEffect_; } // 1 to 5
    int Boost() const { return boost_; }
    int Mute() const { return mute_; }
    int Monitor() const { return monitor_; }
    int GainPercent() const { return gainPercent_; }

    void InitialiseEffect();
    void SelectEffect(int effect);
    void SetBoost(int on);
    void SetMute(int on);
    void SetMonitor(int on);
    void SetGain(int percent);
    // Start capture, read the microphone state, stop capture unless the Mic page shows.
    void RunMicrophoneProbe();
    void MuteAndMonitorOff();
    void ResetMicState();

private:
    [[maybe_unused]] const FeatureDevice& device_; // the device work comes with the feature
    int selectedEffect_ = 1;
    int boost_ = 0;
    int mute_ = 0;
    int monitor_ = 0;
    int gainPercent_ = 0;
};

} // namespace sound
