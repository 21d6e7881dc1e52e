#pragma once
// The 3D effect: left and right alpha/beta, their links, FBM (the 3D page).

#include "sound/FeatureContext.h"

namespace sound {

class Sound3D {
public:
    explicit Sound3D(FeatureContext& context) : context_(context) {}

    void InitialiseModel();
    // After the 3D enable button switched: send it, with the rules against virtual 7.1.
    void EnableSwitched();
    void FbmSwitched();
    // The alpha (tag 14) or beta (tag 15) link goes to its next state.
    void NextLink(int tag);
    void SliderMoved(const form::Control& slider);
    void ResetClick();
    bool TakesEnableFromDevice() const;
    void ConfirmEnable();
    int DefaultProfileSwitch() const;
    void SwitchOn();
    void SwitchOff();
    // Shutdown: default values, FBM on, switched off.
    void ReturnToDefaults();

private:
    FeatureContext& context_;
};

} // namespace sound
