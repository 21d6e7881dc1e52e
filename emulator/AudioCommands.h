#pragma once
// The chip's generic audio command: a 234-byte block, byte 0 the group, byte 1 the sub-command, the
// payload from byte 2; answers are written into the same block.
//
//   group 4 (noise cancellation): sub 0 on/off (u32 at byte 2); sub 8 read state: 8 status bytes at
//                                  2-9, the 16-byte parameter block at 134-149
//   group 7 (voice effect):        sub 0 on/off (u32 at byte 2); sub 2 the 10-byte voice block at 2-11

#include "emulator/ChipState.h"

#include <span>

namespace emulator {

inline constexpr std::size_t kEncStatusOffset = 2;
inline constexpr std::size_t kEncParameterOffset = 134;

// `block` is the whole 234-byte block. Returns an SdkStatus value.
std::int32_t RunAudioCommand(SoundState& sound, std::span<std::uint8_t> block);

} // namespace emulator
