#include "panel/skin/SkinSwatches.h"

#include <array>

namespace panel {

namespace {
constexpr std::array kSwatchDefaults{
    SkinSwatchDefault{L"Color01Shape", 0x0000FF},     // red
    SkinSwatchDefault{L"Color02Shape", 0xFFFF00},     // cyan
    SkinSwatchDefault{L"Color03Shape", 0x00FFFF},     // yellow
    SkinSwatchDefault{L"Color04Shape", 0xFFFFFF},     // white
    SkinSwatchDefault{L"Color05Shape", 0x00FF00},     // green
    SkinSwatchDefault{L"Color06Shape", 0xFF0000},     // blue
    SkinSwatchDefault{L"Color07Shape", 0xFF00FF},     // magenta
    SkinSwatchDefault{L"ColorSingleShape", 0x0000FF}, // red
    SkinSwatchDefault{L"ColorBreatheShape", 0x0000FF},
};
} // namespace

std::span<const SkinSwatchDefault> SkinSwatchDefaults()
{
    return kSwatchDefaults;
}

} // namespace panel
