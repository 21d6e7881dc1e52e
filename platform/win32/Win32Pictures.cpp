#include "platform/win32/Win32Pictures.h"

#include "platform/win32/Win32Failure.h"

#include <objidl.h>
#include <gdiplus.h>

namespace win32 {

namespace gdip = Gdiplus::DllExports;

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

struct PictureCache::Picture {
    Gdiplus::GpBitmap* bitmap = nullptr;
    PictureSize size;

    ~Picture()
    {
        if (bitmap != nullptr)
            gdip::GdipDisposeImage(bitmap);
    }
};

PictureCache::PictureCache() = default;

PictureCache::~PictureCache()
{
    pictures_.clear(); // before the session ends
}

PictureCache::Picture* PictureCache::Load(const std::wstring& file)
{
    if (const auto found = pictures_.find(file); found != pictures_.end())
        return found->second.get();
    std::unique_ptr<Picture> picture;
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::GpStatus status =
        session_.Started() ? gdip::GdipCreateBitmapFromFile(file.c_str(), &bitmap) : Gdiplus::GdiplusNotInitialized;
    if (status != Gdiplus::Ok)
        ReportError(SystemDebugOutput(), L"GdipCreateBitmapFromFile", static_cast<DWORD>(status));
    if (status == Gdiplus::Ok) {
        picture = std::make_unique<Picture>();
        picture->bitmap = bitmap;
        UINT width = 0;
        UINT height = 0;
        gdip::GdipGetImageWidth(bitmap, &width);
        gdip::GdipGetImageHeight(bitmap, &height);
        picture->size = {static_cast<int>(width), static_cast<int>(height)};
    }
    return pictures_.emplace(file, std::move(picture)).first->second.get();
}

std::optional<PictureSize> PictureCache::Size(const std::wstring& file)
{
    const Picture* picture = Load(file);
    if (picture == nullptr)
        return std::nullopt;
    return picture->size;
}

void PictureCache::Draw(HDC dc, const std::wstring& file, const RECT& target)
{
    const Picture* picture = Load(file);
    if (picture == nullptr)
        return;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok)
        return;
    gdip::GdipDrawImageRectI(graphics, picture->bitmap, target.left, target.top, target.right - target.left,
                             target.bottom - target.top);
    gdip::GdipDeleteGraphics(graphics);
}

} // namespace win32
