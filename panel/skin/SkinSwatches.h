#pragma once
// The LED page's colour swatches: their names and the colours every skin load puts back, which are
// also the LED effects' colours until the user picks others.

#include <cstdint>
#include <span>

namespace panel {

// Colours are 0x00BBGGRR.
struct SkinSwatchDefault {
    const wchar_t* name;
    std::uint32_t colour;
};

// Color01Shape … Color07Shape, ColorSingleShape, ColorBreatheShape.
std::span<const SkinSwatchDefault> SkinSwatchDefaults();

// The platform's shape kinds, as the skin numbers them.
enum class SwatchShape : int { Rectangle = 0, Square = 1, RoundRect = 2, RoundSquare = 3, Ellipse = 4, Circle = 5 };

} // namespace panel
