// Any bytes as "MainForm_Frame.rgn": a header is only accepted when the file really holds the
// rectangles it announces, and the file's own fields come back unchanged.
#include "FuzzSupport.h"
#include "panel/skin/RegionFile.h"

#include <cstring>

namespace {

std::uint32_t U32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void CheckAccepted(std::span<const std::uint8_t> file, const panel::RegionHeader& header)
{
    FUZZ_CHECK(file.size() >= panel::kRegionHeaderBytes);
    FUZZ_CHECK(U32(&file[0]) == panel::kRegionHeaderBytes && U32(&file[4]) == panel::kRegionRectangles);
    FUZZ_CHECK(header.count == U32(&file[8]));
    const std::uint32_t rectBytes = U32(&file[12]);
    const std::uint64_t expected = std::uint64_t{header.count} * panel::kRegionRectBytes;
    FUZZ_CHECK(rectBytes == 0 || rectBytes == expected);
    FUZZ_CHECK(file.size() - panel::kRegionHeaderBytes >= expected); // the rectangles can be read
    FUZZ_CHECK(header.bounds.left == static_cast<std::int32_t>(U32(&file[16])));
    FUZZ_CHECK(header.bounds.top == static_cast<std::int32_t>(U32(&file[20])));
    FUZZ_CHECK(header.bounds.right == static_cast<std::int32_t>(U32(&file[24])));
    FUZZ_CHECK(header.bounds.bottom == static_cast<std::int32_t>(U32(&file[28])));
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = fuzz::Bytes(data, size);
    if (const auto header = panel::ReadRegionHeader(file))
        CheckAccepted(file, *header);
    else if (size >= panel::kRegionHeaderBytes) {
        // Rejected: then it is not a well-formed rectangle region whose counts match its size.
        const std::uint32_t count = U32(&data[8]);
        const std::uint32_t rectBytes = U32(&data[12]);
        const std::uint64_t expected = std::uint64_t{count} * panel::kRegionRectBytes;
        FUZZ_CHECK(U32(&data[0]) != panel::kRegionHeaderBytes || U32(&data[4]) != panel::kRegionRectangles ||
                   (rectBytes != 0 && rectBytes != expected) || size - panel::kRegionHeaderBytes < expected);
    }

    // The same rectangles behind a header that tells the truth are always accepted, whatever they hold.
    const std::size_t rectangles = size / panel::kRegionRectBytes;
    std::vector<std::uint8_t> wellFormed(panel::kRegionHeaderBytes + rectangles * panel::kRegionRectBytes);
    PutU32(wellFormed, 0, panel::kRegionHeaderBytes);
    PutU32(wellFormed, 4, panel::kRegionRectangles);
    PutU32(wellFormed, 8, static_cast<std::uint32_t>(rectangles));
    PutU32(wellFormed, 12, size % 2 == 0 ? static_cast<std::uint32_t>(rectangles * panel::kRegionRectBytes) : 0);
    if (rectangles > 0)
        std::memcpy(&wellFormed[panel::kRegionHeaderBytes], data, rectangles * panel::kRegionRectBytes);
    const auto accepted = panel::ReadRegionHeader(wellFormed);
    FUZZ_CHECK(accepted && accepted->count == rectangles);
    CheckAccepted(wellFormed, *accepted);

    // One byte fewer than announced is always refused.
    if (rectangles > 0) {
        wellFormed.pop_back();
        FUZZ_CHECK(!panel::ReadRegionHeader(wellFormed));
    }
    return 0;
}
