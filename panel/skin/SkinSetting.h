#pragma once
// What one "SkinSetting.ini" says: the picture and place of every image control, the geometry of the
// sliders, the speaker ring and the colour swatches. Kept by the main window and applied by name.

#include "common/ports/PrivateProfile.h"
#include "panel/skin/SkinImageEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

struct SliderGeometry {
    int top = 0;   // top limit of the knob, pixels
    int range = 0; // travel below it, pixels
    bool operator==(const SliderGeometry&) const = default;
};

struct RingGeometry {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
    bool operator==(const RingGeometry&) const = default;
};

struct SwatchSetting {
    std::wstring name;
    bool placed = false; // bounds and shape given by this load; otherwise the control keeps its own
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int shape = 0;
    std::uint32_t colour = 0; // 0x00BBGGRR
};

struct SkinSetting {
    struct NamedImage {
        std::wstring section;
        std::wstring key;
        SkinImageEntry entry;
    };

    std::vector<NamedImage> images; // one per image key, in reading order
    SliderGeometry eqSlider;
    SliderGeometry micSlider;
    std::optional<SliderGeometry> encSlider; // only when the skin gives it
    int micProgressLength = 0;
    RingGeometry ring;
    int previousRadius = 0; // the radius before the last load, for rescaling the speakers
    bool bevelLine = false;
    bool bevelLine2 = false;
    int ledPageMode = 0;
    int ledFastRightSide = 0;
    std::vector<SwatchSetting> swatches; // in the order of SkinSwatchDefaults()
    // The about box's background ("Color" of [About], 0x00BBGGRR); none: the system's dialog colour, on
    // which language files written for a light box stay readable.
    std::optional<std::uint32_t> aboutColour;

    // The entry of an image key; an empty entry for a key the skin format does not have.
    const SkinImageEntry& Image(std::wstring_view section, std::wstring_view key) const;
    const SwatchSetting* Swatch(std::wstring_view name) const;
};

// Reads the file at `skinSettingPath` into `skin`. Every image entry is cleared first and the swatch
// colours go back to their defaults; a missing file reads as a file without keys. With `oldStyleLayout`
// the positions of page controls get the offsets of the old layout.
void LoadSkinSetting(const ports::PrivateProfile& profile, const std::wstring& skinSettingPath, bool oldStyleLayout,
                     SkinSetting& skin);

// One item of a geometry value. Geometry items must be whole integers (blanks around them are forgiven);
// anything else is nullopt, which the reader takes as 0.
std::optional<int> SkinGeometryItem(const std::wstring& item);

// One image value ("file,left,top,width,height,page") as the reader takes it.
SkinImageEntry ParseSkinImageValue(const std::wstring& value, int defaultPage);

} // namespace panel
