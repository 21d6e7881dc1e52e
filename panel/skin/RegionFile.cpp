#include "panel/skin/RegionFile.h"

namespace panel {

namespace {
std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::int32_t I32At(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(U32At(bytes, offset));
}
} // namespace

std::optional<RegionHeader> ReadRegionHeader(std::span<const std::uint8_t> file)
{
    if (file.size() < kRegionHeaderBytes)
        return std::nullopt;
    const std::uint32_t headerSize = U32At(file, 0);
    const std::uint32_t type = U32At(file, 4);
    const std::uint32_t count = U32At(file, 8);
    const std::uint32_t rectBytes = U32At(file, 12);
    const std::uint64_t expectedBytes = static_cast<std::uint64_t>(count) * kRegionRectBytes;
    // The platform allows a rectangle-data size of 0 ("not known"); any other must match the count.
    const bool sizeMatches = rectBytes == 0 || rectBytes == expectedBytes;
    if (headerSize != kRegionHeaderBytes || type != kRegionRectangles || !sizeMatches ||
        file.size() - kRegionHeaderBytes < expectedBytes)
        return std::nullopt;
    return RegionHeader{count, {I32At(file, 16), I32At(file, 20), I32At(file, 24), I32At(file, 28)}};
}

} // namespace panel
