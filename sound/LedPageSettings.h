#pragma once
// What the LED page keeps, as the LED section of a profile holds it.

#include <array>
#include <cstdint>

namespace sound {

inline constexpr int kLedPaletteSlots = 7;

// The page's three effects, in the order of their check images and sliders.
enum class LedEffect : int { None = 0, Breathe = 1, Rainbow = 2, MultiBreathe = 3 };
inline constexpr int kLedEffects = 3;

struct LedPageSettings {
    int pageMode = 0;   // 1: the main window's LED page; otherwise the LED dialog
    int off = 0;        // "LED OFF" checked
    int singleColour = 0;
    int effectMode = 0; // a LedEffect
    std::array<int, kLedEffects> speeds{1, 1, 1};        // breathe, rainbow, multi-breathe; 1 to 255
    std::array<int, kLedEffects> knobPositions{0, 0, 0}; // pixels
    std::uint32_t singleColourRgb = 0;                   // 0x00BBGGRR
    std::uint32_t breatheColourRgb = 0;
    std::array<std::uint32_t, kLedPaletteSlots> palette{};
    int fastRightSide = 0;

    bool operator==(const LedPageSettings&) const = default;
};

} // namespace sound
