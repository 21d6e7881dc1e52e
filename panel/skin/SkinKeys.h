#pragma once
// Every key of "SkinSetting.ini", in reading order: the image keys with their default pages and the
// geometry keys, each with the kind of value it holds.

#include <span>

namespace panel {

enum class SkinKeyKind {
    Image,             // file, left, top, width, height, page
    EqSlider,          // top, range
    MicSlider,         // top, range
    MicProgressLength, // length
    VirtualCenter,     // x, y, radius
    BevelLine,         // flag
    BevelLine2,        // flag
    LedPageMode,       // integer
    LedFastRightSide,  // integer
    Swatch,            // left, top, width, height, shape
    EncSlider,         // top, range
    AboutColour,       // colour of the about box
};

struct SkinKey {
    const wchar_t* section;
    const wchar_t* key;
    SkinKeyKind kind;
    int defaultPage; // image keys only
};

std::span<const SkinKey> SkinKeys();

} // namespace panel
