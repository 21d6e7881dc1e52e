#pragma once
// "MainForm_Frame.rgn": one window region as the platform's GetRegionData writes it, a 32-byte header
// (size 32, type 1 = rectangles, rectangle count, rectangle bytes, bounding rectangle) followed by the
// rectangles, all little-endian. The header is checked before the platform builds the region, so that
// a damaged file cannot make it read past the end.

#include <cstdint>
#include <optional>
#include <span>

namespace panel {

struct RegionRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct RegionHeader {
    std::uint32_t count = 0;
    RegionRect bounds; // the window takes bounds.right x bounds.bottom
};

inline constexpr std::uint32_t kRegionHeaderBytes = 32;
inline constexpr std::uint32_t kRegionRectangles = 1;
inline constexpr std::uint32_t kRegionRectBytes = 16;

// The header when the file is a well-formed rectangle region whose counts match its size.
std::optional<RegionHeader> ReadRegionHeader(std::span<const std::uint8_t> file);

} // namespace panel
