#include "sound/Equalizer.h"

namespace sound {

namespace {
constexpr std::int32_t kDeviceIndex = 0;
} // namespace

void Equalizer::Initialise(int travel)
{
    image_.Reset();
    working_ = DefaultEqRecord();
    for (int slot = 0; slot < kEqPresets; ++slot)
        PackEqRecord(working_, image_.Slot(slot)); // unchanged: every slot carries the last-slot marker
    for (auto& preset : positions_)
        preset.fill(travel / 2);
    enabled_ = 0;
}

void Equalizer::ChoosePreset(int preset)
{
    if (preset < 1 || preset > kEqPresets)
        return;
    currentPreset_ = preset;
}

void Equalizer::SetEnabled(int enabled)
{
    enabled_ = enabled != 0 ? 1 : 0;
    PackSlot(currentPreset_ - 1);
    SendOnOff(enabled_);
}

void Equalizer::SwitchOn()
{
    enabled_ = 1;
    SendOnOff(enabled_);
}

void Equalizer::SendOnOff(int flag)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (!device_.Active() || sdk == nullptr)
        return;
    sdk->DLLQZ_ConfigEQ_ById(kDeviceIndex);
    if (flat_) {
        sdk->DLLQZ_SetEQ_OnOff_ById(0, kDeviceIndex);
        return;
    }
    sdk->DLLQZ_SetEQ_OnOff_ById(flag, kDeviceIndex);
    std::int32_t state = 0;
    if (sdk->DLLQZ_IsEQ_Enable_ById(&state, kDeviceIndex) != 0 || state != flag)
        sdk->DLLQZ_SetEQ_OnOff_ById(flag, kDeviceIndex);
}

void Equalizer::PackSlot(int slot)
{
    working_.lastSlot = slot == kEqPresets - 1;
    PackEqRecord(working_, image_.Slot(slot));
}

// The equalizer's register work comes with its own feature; until then these keep the page's look only.
void Equalizer::BandChanged(int, int) {}

void Equalizer::Reset() {}

void Equalizer::ReturnToDefaults() {}

} // namespace sound
