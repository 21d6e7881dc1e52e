#pragma once
// The five-band equalizer with its four presets: the presets in the configuration image, the preset in
// use, the enable switch, and how they reach the chip (the gains as registers over the HID register
// channel, the enable state through the SDK).

#include "sound/EqualizerRecord.h"
#include "sound/FeatureDevice.h"

#include <array>

namespace sound {

class Equalizer {
public:
    explicit Equalizer(const FeatureDevice& device) : device_(device) {}

    // Start-up, before any profile: the image with the default block and four default presets, every
    // slider in the middle of its `travel`, the equalizer off.
    void Initialise(int travel);

    int CurrentPreset() const { return currentPreset_; } // 1 to 4
    int Enabled() const { return enabled_; }
    bool Flat() const { return flat_; }
    const ConfigurationImage& Image() const { return image_; }
    ConfigurationImage& Image() { return image_; }
    const EqRecord& Working() const { return working_; }
    // The slider's offset below the top of its track for a preset (1 to 4) and band (0 to 4).
    int SliderOffset(int preset, int band) const { return positions_.at(preset - 1).at(band); }

    // The preset buttons make `preset` the one in use.
    void ChoosePreset(int preset);
    // The EQ-EN switch's new state: kept in the current preset's record and sent to the device.
    void SetEnabled(int enabled);
    // The enable state to the device (nothing while no device is active): a flat preset switches the
    // device's equalizer off whatever the switch says; otherwise the state is sent, read back and sent
    // once more when the device disagrees.
    void SendOnOff(int flag);
    // The switch shows off once the device went; nothing is sent.
    void ClearEnabled() { enabled_ = 0; }
    // The default profile's switch after an arrival: on, and sent.
    void SwitchOn();

    // Band change, reset and the device's stored preset come with the equalizer's device work.
    void BandChanged(int band, int offset);
    void Reset();
    bool TakesEnableFromDevice() const { return false; }
    void ConfirmEnable() {}
    int DefaultProfileSwitch() const { return 0; }
    // Shutdown: the default preset values, switched off.
    void ReturnToDefaults();

private:
    // The working record into `slot`, marked as the last slot when it is S4.
    void PackSlot(int slot);

    const FeatureDevice& device_;
    ConfigurationImage image_;
    EqRecord working_ = DefaultEqRecord();
    std::array<std::array<int, kEqBands>, kEqPresets> positions_{};
    int currentPreset_ = 1;
    int enabled_ = 0;
    bool flat_ = false;
};

} // namespace sound
