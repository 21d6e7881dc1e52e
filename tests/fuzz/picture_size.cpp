// Any bytes as a skin picture: a size comes back only for a PNG, BMP or GIF header that says one
// within the plausible range, it is the header's own, and bytes after the header never change it.
#include "FuzzSupport.h"
#include "panel/skin/PictureSize.h"
#include "platform/memory/MemoryFileSystem.h"

#include <cstring>

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, const char* magic, std::size_t length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

// Where each format keeps its size: the reader must not look past it.
std::size_t HeaderLength(std::span<const std::uint8_t> bytes)
{
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n", 8))
        return 24;
    if (StartsWith(bytes, "BM", 2)) {
        // An old core header (its own size 12 at offset 14) keeps 16-bit sizes and ends sooner.
        const bool core = bytes.size() >= 18 && bytes[14] == 12 && bytes[15] == 0 && bytes[16] == 0 && bytes[17] == 0;
        return core ? 22 : 26;
    }
    if (StartsWith(bytes, "GIF", 3))
        return 10;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto bytes = fuzz::Bytes(data, size);
    const auto result = panel::ReadPictureSize(bytes);
    const std::size_t header = HeaderLength(bytes);
    if (result) {
        FUZZ_CHECK(header != 0 && size >= header);
        FUZZ_CHECK(result->width >= 1 && result->width <= (1 << 16));
        FUZZ_CHECK(result->height >= 1 && result->height <= (1 << 16));
        // Only the header decides: the same header with anything else after it reads the same.
        FUZZ_CHECK(panel::ReadPictureSize(bytes.first(header)) == result);
        if (header == 10) {
            FUZZ_CHECK(result->width == (data[6] | data[7] << 8) && result->height == (data[8] | data[9] << 8));
        }
    } else if (header != 0 && size >= header) {
        FUZZ_CHECK(!panel::ReadPictureSize(bytes.first(header)));
    }
    if (header != 0 && size > 0 && size < header)
        FUZZ_CHECK(!result); // too short to say

    // Through the file system the same file reads the same.
    memory::MemoryFileSystem files;
    files.Put(L"C:\\skin\\picture.png", bytes);
    FUZZ_CHECK(panel::ReadPictureSize(files, L"C:\\skin\\picture.png") == result);
    FUZZ_CHECK(!panel::ReadPictureSize(files, L"C:\\skin\\missing.png"));
    return 0;
}
