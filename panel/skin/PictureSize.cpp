#include "panel/skin/PictureSize.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace panel {

namespace {

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

std::int32_t LittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
                                     std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24);
}

int LittleEndian16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

constexpr std::array<std::uint8_t, 8> kPngMagic = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<std::uint8_t, 2> kBmpMagic = {'B', 'M'};
constexpr std::array<std::uint8_t, 3> kGifMagic = {'G', 'I', 'F'};
constexpr std::int32_t kBmpCoreHeaderBytes = 12;
constexpr int kLargestSide = 1 << 16; // no skin picture is larger; anything else is a broken header

std::optional<PictureSize> Plausible(long long width, long long height)
{
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

} // namespace

std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> header)
{
    // PNG: the first chunk is IHDR, whose data starts with the big-endian width and height.
    if (StartsWith(header, kPngMagic) && header.size() >= 24)
        return Plausible(BigEndian32(header, 16), BigEndian32(header, 20));
    // BMP: the info header follows the 14-byte file header; a negative height means top-down rows. The
    // old 12-byte core header has 16-bit sides.
    if (StartsWith(header, kBmpMagic) && header.size() >= 18 && LittleEndian32(header, 14) == kBmpCoreHeaderBytes)
        return header.size() >= 22 ? Plausible(LittleEndian16(header, 18), LittleEndian16(header, 20)) : std::nullopt;
    if (StartsWith(header, kBmpMagic) && header.size() >= 26)
        return Plausible(LittleEndian32(header, 18), std::llabs(LittleEndian32(header, 22)));
    if (StartsWith(header, kGifMagic) && header.size() >= 10)
        return Plausible(LittleEndian16(header, 6), LittleEndian16(header, 8));
    return std::nullopt;
}

std::optional<PictureSize> ReadPictureSize(const ports::FileSystem& files, const std::wstring& path)
{
    const ports::FileBytes file = files.ReadAll(path);
    if (file.status != ports::ReadStatus::Ok)
        return std::nullopt;
    return ReadPictureSize(file.bytes);
}

} // namespace panel
