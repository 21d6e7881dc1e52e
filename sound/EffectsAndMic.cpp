#include "sound/EffectsAndMic.h"

#include <algorithm>

namespace sound {

namespace {
constexpr std::uint32_t kEffectSwitchOn = 1;
} // namespace

void EffectsAndMic::InitialiseEffect()
{
    selectedEffect_ = 1;
}

void EffectsAndMic::SelectEffect(int effect)
{
    if (effect < 1 || effect > kEffectCount)
        return;
    selectedEffect_ = effect;
    SendEffect(effect);
}

void EffectsAndMic::SendEffect(int effect)
{
    device_.channel.SelectEffect(static_cast<std::uint32_t>(effect - 1));
    device_.channel.SwitchEffect(kEffectSwitchOn);
}

void EffectsAndMic::SetGain(int percent)
{
    gainPercent_ = std::clamp(percent, 0, 100);
    endpoints_.SetVolume(gainPercent_);
}

MicReading EffectsAndMic::RefreshGain()
{
    int percent = 0;
    if (!endpoints_.GetVolume(percent).succeeded)
        return {gainPercent_, false};
    gainPercent_ = std::clamp(percent, 0, 100);
    return {gainPercent_, true};
}

void EffectsAndMic::RefreshMicrophone()
{
    RefreshGain();
    bool boost = false;
    if (endpoints_.GetBoost(boost).succeeded)
        boost_ = boost ? 1 : 0;
    bool muted = false;
    if (endpoints_.GetMute(muted).succeeded)
        mute_ = muted ? 1 : 0;
}

void EffectsAndMic::SetBoost(int on)
{
    boost_ = on != 0 ? 1 : 0;
    endpoints_.SetBoost(boost_ != 0);
}

void EffectsAndMic::SetMute(int on)
{
    mute_ = on != 0 ? 1 : 0;
    SendMuteToWindows(mute_ != 0);
}

void EffectsAndMic::SendMuteToWindows(bool on)
{
    const int tries = endpoints_.EndpointBackEnd() ? kMuteTries : 1;
    for (int attempt = 0; attempt < tries; ++attempt)
        if (endpoints_.SetMute(on).succeeded)
            return;
}

void EffectsAndMic::SetMonitor(int on)
{
    monitor_ = on != 0 ? 1 : 0;
    SendMonitor(monitor_ != 0);
}

void EffectsAndMic::SendMonitor(bool on)
{
    switch (monitorMode_) {
    case static_cast<int>(MonitorMode::RecordAndReplay):
        if (on)
            endpoints_.StartRecordAndReplay();
        else
            endpoints_.StopRecordAndReplay();
        return;
    case static_cast<int>(MonitorMode::ListenSwitch):
        endpoints_.SwitchListening(on);
        endpoints_.RestartAudioService();
        return;
    default:
        MonitorThroughRegisters(on);
        return;
    }
}

void EffectsAndMic::MonitorThroughRegisters(bool on)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return;
    // Each register access is tried once more when the SDK refuses it; the value read is not used.
    const auto twice = [](auto&& access) {
        if (access() != 0)
            access();
    };
    std::uint8_t control = 0;
    twice([&] { return sdk->DLLQZ_Read_Register_ById(kMonitorControlRegister, &control, kSdkDeviceIndex); });
    twice([&] { return sdk->DLLQZ_Write_Register_ById(kMonitorControlRegister, kMonitorControlValue, kSdkDeviceIndex); });
    const std::uint8_t value = on ? kMonitorOnValue : 0x00;
    twice([&] { return sdk->DLLQZ_Write_Register_ById(kMonitorSwitchRegister, value, kSdkDeviceIndex); });
}

void EffectsAndMic::MuteAndMonitorOff()
{
    SendMuteToWindows(false);
    SendMonitor(false);
}

void EffectsAndMic::ResetMicState()
{
    boost_ = 0;
    mute_ = 0;
}

} // namespace sound
