#pragma once
// One image control's look as a skin describes it.

#include "panel/skin/GivenValue.h"

#include <cstddef>
#include <string>

namespace panel {

inline constexpr std::size_t kSkinFileNameChars = 63;

// Pages of the main window; 0 means every page.
enum SkinPage : int {
    kPageMain = 0,
    kPageEq = 1,
    kPageEffect = 2,
    kPageMic = 3,
    kPageVirtual7p1 = 4,
    kPage3D = 5,
    kPageLed = 6,
    kPageEnc = 7,
    kPageVoiceMagic = 8,
};

struct SkinImageEntry {
    std::wstring fileName; // empty: no picture, the control is hidden
    GivenValue<int> left;
    GivenValue<int> top;
    GivenValue<int> width;
    GivenValue<int> height;
    int page = kPageMain;

    // An entry without a picture; "(null)" is how some skins write "none".
    bool Absent() const { return fileName.empty() || fileName == L"(null)"; }
    bool operator==(const SkinImageEntry&) const = default;
};

} // namespace panel
