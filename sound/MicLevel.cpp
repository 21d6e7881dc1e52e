#include "sound/MicLevel.h"

#include <algorithm>
#include <cstdlib>

namespace sound {

unsigned MeterMean(std::span<const std::uint8_t> samples)
{
    if (samples.empty())
        return 0;
    std::uint64_t sum = 0;
    for (const std::uint8_t sample : samples)
        sum += static_cast<std::uint64_t>(std::abs(int{sample} - 128));
    return static_cast<unsigned>(sum / samples.size());
}

int MeterLevel(int fullWidth, unsigned mean)
{
    return static_cast<int>((static_cast<long long>(fullWidth) * 2 * mean) >> 7);
}

int MeterWidth(int level, int fullWidth)
{
    // The largest j below `level` with 4·j + 10 within the full width; none leaves the meter empty.
    if (level <= 0 || fullWidth < 10)
        return 0;
    const int j = std::min(level - 1, (fullWidth - 10) / 4);
    return 4 * j + 10;
}

int MeterWidthOf(std::span<const std::uint8_t> samples, int fullWidth)
{
    return MeterWidth(MeterLevel(fullWidth, MeterMean(samples)), fullWidth);
}

int MicSliderTop(int gainPercent, int topLimit, int travel)
{
    return topLimit + travel - (gainPercent * travel) / 100;
}

} // namespace sound
