#include "sound/NoiseAndVoice.h"

#include "common/RegistryStore.h"
#include "common/Text.h"
#include "device/AudioCommand.h"
#include "device/ByteOrder.h"
#include "sound/NoiseAndVoiceLevel.h"

#include <algorithm>
#include <utility>

namespace sound {

namespace {

constexpr std::uint8_t kReadEncStateSub = 8;
constexpr std::uint8_t kVoiceModeSub = 2;
constexpr std::size_t kPayloadOffset = 2;
constexpr std::size_t kEncParameterOffset = 134; // where the read's answer carries the parameter block
constexpr std::size_t kEncLevelOffset = 8;       // the level inside the parameter block
constexpr wchar_t kVoiceEnableValue[] = L"VoiceMagicEnable";
constexpr wchar_t kVoiceLevelValue[] = L"VoiceMagicLevel";

// The report byte and bit of each configured button line; other lines carry no button.
bool ButtonBit(std::uint8_t encGpio, std::size_t& byte, int& bit)
{
    switch (encGpio) {
    case 1:
    case 2:
    case 3:
        byte = 2;
        bit = encGpio;
        return true;
    case 8:
    case 9:
        byte = 3;
        bit = encGpio - 8;
        return true;
    default:
        return false;
    }
}

NoiseAndVoice::AudioBlock NewBlock(std::uint8_t group, std::uint8_t sub)
{
    NoiseAndVoice::AudioBlock block{};
    block[0] = group;
    block[1] = sub;
    return block;
}

} // namespace

NoiseAndVoice::~NoiseAndVoice() = default;

std::wstring NoiseAndVoice::DeviceValueName() const
{
    return FormatText(31, L"VID_%.4X&PID_%.4X", device_.state.deviceVid, device_.state.devicePid);
}

std::int32_t NoiseAndVoice::Send(AudioBlock& block)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return -1;
    const auto length = static_cast<std::int32_t>(block.size());
    return sdk->DLLQZ_AudioCommand(block.data(), length, length);
}

std::int32_t NoiseAndVoice::Command(std::uint8_t group, std::uint8_t sub, std::uint32_t value)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return -1;
    return device::SendAudioCommandValue(*sdk, group, sub, value);
}

void NoiseAndVoice::NoiseCancellationFromRegistry()
{
    if (!device_.Active())
        return;
    std::uint32_t stored = 0;
    if (ReadSoftwareDword(device_.platform.registry, kEncValueMapKey, DeviceValueName(), stored) != kReadDwordOk) {
        available_ = false;
        encOn_ = false;
        return;
    }
    available_ = true;
    encOn_ = true;
    // The value is anyone's to edit: a level beyond the slider's range would put it off its track.
    encLevel_ = static_cast<int>(std::min<std::uint32_t>(stored, kEncLevelMax));
    EncOnOffToDevice(true);
    ReadEncState();
    PutLevelIntoParameters();
    SendEncParameters();
}

void NoiseAndVoice::EncOnOffToDevice(bool on)
{
    if (Command(device::kNoiseCancellationGroup, device::kOnOffSubCommand, on ? 1 : 0) != 0)
        Command(device::kNoiseCancellationGroup, device::kOnOffSubCommand, on ? 1 : 0);
}

void NoiseAndVoice::ReadEncState()
{
    encStatus_.fill(0);
    encParameters_.fill(0);
    AudioBlock block = NewBlock(device::kNoiseCancellationGroup, kReadEncStateSub);
    // A read that fails leaves the blocks cleared rather than taking whatever the SDK left behind.
    if (Send(block) != 0)
        return;
    std::copy_n(block.begin() + kPayloadOffset, encStatus_.size(), encStatus_.begin());
    std::copy_n(block.begin() + kEncParameterOffset, encParameters_.size(), encParameters_.begin());
}

void NoiseAndVoice::PutLevelIntoParameters()
{
    device::PutU32(encParameters_, kEncLevelOffset, static_cast<std::uint32_t>(encLevel_));
}

void NoiseAndVoice::SendEncParameters()
{
    if (ports::AudioSdk* sdk = device_.Sdk())
        sdk->DLLQZ_SetEnc_Parameters(encParameters_.data());
}

void NoiseAndVoice::ToggleEnc()
{
    encOn_ = !encOn_;
    EncOnOffToDevice(encOn_);
    SendEncParameters();
}

void NoiseAndVoice::SetEncLevel(int level)
{
    encLevel_ = std::clamp(level, 0, kEncLevelMax);
}

