#pragma once
// The five-band equalizer with its four presets (the EQ page).

#include "sound/FeatureContext.h"

namespace sound {

class Equalizer {
public:
    explicit Equalizer(FeatureContext& context) : context_(context) {}

    // The model at construction: configuration image, presets and their pictures.
    void InitialiseModel();
    // After the enable button switched: send the enable state.
    void EnableSwitched();
    void SelectPreset(int preset);
    // A band's slider was dragged or put to a track click: its position becomes the band's gain.
    void BandSliderMoved(const form::Control& slider);
    void ResetClick();
    // Whether the profile takes the equalizer from the device's memory, and the confirmation it then
    // needs; otherwise the default profile's switch.
    bool TakesEnableFromDevice() const;
    void ConfirmEnable();
    int DefaultProfileSwitch() const;
    void SwitchOn();
    // Shutdown: the default preset values, switched off.
    void ReturnToDefaults();

private:
    FeatureContext& context_;
};

} // namespace sound
