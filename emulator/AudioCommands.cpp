#include "emulator/AudioCommands.h"

#include "device/ByteOrder.h"
#include "emulator/SdkStatus.h"

#include <algorithm>

namespace emulator {

namespace {

constexpr std::uint8_t kNoiseCancellation = 4;
constexpr std::uint8_t kVoiceEffect = 7;
constexpr std::uint8_t kOnOff = 0;
constexpr std::uint8_t kReadEncState = 8;
constexpr std::uint8_t kVoiceMode = 2;
constexpr std::size_t kVoiceBlockOffset = 2;
// The firmware's own status bytes: the state first, then its family and revision.
constexpr std::uint8_t kFirmwareFamily = 0x48;
constexpr std::uint8_t kFirmwareRevision = 0x02;

std::int32_t FlagFrom(std::span<const std::uint8_t> block)
{
    return device::GetU32(block, 2) != 0 ? 1 : 0;
}

} // namespace

std::int32_t RunAudioCommand(SoundState& sound, std::span<std::uint8_t> block)
{
    const std::uint8_t group = block[0];
    const std::uint8_t sub = block[1];
    if (group == kNoiseCancellation && sub == kOnOff) {
        sound.encEnabled = FlagFrom(block);
        return kSdkOk;
    }
    if (group == kNoiseCancellation && sub == kReadEncState) {
        std::fill(std::begin(sound.encStatus), std::end(sound.encStatus), std::uint8_t{0});
        sound.encStatus[0] = static_cast<std::uint8_t>(sound.encEnabled);
        sound.encStatus[1] = kFirmwareFamily;
        sound.encStatus[2] = kFirmwareRevision;
        std::copy(std::begin(sound.encStatus), std::end(sound.encStatus), block.begin() + kEncStatusOffset);
        std::copy(std::begin(sound.encParameters), std::end(sound.encParameters), block.begin() + kEncParameterOffset);
        return kSdkOk;
    }
    if (group == kVoiceEffect && sub == kOnOff) {
        sound.voiceEnabled = FlagFrom(block);
        return kSdkOk;
    }
    if (group == kVoiceEffect && sub == kVoiceMode) {
        std::copy_n(block.begin() + kVoiceBlockOffset, sizeof sound.voiceBlock, sound.voiceBlock);
        return kSdkOk;
    }
    return kSdkNoAnswer;
}

} // namespace emulator
