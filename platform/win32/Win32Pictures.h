#pragma once
// Pictures of the skins through GDI+ (BMP, PNG, JPEG; alpha kept). A picture's size comes from its file
// header where the format has one, without decoding it. Only what a paint draws is decoded: each file
// once, shared by every control that shows it; after a paint, the pictures that paint did not draw
// (another page's, another state's, another skin's) are let go, the least recently drawn first, until
// they hold no more than a small spare budget that spares quick back-and-forth changes a decode.

#include <windows.h>

#include <cstddef>
#include <cstdint>
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

// Decoded pictures that a paint did not draw may keep this many bytes.
inline constexpr std::size_t kSparePictureBytes = 2 * 1024 * 1024;

class PictureCache {
public:
    PictureCache() : PictureCache(kSparePictureBytes) {}
    explicit PictureCache(std::size_t spareBytes);
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture's own size; nothing when the file cannot be loaded (remembered: it is not tried again).
    std::optional<PictureSize> Size(const std::wstring& file);

    // A paint: draws between the two calls; afterwards the pictures it did not draw are let go.
    void BeginPaint();
    // Draws the picture into the rectangle, stretched to it.
    void Draw(HDC dc, const std::wstring& file, const RECT& target);
    void EndPaint();

    // Bytes of the decoded pictures held now.
    std::size_t DecodedBytes() const;

private:
    struct Bitmap;
    struct Entry {
        std::optional<PictureSize> size; // known once read from the header or decoded
        bool failed = false;             // the file cannot be loaded
        std::unique_ptr<Bitmap> bitmap;  // decoded, while held
        std::uint64_t lastPaint = 0;
    };

    Entry& At(const std::wstring& file);
    // Decodes the picture (once) and keeps it; false when it cannot be loaded.
    bool Decode(Entry& entry, const std::wstring& file);
    void LetGoUndrawn();

    GdiplusSession session_;
    std::size_t spareBytes_;
    std::uint64_t paint_ = 0;
    std::map<std::wstring, Entry> pictures_;
};

} // namespace win32
