#pragma once
// The environment effects (the Effect page) and the microphone (the Mic page): the room effect the
// filter driver applies, and the microphone's gain, boost, mute and monitor through Windows audio or
// the chip's registers.

#include "sound/AudioEndpoints.h"
#include "sound/FeatureDevice.h"

#include <cstdint>

namespace sound {

inline constexpr int kEffectCount = 5;

// How Monitor lets the user hear the microphone ("Monitor" of [Mic]).
enum class MonitorMode : int { Registers = 1, RecordAndReplay = 2, ListenSwitch = 3 };

inline constexpr std::uint16_t kMonitorControlRegister = 0x200;
inline constexpr std::uint16_t kMonitorSwitchRegister = 0x230;
inline constexpr std::uint8_t kMonitorControlValue = 0x04;
inline constexpr std::uint8_t kMonitorOnValue = 0x20;
inline constexpr int kMuteTries = 3;

// The microphone's state as Windows reports it.
struct MicReading {
    int gainPercent = 0;
    bool gainRead = false;
};

class EffectsAndMic {
public:
    EffectsAndMic(const FeatureDevice& device, AudioEndpoints& endpoints) : device_(device), endpoints_(endpoints) {}

    int SelectedEffect() const { return selectedEffect_; } // 1 to 5
    int Boost() const { return boost_; }
    int Mute() const { return mute_; }
    int Monitor() const { return monitor_; }
    int GainPercent() const { return gainPercent_; }
    // Any value but 2 and 3 drives Monitor through the chip's registers.
    void SetMonitorMode(int mode) { monitorMode_ = mode; }
    int MonitorModeValue() const { return monitorMode_; }

    // Start-up: effect 1 is current; nothing is sent.
    void InitialiseEffect();
    // An effect button, or a profile's "CurrentEffect": current (1 to 5), then sent. Other numbers are
    // ignored.
    void SelectEffect(int effect);
    // Selection with the effect's index (n − 1), then the switch with 1; failures are not reported.
    void SendEffect(int effect);

    // The gain in per cent to Windows.
    void SetGain(int percent);
    // Gain, boost and mute read back from Windows.
    void RefreshMicrophone();
    // Only the gain part of the refresh.
    MicReading RefreshGain();
    void SetBoost(int on);
    // On the endpoint back-end tried up to three times until it goes through.
    void SetMute(int on);
    void SetMonitor(int on);
    // The device's arrival: mute and monitor off in Windows and on the chip; the stored states stay.
    void MuteAndMonitorOff();
    // Start-up: boost and mute shown off.
    void ResetMicState();
    // The device went: the mute button shows off.
    void ClearMute() { mute_ = 0; }

    // The record-and-replay monitor's replay, every second while it runs.
    bool ReplayRunning() const { return endpoints_.RecordAndReplayRunning(); }
    void ReplayTick() { endpoints_.ReplayTick(); }

private:
    void SendMuteToWindows(bool on);
    void SendMonitor(bool on);
    void MonitorThroughRegisters(bool on);

    const FeatureDevice& device_;
    AudioEndpoints& endpoints_;
    int selectedEffect_ = 1;
    int boost_ = 0;
    int mute_ = 0;
    int monitor_ = 0;
    int gainPercent_ = 0;
    int monitorMode_ = 1;
};

} // namespace sound
