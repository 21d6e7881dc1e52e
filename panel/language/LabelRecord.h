#pragma once
// One text control's look as a language file describes it, and the font every label falls back to.

#include "panel/skin/GivenValue.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace panel {

inline constexpr std::size_t kLabelTextChars = 127;
inline constexpr std::size_t kFontNameChars = 63;
inline constexpr wchar_t kHiddenLabelText[] = L"(null)";

struct LabelRecord {
    std::wstring text;                    // empty or "(null)": the control is hidden
    GivenValue<std::uint32_t> upColour;   // 0x00BBGGRR
    GivenValue<std::uint32_t> downColour; // 0x00BBGGRR
    GivenValue<std::wstring> fontName;
    GivenValue<int> fontSize; // points
    GivenValue<int> left;
    GivenValue<int> top;
    GivenValue<int> width;
    GivenValue<int> height;
    int page = 0;

    bool Visible() const { return !text.empty() && text != kHiddenLabelText; }
    bool operator==(const LabelRecord&) const = default;
};

struct GlobalFont {
    std::uint32_t upColour = 0;   // 0 = none
    std::uint32_t downColour = 0; // 0 = none
    std::wstring faceName;        // empty = none
    int size = -1;                // -1 = none
    bool operator==(const GlobalFont&) const = default;
};

} // namespace panel
