#pragma once
// The 3D effect: its enable switch (on the device through the SDK and bit 7 of register 0x100), FBM,
// the left and right alpha/beta parameters with their sliders, and how the two channels' sliders are
// linked. The parameters live in the configuration image beside the equalizer's presets.

#include "sound/Equalizer.h"
#include "sound/FeatureDevice.h"
#include "sound/Virtual71.h"

#include <array>

namespace sound {

// How the alpha or the beta sliders of the two channels move together; NotChosen until the first press.
enum class D3LinkState : int { NotChosen = -1, Independent = 0, Dependent = 1, Inverse = 2 };

// The four sliders, in the order of their tags.
enum class D3Slider : int { LeftBeta = 0, LeftAlpha = 1, RightBeta = 2, RightAlpha = 3 };
inline constexpr int kD3SliderCount = 4;

struct D3Record {
    bool d3Bit = false;
    bool fbm = true;
    int leftAlpha = 10;
    int leftBeta = 3;
    int rightAlpha = 10;
    int rightBeta = 3;
    bool operator==(const D3Record&) const = default;
};

// A 3D slider's top moves within these form coordinates whatever the skin; its values follow the
// equalizer's travel.
inline constexpr int kD3SliderTop = 105;
inline constexpr int kD3SliderBottom = 225;
int D3ValueFromTop(int top, int travel);
int D3TopFromValue(int value, int travel);

// The record from and into the image's bytes 0xA1, 0xE7 and 0xE8; other bits of 0xA1 stay.
D3Record ReadD3Record(const ConfigurationImage& image);
void StoreD3Record(const D3Record& record, ConfigurationImage& image);

class Sound3D {
public:
    Sound3D(const FeatureDevice& device, Equalizer& equalizer, Virtual71& virtual71)
        : device_(device), equalizer_(equalizer), virtual71_(virtual71)
    {
    }

    int Enabled() const { return enabled_; }
    int FbmButton() const { return fbmButton_; }
    const D3Record& Record() const { return record_; }
    D3LinkState AlphaLink() const { return alphaLink_; }
    D3LinkState BetaLink() const { return betaLink_; }
    int SliderTop(D3Slider slider) const { return tops_.at(static_cast<std::size_t>(slider)); }
    int Value(D3Slider slider) const;

    // "3DV7ch1MutuallyExclusive": switching one of 3D and virtual 7.1 on switches the other off.
    void SetExclusiveWithVirtual(bool exclusive) { exclusive_ = exclusive; }
    bool ExclusiveWithVirtual() const { return exclusive_; }
    void SetFromEeprom(int fromEeprom) { fromEeprom_ = fromEeprom != 0 ? 1 : 0; }
    int FromEeprom() const { return fromEeprom_; }
    void SetDefaultProfileSwitch(int value) { defaultSwitch_ = value; }
    int DefaultProfileSwitch() const { return defaultSwitch_; }

    // Start-up: FBM on, the defaults read back from the image, sliders placed for the skin's `travel`.
    void Initialise(int travel);
    // Another skin's travel: the sliders are placed again from the values.
    void SetTravel(int travel);
    // The 3D-EN button's new state; with exclusion, switching 3D on first switches virtual 7.1 off on
    // the device. True when it did so.
    bool SwitchedByButton(int enabled);
    // The FBM button's new state, into the record, the image and register 0x18A.
    void SetFbm(int fbm);
    void NextAlphaLink();
    void NextBetaLink();
    // A slider dragged to `top`: its partner follows by the link, and both channels go to the chip.
    void MoveSlider(D3Slider slider, int top);
    // RESET and shutdown: the defaults, on the chip while synchronized.
    void Reset();
    // The enable state to the device through the SDK (read back and sent once more when it differs);
    // with exclusion and virtual 7.1 on, 3D goes off instead.
    void SendOnOff(int flag);
    // Bit 7 of register 0x100; switching on also turns nibbles 0xA of registers 0x1CD and 0x1CE into 0xF.
    void SetRegisterBit(bool on);
    // The device's 3D state (or the equalizer's stored-preset hint) switches 3D on.
    void Query();
    bool TakesEnableFromDevice() const { return fromEeprom_ == 1; }
    void ConfirmEnable() { Query(); }
    // The presence rules: on (the default profile) or off (exclusion), with the SDK.
    void SwitchOn();
    void SwitchOff();
    // The switch shows off once the device went; nothing is sent.
    void ClearEnabled() { enabled_ = 0; }
    // A profile's switch; the profile then sends it.
    void SetEnabledFromProfile(int enabled) { enabled_ = enabled != 0 ? 1 : 0; }
    // Shutdown: reset, FBM back on with its register, switched off.
    void ReturnToDefaults();

private:
    void PlaceSliders();
    void WriteFbmRegister();
    // Registers 0x18A to 0x18C from the record; false when a step failed.
    bool WriteParameters(ports::HidInterface& hid);

    const FeatureDevice& device_;
    Equalizer& equalizer_;
    Virtual71& virtual71_;
    D3Record record_;
    std::array<int, kD3SliderCount> tops_{};
    int travel_ = 0;
    int enabled_ = 0;
    int fbmButton_ = 1;
    int fromEeprom_ = 0;
    int defaultSwitch_ = 0;
    bool exclusive_ = false;
    int deviceState_ = 0;
    D3LinkState alphaLink_ = D3LinkState::NotChosen;
    D3LinkState betaLink_ = D3LinkState::NotChosen;
};

} // namespace sound
