#pragma once
// The five-band equalizer with its four presets: the presets in the configuration image, the preset in
// use, the enable switch, and how they reach the chip (the gains as registers over the HID register
// channel, the enable state through the SDK, a stored preset read from the device's EEPROM).

#include "sound/EqualizerRecord.h"
#include "sound/FeatureDevice.h"

#include <array>
#include <span>
#include <string>

namespace sound {

enum class SelectPresetResult : int { Ok = 0, NoHandle = 1, WriteFailed = 2, EndOfTransferFailed = 3, Flat = 5 };

enum class HardwareEnableResult : int {
    Ok = 0,
    NoHandle = 1,
    ReadFailed = 2,
    WriteFailed = 3,
    RecordWriteFailed = 4,
    ReadForOffFailed = 5,
    WriteOffFailed = 6,
    EndOfTransferFailed = 8,
};

// NoPreset also when a byte of the stored record does not read.
enum class EepromPresetResult : int { Ok = 0, ReadFailed = 1, NoPreset = 2 };

inline constexpr int kPresetFieldCount = kEqBands + 1; // five gains, then the enable state

class Equalizer {
public:
    explicit Equalizer(const FeatureDevice& device) : device_(device) {}

    // Start-up, before any profile: the image with the default block and four default presets, every
    // slider in the middle of its `travel`, the equalizer off.
    void Initialise(int travel);
    // "DefaultProfile.ini" when "DefaultIni" asks resets to take the presets from it; empty otherwise.
    void SetDefaultProfile(std::wstring path) { defaultProfile_ = std::move(path); }
    // While a profile is written the preset walk must not reach the device.
    void SetProfileWriting(bool writing) { profileWriting_ = writing; }
    void SetFromEeprom(int fromEeprom) { fromEeprom_ = fromEeprom != 0 ? 1 : 0; }
    int FromEeprom() const { return fromEeprom_; }

    int CurrentPreset() const { return currentPreset_; } // 1 to 4
    int Enabled() const { return enabled_; }
    bool Flat() const { return flat_; }
    // The device's 3D hint of the last EEPROM preset read, for the 3D effect.
    bool EepromHint3D() const { return eepromHint3D_; }
    const ConfigurationImage& Image() const { return image_; }
    ConfigurationImage& Image() { return image_; }
    const EqRecord& Working() const { return working_; }
    // The slot (0 to 3) whose gains and slider offsets the page shows: the one refreshed last.
    int ShownSlot() const { return shownSlot_; }
    // The slider's offset below the top of its track for a preset (1 to 4) and band (0 to 4).
    int SliderOffset(int preset, int band) const { return positions_.at(preset - 1).at(band); }
    int Travel() const { return travel_; }

    // The preset buttons: `preset` (1 to 4) is the one in use, sent to the device with the enable state.
    void ChoosePreset(int preset);
    // Unpacks `preset` and writes it whole into the chip's registers while synchronized.
    SelectPresetResult SelectPreset(int preset);
    // Unpacks `slot` into the working record and places its sliders from its gains.
    void RefreshSliders(int slot);
    // Another skin's track: every preset's sliders are placed again from their gains, the slot shown
    // last ending up in the working record as before.
    void SetTravel(int travel);
    // A band's slider stands `offset` pixels below the top of its track: the gain goes to the chip
    // while synchronized, and into the current preset.
    void BandChanged(int band, int offset);
    // The EQ-EN switch's new state: kept in the current preset's record and sent to the device.
    void SetEnabled(int enabled);
    // A profile's switch; the profile then sends it.
    void SetEnabledFromProfile(int enabled) { enabled_ = enabled; }
    // The switch shows off once the device went; nothing is sent.
    void ClearEnabled() { enabled_ = 0; }
    // The default profile's switch after an arrival: on, and sent.
    void SwitchOn();
    // The enable state to the device (nothing while no device is active): a flat preset switches the
    // device's equalizer off whatever the switch says; otherwise the state is sent, read back and sent
    // once more when the device disagrees.
    void SendOnOff(int flag);

    // Five gains (decimal or "0x" hexadecimal) and the enable state into `slot`, then shown and sent,
    // then the preset `current` (0 to 3) again. False, with the gains read so far kept, at the first
    // field that is no integer.
    bool ApplyPresetFields(std::span<const std::wstring> fields, int slot, int current);
    // Bit 2 of register 0x100 on or off; on also writes the current record.
    HardwareEnableResult HardwareEnable(int on);
    // RESET: the current preset from "DefaultProfile.ini" or the default record, sent to the chip band by
    // band. True when it reached the device, after which the caller sends the 3D state again.
    bool Reset();
    // The preset stored in the device's EEPROM into S1, its gains halved toward flat.
    EepromPresetResult ReadEepromPreset();
    void QueryAndRead();

    bool TakesEnableFromDevice() const { return fromEeprom_ == 1; }
    void ConfirmEnable() { QueryAndRead(); }
    // The arrival default "EQEN" of "DefaultProfile.ini".
    void SetDefaultProfileSwitch(int value) { defaultSwitch_ = value; }
    int DefaultProfileSwitch() const { return defaultSwitch_; }
    // Shutdown: the reset, then the equalizer switched off on the device; as Reset.
    bool ReturnToDefaults();

private:
    // The working record into `slot`, marked as the last slot when it is S4.
    void PackSlot(int slot);
    void UpdateFlat() { flat_ = working_.Flat(); }
    // The band's gain registers: false when a read or write failed.
    bool WriteBand(ports::HidInterface& hid, int band, std::uint16_t code);
    bool WriteWholeRecord(ports::HidInterface& hid);
    bool ReadEepromByte(std::uint8_t slave, std::uint8_t address, std::uint8_t& value);

    const FeatureDevice& device_;
    ConfigurationImage image_;
    EqRecord working_ = DefaultEqRecord();
    std::array<std::array<int, kEqBands>, kEqPresets> positions_{};
    std::wstring defaultProfile_;
    int travel_ = 0;
    int currentPreset_ = 1;
    int shownSlot_ = 0;
    int enabled_ = 0;
    int fromEeprom_ = 0;
    int defaultSwitch_ = 0;
    bool flat_ = false;
    bool profileWriting_ = false;
    bool eepromHint3D_ = false;
};

// An integer field of a profile or of the device's preset: decimal, or hexadecimal after "0x".
bool ParsePresetField(const std::wstring& text, long long& value);

} // namespace sound
