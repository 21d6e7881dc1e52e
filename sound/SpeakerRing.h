#pragma once
// The virtual 7.1 ring's arithmetic: speaker positions (an image's left and top, in pixels) against the
// ring's centre and radius, the values the chip takes for them, and the 68-byte block that carries them.

#include "device/SdkEntryPoints.h"

#include <array>

namespace sound {

inline constexpr int kRingSpeakers = sdk::kSpeakerCount; // L, R, C, SUB, LS, RS, LB, RB

struct SpeakerRing {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
    bool operator==(const SpeakerRing&) const = default;
};

struct SpeakerPosition {
    int left = 0;
    int top = 0;
    bool operator==(const SpeakerPosition&) const = default;
};

// What the chip takes for one speaker: its distance from the centre in pixels and its angle in
// radians, [0, 2π), counted counter-clockwise on the screen from the right.
struct SpeakerValue {
    float distance = 0.0f;
    float angle = 0.0f;
};

// What rotation and scaling move: the angle as the chip takes it, the distance kept finer so that
// one-pixel steps add up.
struct SpeakerPolar {
    float angle = 0.0f;
    double distance = 0.0;
};

using SpeakerPositions = std::array<SpeakerPosition, kRingSpeakers>;
using SpeakerValues = std::array<SpeakerValue, kRingSpeakers>;
using SpeakerPolars = std::array<SpeakerPolar, kRingSpeakers>;

inline constexpr float kRingStep = 0.0174532925f; // one degree a tick
inline constexpr double kNarrowestDistance = 10.0;
inline constexpr double kWidestDistance = 111.0;
inline constexpr float kMaxDistanceFactor = 1.7f;

// `oldLayout`: the old skin layout, where a speaker standing exactly on (664, 355) counts as (665, 356).
SpeakerValue ComputeSpeakerValue(SpeakerPosition position, const SpeakerRing& ring, bool oldLayout);
SpeakerValues ComputeSpeakerValues(const SpeakerPositions& positions, const SpeakerRing& ring, bool oldLayout);

// The factory layout: C, SUB and the surrounds on the axes, L, R, LB, RB on the diagonals.
SpeakerPositions DefaultSpeakerRing(const SpeakerRing& ring);

// Where a speaker at `polar` stands, truncated toward zero.
SpeakerPosition PlaceOnRing(const SpeakerRing& ring, const SpeakerPolar& polar);

// 1.7 · distance / radius within [0, 1.7]; 0 for a ring without radius.
float DistanceFactor(float distance, int radius);

sdk::Virtual7ch1Block BuildVirtualBlock(int enabled, const SpeakerValues& values, int radius);

// After a change of radius the speakers keep their place relative to the ring; a radius of 0 on
// either side leaves them where they are.
SpeakerPosition RescaledSpeaker(SpeakerPosition position, const SpeakerRing& ring, int previousRadius);

} // namespace sound
