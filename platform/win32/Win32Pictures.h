#pragma once
// Pictures of the skins, loaded once per file through GDI+ (BMP, PNG, JPEG; alpha kept) and drawn
// from the cache on every paint.

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace win32 {

// GDI+ for the life of the object; pictures must go before it.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

class PictureCache {
public:
    PictureCache();
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture's own size; nothing when the file cannot be loaded (remembered: it is not tried again).
    std::optional<PictureSize> Size(const std::wstring& file);
    // Draws the picture into the rectangle, stretched to it.
    void Draw(HDC dc, const std::wstring& file, const RECT& target);

private:
    struct Picture;
    Picture* Load(const std::wstring& file);

    GdiplusSession session_;
    std::map<std::wstring, std::unique_ptr<Picture>> pictures_; // null: could not be loaded
};

} // namespace win32
