#pragma once
// The Mic page's arithmetic: the level meter's width for one captured buffer, and the gain slider's
// place for a gain.

#include <cstdint>
#include <span>

namespace sound {

inline constexpr std::size_t kCaptureBufferBytes = 400;

// The mean distance of 8-bit samples from the silent 128; 0 for no samples.
unsigned MeterMean(std::span<const std::uint8_t> samples);
// (full width · 2 · mean) >> 7.
int MeterLevel(int fullWidth, unsigned mean);
// 0 for level 0; otherwise the largest 4·j + 10 with j < level that fits the full width, so the
// meter grows in steps of 4 pixels from 10 and never beyond the full width.
int MeterWidth(int level, int fullWidth);
// The three steps for one buffer.
int MeterWidthOf(std::span<const std::uint8_t> samples, int fullWidth);

// The knob's top for a gain in per cent: 100 at the top limit, 0 at the bottom of the travel.
int MicSliderTop(int gainPercent, int topLimit, int travel);

} // namespace sound
