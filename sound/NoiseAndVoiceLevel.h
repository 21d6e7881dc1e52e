#pragma once
// The noise-cancellation slider's arithmetic: its top and the level 0 to 30 it stands for, and the
// voice modes' level offsets as the chip and the registry keep them.

#include <cstdint>

namespace sound {

inline constexpr int kEncLevelMax = 30;
inline constexpr int kVoiceModeCount = 5;

// The level a dragged slider gives, in 32-bit float as the chip's own tools compute it; `travel` is the
// slider's way down from `topLimit`. Without travel (a skin without the slider's geometry) nothing can be
// measured: the level stays `current`.
int EncLevelFromDrag(int top, int topLimit, int travel, int current);
// The level a click on the bar gives: whole-number arithmetic; `current` without travel.
int EncLevelFromBarClick(int top, int topLimit, int travel, int current);
// How far below `topLimit` the slider stands for `level`.
int EncSliderOffset(int level, int travel);

// Mode 0 to 4: its signed level offset, and the registry value (offset + 12) that names it.
std::int16_t VoiceLevelOffset(int mode);
std::uint32_t VoiceRegistryValue(int mode);
// A stored registry value's mode; a value not in the table reads as mode 0.
int VoiceModeFromRegistry(std::uint32_t value);

} // namespace sound
