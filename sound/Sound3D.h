#pragma once
// The 3D effect: its enable switch, FBM, the left and right alpha/beta parameters and how the two
// channels' sliders are linked.

#include "sound/FeatureDevice.h"

namespace sound {

// How the alpha or the beta sliders of the two channels move together.
enum class D3LinkState : int { Independent = 0, Dependent = 1, Inverse = 2 };

class Sound3D {
public:
    explicit Sound3D(const FeatureDevice& device) : device_(device) {}

    int Enabled() const { return enabled_; }
    int Fbm() const { return fbm_; }
    D3LinkState AlphaLink() const { return alphaLink_; }
    D3LinkState BetaLink() const { return betaLink_; }

    void Initialise();
    // The 3D-EN and FBM switches' new states.
    void SetEnabled(int enabled);
    void SetFbm(int fbm);
    // The alpha or the beta link goes to its next state.
    void NextAlphaLink();
    void NextBetaLink();

    // The parameters, the device's stored 3D state and the reset come with the 3D feature's device work.
    void ParameterChanged(int slider, int value);
    void Reset();
    bool TakesEnableFromDevice() const { return false; }
    void ConfirmEnable() {}
    int DefaultProfileSwitch() const { return 0; }
    // Shutdown: default values, FBM on, switched off.
    void ReturnToDefaults();

private:
    const FeatureDevice& device_;
    int enabled_ = 0;
    int fbm_ = 0;
    D3LinkState alphaLink_ = D3LinkState::Independent;
    D3LinkState betaLink_ = D3LinkState::Independent;
};

} // namespace sound
