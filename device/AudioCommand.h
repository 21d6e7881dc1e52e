#pragma once
// The SDK's generic audio command: a zero-filled 234-byte block, byte 0 the group, byte 1 the
// sub-command, the payload from byte 2.

#include "device/ports/AudioSdk.h"

#include <cstdint>

namespace device {

inline constexpr std::uint8_t kNoiseCancellationGroup = 4;
inline constexpr std::uint8_t kVoiceEffectGroup = 7;
inline constexpr std::uint8_t kOnOffSubCommand = 0;

// A command whose payload is one 32-bit little-endian value; the SDK's result, 0 for success.
std::int32_t SendAudioCommandValue(ports::AudioSdk& sdk, std::uint8_t group, std::uint8_t subCommand,
                                   std::uint32_t value);

} // namespace device
