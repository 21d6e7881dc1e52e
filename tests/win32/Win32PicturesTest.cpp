// The skin pictures through GDI+: sizes come from the file header without decoding, a paint decodes
// only what it draws, once per file, and lets go of what it did not draw beyond the spare budget.
#include "platform/win32/Win32Pictures.h"

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32UiHandles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A 24-bit bottom-up BMP of one colour.
std::vector<std::uint8_t> Bmp(int width, int height)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> bytes(54 + pixels, 0x80);
    const auto put = [&bytes](std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, 54 + pixels, 4);
    put(6, 0, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(30, 0, 4);
    put(34, pixels, 4);
    put(38, 2835, 4);
    put(42, 2835, 4);
    put(46, 0, 4);
    put(50, 0, 4);
    return bytes;
}

class PicturesTest : public ::testing::Test {
protected:
    PicturesTest()
    {
        wchar_t temp[MAX_PATH]{};
        folder_ = std::wstring(temp, ::GetTempPathW(MAX_PATH, temp)) + L"tonvio-pictures-" +
                  std::to_wstring(::GetCurrentProcessId());
        files_.CreateFolder(folder_);
        small_ = Put(L"small.bmp", Bmp(20, 10));
        large_ = Put(L"large.bmp", Bmp(100, 50));
        dc_.Reset(::CreateCompatibleDC(nullptr));
        const HDC screen = ::GetDC(nullptr); // a memory DC's own bitmap is monochrome
        bitmap_.Reset(::CreateCompatibleBitmap(screen, 200, 200));
        ::ReleaseDC(nullptr, screen);
        previous_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~PicturesTest() override
    {
        ::SelectObject(dc_.Get(), previous_);
        files_.RemoveFile(small_);
        files_.RemoveFile(large_);
        ::RemoveDirectoryW(folder_.c_str());
    }

    std::wstring Put(const std::wstring& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::wstring path = folder_ + L"\\" + name;
        EXPECT_TRUE(files_.WriteAll(path, bytes));
        return path;
    }

    // One paint that draws `files`.
    void Paint(win32::PictureCache& pictures, std::initializer_list<std::wstring> files)
    {
        pictures.BeginPaint();
        const RECT target{0, 0, 40, 40};
        for (const std::wstring& file : files)
            pictures.Draw(dc_.Get(), file, target);
        pictures.EndPaint();
    }

    win32::Win32FileSystem files_;
    std::wstring folder_, small_, large_;
    win32::MemoryDc dc_;
    win32::BitmapHandle bitmap_;
    HGDIOBJ previous_ = nullptr;
};

constexpr std::size_t kSmallBytes = 20 * 10 * 4;
constexpr std::size_t kLargeBytes = 100 * 50 * 4;

TEST_F(PicturesTest, SizesComeFromTheHeaderWithoutDecoding)
{
    win32::PictureCache pictures;
    const auto size = pictures.Size(large_);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 100);
    EXPECT_EQ(size->height, 50);
    EXPECT_EQ(pictures.DecodedBytes(), 0u);
    EXPECT_FALSE(pictures.Size(folder_ + L"\\missing.bmp").has_value());
}

TEST_F(PicturesTest, APaintDecodesWhatItDrawsOnceAndLetsGoOfTheRestBeyondTheSpareBudget)
{
    win32::PictureCache pictures(kLargeBytes); // undrawn pictures may keep the large one's bytes
    Paint(pictures, {large_, large_, small_});
    EXPECT_EQ(pictures.DecodedBytes(), kLargeBytes + kSmallBytes) << "each file decoded once";
    EXPECT_EQ(::GetPixel(dc_.Get(), 10, 10), RGB(0x80, 0x80, 0x80)) << "the pictures were drawn";

    Paint(pictures, {small_});
    EXPECT_EQ(pictures.DecodedBytes(), kLargeBytes + kSmallBytes) << "the undrawn large one fits the spare";
    Paint(pictures, {large_});
    Paint(pictures, {folder_ + L"\\missing.bmp"});
    EXPECT_EQ(pictures.DecodedBytes(), kLargeBytes) << "the least recently drawn goes first";

    win32::PictureCache small(kSmallBytes);
    Paint(small, {large_, small_});
    Paint(small, {});
    EXPECT_EQ(small.DecodedBytes(), kSmallBytes) << "of pictures drawn last together, the largest goes first";

    win32::PictureCache nothingSpare(0);
    Paint(nothingSpare, {small_});
    Paint(nothingSpare, {});
    EXPECT_EQ(nothingSpare.DecodedBytes(), 0u);
    EXPECT_TRUE(nothingSpare.Size(small_).has_value()) << "the size stays known";
}

} // namespace
