#pragma once
// The LED page's speed sliders: where a dragged knob stands and which speed that place means. A knob
// lies on a horizontal bar; the speed runs from 1 at the bar's left end to 255 at its right end, or the
// other way round when the skin puts the fast side on the left ("LEDFastRightSide" 1).

#include <optional>

namespace sound {

inline constexpr int kLedSlowest = 1;
inline constexpr int kLedFastest = 255;

struct LedSliderTrack {
    int barLeft = 0;
    int barWidth = 0;
    int knobWidth = 0;
};

struct LedKnobPlace {
    int knobLeft = 0;         // where the knob is drawn; also the position profiles keep
    std::optional<int> speed; // none when the bar is no wider than its knob: the speed stays
};

// The knob dragged `dx` pixels from where it stood at the press.
LedKnobPlace DragLedKnob(const LedSliderTrack& track, int knobLeftAtPress, int dx, bool fastRightSide);

// The speed a stored knob position means (the LED set-up recomputes the speeds from the positions).
std::optional<int> LedSpeedAt(const LedSliderTrack& track, int knobLeft, bool fastRightSide);

} // namespace sound
