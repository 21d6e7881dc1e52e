#include "platform/win32/Win32Pictures.h"

#include "panel/skin/PictureSize.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Failure.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <array>
#include <vector>

namespace win32 {

namespace gdip = Gdiplus::DllExports;

namespace {

// Enough of a file for the size fields of every header the size reader knows.
constexpr DWORD kHeaderBytes = 32;

std::optional<PictureSize> SizeFromHeader(const std::wstring& file)
{
    const FileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return std::nullopt;
    std::array<std::uint8_t, kHeaderBytes> header{};
    DWORD read = 0;
    if (!::ReadFile(handle.Get(), header.data(), kHeaderBytes, &read, nullptr))
        return std::nullopt;
    const auto size = panel::ReadPictureSize(std::span(header.data(), read));
    if (!size)
        return std::nullopt;
    return PictureSize{size->width, size->height};
}

} // namespace

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (const Gdiplus::Status status = Gdiplus::GdiplusStartup(&token_, &input, nullptr); status != Gdiplus::Ok) {
        ReportError(SystemDebugOutput(), L"GdiplusStartup", static_cast<DWORD>(status));
        token_ = 0;
    }
}

GdiplusSession::~GdiplusSession()
{
    if (token_ != 0)
        Gdiplus::GdiplusShutdown(token_);
}

struct PictureCache::Bitmap {
    Gdiplus::GpBitmap* bitmap = nullptr;
    std::size_t bytes = 0;

    ~Bitmap()
    {
        if (bitmap != nullptr)
            gdip::GdipDisposeImage(bitmap);
    }
};

PictureCache::PictureCache(std::size_t spareBytes) : spareBytes_(spareBytes) {}

PictureCache::~PictureCache()
{
    pictures_.clear(); // before the session ends
}

PictureCache::Entry& PictureCache::At(const std::wstring& file)
{
    return pictures_[file];
}

bool PictureCache::Decode(Entry& entry, const std::wstring& file)
{
    if (entry.bitmap)
        return true;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (entry.failed)
        return false;
    const Gdiplus::GpStatus status =
        session_.Started() ? gdip::GdipCreateBitmapFromFile(file.c_str(), &bitmap) : Gdiplus::GdiplusNotInitialized;
    if (status != Gdiplus::Ok) {
        ReportError(SystemDebugOutput(), L"GdipCreateBitmapFromFile", static_cast<DWORD>(status));
        entry.failed = true;
        return false;
    }
    entry.bitmap = std::make_unique<Bitmap>();
    entry.bitmap->bitmap = bitmap;
    UINT width = 0;
    UINT height = 0;
    gdip::GdipGetImageWidth(bitmap, &width);
    gdip::GdipGetImageHeight(bitmap, &height);
    entry.size = PictureSize{static_cast<int>(width), static_cast<int>(height)};
    entry.bitmap->bytes = std::size_t{width} * height * 4;
    return true;
}

std::optional<PictureSize> PictureCache::Size(const std::wstring& file)
{
    Entry& entry = At(file);
    if (entry.failed)
        return std::nullopt;
    if (!entry.size)
        entry.size = SizeFromHeader(file);
    // A format without a size the header reader knows is decoded; the next paint lets it go unless drawn.
    if (!entry.size && !Decode(entry, file))
        return std::nullopt;
    return entry.size;
}

void PictureCache::BeginPaint()
{
    ++paint_;
}

void PictureCache::Draw(HDC dc, const std::wstring& file, const RECT& target)
{
    Entry& entry = At(file);
    entry.lastPaint = paint_;
    if (!Decode(entry, file))
        return;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok)
        return;
    gdip::GdipDrawImageRectI(graphics, entry.bitmap->bitmap, target.left, target.top, target.right - target.left,
                             target.bottom - target.top);
    gdip::GdipDeleteGraphics(graphics);
}

void PictureCache::EndPaint()
{
    LetGoUndrawn();
}

void PictureCache::LetGoUndrawn()
{
    std::vector<Entry*> undrawn;
    std::size_t held = 0;
    for (auto& [file, entry] : pictures_) {
        if (!entry.bitmap || entry.lastPaint == paint_)
            continue;
        undrawn.push_back(&entry);
        held += entry.bitmap->bytes;
    }
    // The least recently drawn go first, and of those drawn last together the largest.
    std::sort(undrawn.begin(), undrawn.end(), [](const Entry* a, const Entry* b) {
        if (a->lastPaint != b->lastPaint)
            return a->lastPaint < b->lastPaint;
        return a->bitmap->bytes > b->bitmap->bytes;
    });
    for (Entry* entry : undrawn) {
        if (held <= spareBytes_)
            break;
        held -= entry->bitmap->bytes;
        entry->bitmap.reset();
    }
}

std::size_t PictureCache::DecodedBytes() const
{
    std::size_t bytes = 0;
    for (const auto& [file, entry] : pictures_)
        if (entry.bitmap)
            bytes += entry.bitmap->bytes;
    return bytes;
}

} // namespace win32
