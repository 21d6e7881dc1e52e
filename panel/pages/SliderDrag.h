#pragma once
// The sliders of the main window: which control starts which drag, and where a dragged knob may go.

#include "panel/form/Control.h"
#include "panel/skin/SkinSetting.h"

#include <string_view>

namespace panel {

enum class DragMode : int { None = 0, EqBand = 1, MicGain = 2, Speaker = 3, D3 = 4, NoiseCancellation = 5, LedSpeed = 6 };

// The drag a press on this control starts; None for any other control.
DragMode DragModeOf(std::wstring_view control);

// The track (tag + 100) or lower track (tag + 200) images and the knob they belong to.
struct TrackOfSlider {
    const wchar_t* track;
    const wchar_t* lowerTrack;
    const wchar_t* slider;
};
// The slider whose track or lower track this is; null for any other control.
const TrackOfSlider* FindTrack(std::wstring_view control);

struct TopRange {
    int low = 0;
    int high = 0;
    int Clamp(int top) const { return top < low ? low : (top > high ? high : top); }
};

inline constexpr TopRange kD3SliderRange{105, 225};

// From the skin's top limit and travel.
TopRange TravelRange(const SliderGeometry& geometry);
// The noise-cancellation knob stays 10 pixels below the bar's top and 1.2 knob heights above its
// bottom.
TopRange NoiseCancellationRange(const form::Bounds& bar, int sliderHeight);

// The microphone gain in per cent of the knob's place on its travel: 100 at the top limit.
int MicGainPercent(int top, const SliderGeometry& geometry);

// Where a dragged speaker may go: its left-top corner within the ring's radius, and each axis only while
// the speaker stays 10 pixels inside the ring picture (more than 10 on the left). Returns the bounds the speaker takes; an axis that
// would leave the picture keeps its old value, and a move out of the ring keeps both.
form::Bounds ClampSpeaker(const form::Bounds& current, int newLeft, int newTop, const RingGeometry& ring,
                          const form::Bounds& ringPicture);

} // namespace panel
