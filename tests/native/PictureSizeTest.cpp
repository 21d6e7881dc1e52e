#include "panel/skin/PictureSize.h"

#include "PanelFixture.h"
#include "platform/memory/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using panel::PictureSize;

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> Png(std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> bytes = Bytes(testing_panel::PngHeader(0, 0));
    for (int i = 0; i < 4; ++i) {
        bytes[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        bytes[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    return bytes;
}

// The file header and the start of a BITMAPINFOHEADER.
std::vector<std::uint8_t> Bmp(std::int32_t width, std::int32_t height)
{
    std::vector<std::uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 14, 40, 4);
    PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(height), 4);
    return bytes;
}

// The file header and an old BITMAPCOREHEADER, whose sides are 16-bit.
std::vector<std::uint8_t> CoreBmp(std::uint16_t width, std::uint16_t height)
{
    std::vector<std::uint8_t> bytes(26, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 14, 12, 4);
    PutLittleEndian(bytes, 18, width, 2);
    PutLittleEndian(bytes, 20, height, 2);
    PutLittleEndian(bytes, 22, 1, 2);  // planes
    PutLittleEndian(bytes, 24, 24, 2); // bits per pixel
    return bytes;
}

std::vector<std::uint8_t> Gif(std::uint16_t width, std::uint16_t height)
{
    std::vector<std::uint8_t> bytes = Bytes("GIF89a");
    bytes.resize(13, 0);
    PutLittleEndian(bytes, 6, width, 2);
    PutLittleEndian(bytes, 8, height, 2);
    return bytes;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

TEST(PictureSize, HeadersTellTheSize)
{
    const struct {
        const char* what;
        std::vector<std::uint8_t> header;
        std::optional<PictureSize> expected;
    } cases[] = {
        {"PNG", Png(760, 460), PictureSize{760, 460}},
        {"PNG, bytes in big-endian order", Png(0x0102, 0x0304), PictureSize{0x0102, 0x0304}},
        {"PNG, exactly the header", Cut(Png(20, 10), 24), PictureSize{20, 10}},
        {"BMP bottom-up", Bmp(40, 30), PictureSize{40, 30}},
        {"BMP top-down", Bmp(40, -30), PictureSize{40, 30}},
        {"BMP, bytes in little-endian order", Bmp(0x0102, 0x0304), PictureSize{0x0102, 0x0304}},
        {"BMP, exactly the sizes", Cut(Bmp(7, 9), 26), PictureSize{7, 9}},
        {"BMP with the old core header", CoreBmp(300, 20), PictureSize{300, 20}},
        {"BMP core header, exactly the sizes", Cut(CoreBmp(3, 4), 22), PictureSize{3, 4}},
        {"BMP core header cut before the height", Cut(CoreBmp(3, 4), 21), std::nullopt},
        {"GIF", Gif(16, 300), PictureSize{16, 300}},
        {"GIF, exactly the screen size", Cut(Gif(1, 2), 10), PictureSize{1, 2}},

        {"empty", {}, std::nullopt},
        {"PNG cut before the height", Cut(Png(20, 10), 23), std::nullopt},
        {"PNG magic only", Cut(Png(20, 10), 8), std::nullopt},
        {"BMP cut before the height", Cut(Bmp(7, 9), 25), std::nullopt},
        {"BMP magic only", Cut(Bmp(7, 9), 2), std::nullopt},
        {"GIF cut before the height", Cut(Gif(1, 2), 9), std::nullopt},
        {"JPEG",
         {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
         std::nullopt},
        {"text", Bytes("[Main]\r\nMainFormImage=main.png\r\n"), std::nullopt},
        {"PNG zero width", Png(0, 10), std::nullopt},
        {"PNG zero height", Png(10, 0), std::nullopt},
        {"PNG with the sign bit", Png(0x80000010, 10), std::nullopt},
        {"PNG far too wide", Png(70000, 10), std::nullopt},
        {"BMP negative width", Bmp(-40, 30), std::nullopt},
        {"BMP zero height", Bmp(40, 0), std::nullopt},
        {"BMP most negative height", Bmp(40, INT32_MIN), std::nullopt},
        {"BMP far too tall", Bmp(40, 0x01000000), std::nullopt},
        {"GIF zero width", Gif(0, 5), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel::ReadPictureSize(c.header), c.expected) << c.what;
}

TEST(PictureSize, FileIsReadThroughTheFileSystem)
{
    const std::wstring path = L"C:\\Skin\\Dark\\main.png";
    memory::MemoryFileSystem files;
    EXPECT_EQ(panel::ReadPictureSize(files, path), std::nullopt);

    files.Put(path, testing_panel::PngHeader(760, 460));
    EXPECT_EQ(panel::ReadPictureSize(files, path), (PictureSize{760, 460}));

    files.FailReads(path, ports::ReadStatus::ReadFailed);
    EXPECT_EQ(panel::ReadPictureSize(files, path), std::nullopt);
    files.FailReads(path, ports::ReadStatus::Ok);

    files.Put(path, testing_panel::PngHeader(760, 460).substr(0, 20));
    EXPECT_EQ(panel::ReadPictureSize(files, path), std::nullopt);
}

} // namespace
