#include "sound/NoiseAndVoiceLevel.h"

#include <array>

namespace sound {

namespace {

constexpr std::array<std::int16_t, kVoiceModeCount> kVoiceOffsets = {0, -3, 7, -10, 12};
constexpr int kVoiceRegistryBias = 12;

} // namespace

int EncLevelFromDrag(int top, int topLimit, int travel, int current)
{
    if (travel <= 0)
        return current;
    const int bottom = topLimit + travel;
    const float step = static_cast<float>(bottom - topLimit) / static_cast<float>(kEncLevelMax);
    return static_cast<int>(static_cast<float>(bottom - top) / step);
}

int EncLevelFromBarClick(int top, int topLimit, int travel, int current)
{
    if (travel <= 0)
        return current;
    return ((topLimit + travel - top) * kEncLevelMax) / travel;
}

int EncSliderOffset(int level, int travel)
{
    const float t = static_cast<float>(travel);
    return static_cast<int>(t - t * static_cast<float>(level) / static_cast<float>(kEncLevelMax));
}

std::int16_t VoiceLevelOffset(int mode)
{
    return mode >= 0 && mode < kVoiceModeCount ? kVoiceOffsets[static_cast<std::size_t>(mode)] : 0;
}

std::uint32_t VoiceRegistryValue(int mode)
{
    return static_cast<std::uint32_t>(VoiceLevelOffset(mode) + kVoiceRegistryBias);
}

int VoiceModeFromRegistry(std::uint32_t value)
{
    for (int mode = 0; mode < kVoiceModeCount; ++mode)
        if (VoiceRegistryValue(mode) == value)
            return mode;
    return 0;
}

} // namespace sound
