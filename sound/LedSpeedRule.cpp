#include "sound/LedSpeedRule.h"

#include <algorithm>
#include <cstdlib>

namespace sound {

namespace {

// Away from the left end the knob is drawn three pixels further right than the place it was dragged to,
// so that it never covers the bar's left cap.
constexpr int kKnobShift = 3;

std::optional<int> SpeedOf(const LedSliderTrack& track, int x, bool fastRightSide)
{
    const int range = track.barWidth - track.knobWidth;
    if (range <= 0)
        return std::nullopt;
    const int percent = std::clamp(std::abs(x - track.barLeft) * 100 / range, 0, 100);
    const int value = percent * kLedFastest / 100;
    if (fastRightSide) {
        const int reversed = kLedFastest - value;
        return reversed == 0 ? kLedSlowest : reversed;
    }
    return std::clamp(value, kLedSlowest, kLedFastest);
}

int Clamp(const LedSliderTrack& track, int x)
{
    const int right = track.barLeft + std::max(track.barWidth - track.knobWidth, 0);
    return std::clamp(x, track.barLeft, right);
}

} // namespace

LedKnobPlace DragLedKnob(const LedSliderTrack& track, int knobLeftAtPress, int dx, bool fastRightSide)
{
    const int x = Clamp(track, knobLeftAtPress + dx);
    return {x == track.barLeft ? x : x + kKnobShift, SpeedOf(track, x, fastRightSide)};
}

std::optional<int> LedSpeedAt(const LedSliderTrack& track, int knobLeft, bool fastRightSide)
{
    // A stored position carries the drawing shift; the place it was dragged to is three pixels left.
    const int x = knobLeft > track.barLeft ? knobLeft - kKnobShift : knobLeft;
    return SpeedOf(track, Clamp(track, x), fastRightSide);
}

} // namespace sound