void NoiseAndVoice::CommitEncLevel()
{
    PutLevelIntoParameters();
    SendEncParameters();
    SaveSoftwareDword(device_.platform.registry, kEncValueMapKey, DeviceValueName(),
                      static_cast<std::uint32_t>(encLevel_));
}

void NoiseAndVoice::VoiceEffectFromRegistry()
{
    if (!device_.Active() || !available_)
        return;
    ports::Registry& registry = device_.platform.registry;
    std::uint32_t enabled = 0;
    if (ReadSoftwareDword(registry, kProductSoftwareKey, kVoiceEnableValue, enabled) != kReadDwordOk)
        enabled = 0;
    std::uint32_t level = 0;
    voiceMode_ = ReadSoftwareDword(registry, kProductSoftwareKey, kVoiceLevelValue, level) == kReadDwordOk
                     ? VoiceModeFromRegistry(level)
                     : 0;
    voiceOn_ = enabled != 0;
    SetVoiceOnOff(voiceOn_, true);
    SetVoiceMode(voiceMode_);
}

void NoiseAndVoice::SetVoiceOnOff(bool on, bool send)
{
    SaveSoftwareDword(device_.platform.registry, kProductSoftwareKey, kVoiceEnableValue, on ? 1 : 0);
    device::PutU32(voiceBlock_, 0, on ? 1 : 0);
    if (!send)
        return;
    Command(device::kVoiceEffectGroup, device::kOnOffSubCommand, on ? 1 : 0);
    SetVoiceMode(voiceMode_);
}

void NoiseAndVoice::SetVoiceMode(int mode)
{
    voiceMode_ = std::clamp(mode, 0, kVoiceModeCount - 1);
    voiceBlock_.fill(0);
    device::PutU32(voiceBlock_, 0, voiceOn_ ? 1 : 0);
    device::PutU16(voiceBlock_, 4, static_cast<std::uint16_t>(VoiceLevelOffset(voiceMode_)));
    SaveSoftwareDword(device_.platform.registry, kProductSoftwareKey, kVoiceLevelValue, VoiceRegistryValue(voiceMode_));
    AudioBlock block = NewBlock(device::kVoiceEffectGroup, kVoiceModeSub);
    std::copy(voiceBlock_.begin(), voiceBlock_.end(), block.begin() + kPayloadOffset);
    Send(block);
}

void NoiseAndVoice::ToggleVoice()
{
    voiceOn_ = !voiceOn_;
    SetVoiceOnOff(voiceOn_, true);
}

void NoiseAndVoice::ChooseVoiceMode(int mode)
{
    SetVoiceMode(mode);
}

void NoiseAndVoice::SwitchOff()
{
    encOn_ = false;
    voiceOn_ = false;
    voiceMode_ = 0;
}

void NoiseAndVoice::ConfigureButtonScan(std::uint8_t encGpio, std::function<void()> wakeGuiThread,
                                        std::function<void()> processPendingMessages)
{
    encGpio_ = encGpio;
    wakeGuiThread_ = std::move(wakeGuiThread);
    processPendingMessages_ = std::move(processPendingMessages);
}

void NoiseAndVoice::StartButtonScan()
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return;
    if (!scan_)
        scan_ = std::make_unique<device::ButtonScan>(
            *sdk, device_.platform.debug, encGpio_,
            device::ButtonScan::Hooks{wakeGuiThread_,
                                      [this](const device::ButtonReport& report) {
                                          ButtonReport(report);
                                          return 0;
                                      },
                                      processPendingMessages_});
    scan_->Start(device_.state.deviceVid, device_.state.devicePid);
}

void NoiseAndVoice::DeliverButtonReports()
{
    if (scan_)
        scan_->DeliverReports();
}

void NoiseAndVoice::ClearButtonSeen()
{
    if (scan_)
        scan_->ClearButtonSeen();
}

bool NoiseAndVoice::ButtonReport(const device::ButtonReport& report)
{
    if (!scan_ || !scan_->ButtonSeen())
        return false;
    if (std::exchange(firstReport_, false))
        return false;
    std::size_t byte = 0;
    int bit = 0;
    if (!ButtonBit(encGpio_, byte, bit))
        return false;
    // The line reads high while the button is up: only a press toggles.
    if ((report[byte] >> bit & 1) != 0)
        return false;
    encOn_ = !encOn_;
    if (buttonToggled_)
        buttonToggled_();
    EncOnOffToDevice(encOn_);
    return true;
}

} // namespace sound
