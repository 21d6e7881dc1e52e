#pragma once
// Environmental noise cancellation (the ENC page) and the voice effects (the VoiceMagic page). Both go
// to the chip through the SDK's generic audio command; their state lives in the registry under the
// product's key, the ENC level per device. Both are offered only for a device with a stored ENC level.
// Everything here runs on the GUI thread: the hardware button's reports reach it through the scan's
// mailbox.

#include "device/ButtonScan.h"
#include "device/SdkEntryPoints.h"
#include "sound/FeatureDevice.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sound {

inline constexpr std::size_t kEncStatusLength = 8;
inline constexpr std::size_t kVoiceBlockLength = 10;

class NoiseAndVoice {
public:
    using AudioBlock = std::array<std::uint8_t, sdk::kAudioCommandLength>;

    explicit NoiseAndVoice(const FeatureDevice& device) : device_(device) {}
    ~NoiseAndVoice();
    NoiseAndVoice(const NoiseAndVoice&) = delete;
    NoiseAndVoice& operator=(const NoiseAndVoice&) = delete;

    bool EncOn() const { return encOn_; }
    int EncLevel() const { return encLevel_; }
    int VoiceEffect() const { return voiceMode_; } // 0 none, 1 to 4
    bool VoiceOn() const { return voiceOn_; }
    const std::array<std::uint8_t, sdk::kEncParameterLength>& EncParameters() const { return encParameters_; }
    const std::array<std::uint8_t, kVoiceBlockLength>& VoiceBlock() const { return voiceBlock_; }

    // Whether the device has a stored ENC level: both functions answer only then.
    bool NoiseCancellationAvailable() const { return available_; }
    // Start-up, arrival and every profile read: the device's stored level switches ENC on and reaches
    // the chip; without one both functions are unavailable.
    void NoiseCancellationFromRegistry();
    // The stored voice effect and mode, sent; only with an active device offering the functions.
    void VoiceEffectFromRegistry();

    // The ENC on/off button.
    void ToggleEnc();
    // The slider shows `level` (a drag or a bar click); nothing is sent or stored.
    void SetEncLevel(int level);
    // The slider's release: the level to the chip and into the device's registry value.
    void CommitEncLevel();
    // The voice on/off button and the five mode buttons (0 to 4).
    void ToggleVoice();
    void ChooseVoiceMode(int mode);

    // The device-absent look: both off.
    void SwitchOff();

    // The hardware button: its configured line ("EncGpio"), how the SDK's thread wakes the GUI thread,
    // and what the GUI thread runs after each report (its pending messages). Set before the first scan.
    void ConfigureButtonScan(std::uint8_t encGpio, std::function<void()> wakeGuiThread,
                             std::function<void()> processPendingMessages);
    // Called after the button toggled ENC, for the page to show it.
    void OnButtonToggle(std::function<void()> toggled) { buttonToggled_ = std::move(toggled); }
    // Sets the GPIO mode and, when the device takes it, starts the SDK's scan for the current device.
    void StartButtonScan();
    // GUI thread: the reports the scan received since the last call.
    void DeliverButtonReports();
    // After a removal: the next press of the device's button counts as its first.
    void ClearButtonSeen();
    // One raw report from the scan (the scan's handler); true when it toggled ENC.
    bool ButtonReport(const device::ButtonReport& report);

private:
    void EncOnOffToDevice(bool on);
    void SendEncParameters();
    void ReadEncState();
    void PutLevelIntoParameters();
    void SetVoiceOnOff(bool on, bool send);
    void SetVoiceMode(int mode);
    // The block to the SDK's audio command, which answers into it; the SDK's result.
    std::int32_t Send(AudioBlock& block);
    std::int32_t Command(std::uint8_t group, std::uint8_t sub, std::uint32_t value);
    std::wstring DeviceValueName() const;

    const FeatureDevice& device_;
    bool available_ = false;
    bool encOn_ = false;
    int encLevel_ = 0;
    bool voiceOn_ = false;
    int voiceMode_ = 0;
    bool firstReport_ = true;
    std::array<std::uint8_t, kEncStatusLength> encStatus_{};
    std::array<std::uint8_t, sdk::kEncParameterLength> encParameters_{};
    std::array<std::uint8_t, kVoiceBlockLength> voiceBlock_{};

    std::uint8_t encGpio_ = 0;
    std::function<void()> wakeGuiThread_;
    std::function<void()> processPendingMessages_;
    std::function<void()> buttonToggled_;
    std::unique_ptr<device::ButtonScan> scan_;
};

} // namespace sound
