#include "sound/SpeakerRing.h"

#include <algorithm>
#include <cmath>

namespace sound {

namespace {
// The chip was tuned against these roundings of π and 2π; exact values would shift angles slightly.
constexpr double kPi = 3.14159265;
constexpr double kTwoPi = 6.2831853;
constexpr SpeakerPosition kOldLayoutBlindSpot{664, 355};
constexpr SpeakerPosition kOldLayoutNudged{665, 356};
constexpr std::array<double, 4> kDiagonals = {2.3561944875, 0.7853981625, 3.9269908125, 5.4977871375}; // L, R, LB, RB
} // namespace

SpeakerValue ComputeSpeakerValue(SpeakerPosition position, const SpeakerRing& ring, bool oldLayout)
{
    if (position.left == ring.centreX && position.top == ring.centreY)
        return {};
    if (oldLayout && position == kOldLayoutBlindSpot)
        position = kOldLayoutNudged;
    const double x = position.left;
    const double y = position.top;
    const double cx = ring.centreX;
    const double cy = ring.centreY;
    const double dx = x - cx;
    const double dy = cy - y;
    const bool below = y > cy;
    const bool left = x < cx;
    double angle = 0.0;
    if (below && left)
        angle = kPi + std::atan2(y - cy, cx - x);
    else if (below)
        angle = kTwoPi - std::atan2(y - cy, x - cx);
    else if (left)
        angle = kPi - std::atan2(cy - y, cx - x);
    else
        angle = std::atan2(cy - y, x - cx);
    return {static_cast<float>(std::sqrt(dx * dx + dy * dy)), static_cast<float>(angle)};
}

SpeakerValues ComputeSpeakerValues(const SpeakerPositions& positions, const SpeakerRing& ring, bool oldLayout)
{
    SpeakerValues values;
    for (std::size_t i = 0; i < positions.size(); ++i)
        values[i] = ComputeSpeakerValue(positions[i], ring, oldLayout);
    return values;
}

SpeakerPositions DefaultSpeakerRing(const SpeakerRing& ring)
{
    const int h = ring.radius / 2;
    const double k = 1.6 * h;
    const int cx = ring.centreX;
    const int cy = ring.centreY;
    const auto diagonal = [&](double angle) {
        return SpeakerPosition{static_cast<int>(cx + std::cos(angle) * k), static_cast<int>(cy - std::sin(angle) * k)};
    };
    return {
        diagonal(kDiagonals[0]),
        diagonal(kDiagonals[1]),
        SpeakerPosition{cx, static_cast<int>(cy - k)},
        SpeakerPosition{cx, cy - h},
        SpeakerPosition{static_cast<int>(cx - k), cy},
        SpeakerPosition{static_cast<int>(cx + k), cy},
        diagonal(kDiagonals[2]),
        diagonal(kDiagonals[3]),
    };
}

SpeakerPosition PlaceOnRing(const SpeakerRing& ring, const SpeakerPolar& polar)
{
    return {static_cast<int>(ring.centreX + std::cos(polar.angle) * polar.distance),
            static_cast<int>(ring.centreY - std::sin(polar.angle) * polar.distance)};
}

float DistanceFactor(float distance, int radius)
{
    // A skin without "VirtualCenter" has no radius: every speaker counts as on the centre.
    if (radius <= 0)
        return 0.0f;
    return std::clamp(kMaxDistanceFactor * distance / static_cast<float>(radius), 0.0f, kMaxDistanceFactor);
}

sdk::Virtual7ch1Block BuildVirtualBlock(int enabled, const SpeakerValues& values, int radius)
{
    sdk::Virtual7ch1Block block{};
    block.enabled = enabled != 0 ? 1 : 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        block.distanceFactor[i] = DistanceFactor(values[i].distance, radius);
        block.angle[i] = values[i].angle;
    }
    return block;
}

SpeakerPosition RescaledSpeaker(SpeakerPosition position, const SpeakerRing& ring, int previousRadius)
{
    if (previousRadius <= 0 || ring.radius <= 0)
        return position;
    const auto scaled = [&](int value, int centre) {
        return centre + static_cast<int>(static_cast<long long>(value - centre) * ring.radius / previousRadius);
    };
    return {scaled(position.left, ring.centreX), scaled(position.top, ring.centreY)};
}

} // namespace sound
