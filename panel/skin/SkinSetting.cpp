#include "panel/skin/SkinSetting.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "panel/skin/FileNumbers.h"
#include "panel/skin/SkinKeys.h"
#include "panel/skin/SkinSwatches.h"

#include <array>

namespace panel {

namespace {

constexpr std::size_t kValueCapacity = 256;
constexpr std::size_t kMaxItems = 6;

// The old layout placed page controls relative to the content area; the new one to the window.
constexpr int kOldImageLeft = 392;
constexpr int kOldImageTop = 104;
constexpr int kOldSliderTop = 52;
constexpr int kOldRingX = 196;
constexpr int kOldRingY = 52;

using Items = std::array<std::wstring, kMaxItems>;

Items SplitValue(const std::wstring& value)
{
    Items items;
    if (!value.empty())
        SplitIniList(value, items);
    return items;
}

void SetIfGiven(GivenValue<int>& field, const std::wstring& item)
{
    if (!item.empty())
        field.Set(LeadingInteger(item));
}

int GeometryItem(const std::wstring& item)
{
    return SkinGeometryItem(item).value_or(0);
}

void ReadGeometry(const ports::PrivateProfile& profile, const std::wstring& path, const SkinKey& key,
                  bool oldStyleLayout, SkinSetting& skin)
{
    std::wstring value;
    GetIniKey(profile, path, key.section, key.key, value, kValueCapacity);
    const Items items = SplitValue(value);
    const auto item = [&items](std::size_t i) { return GeometryItem(items[i]); };
    const int oldTop = oldStyleLayout ? kOldSliderTop : 0;

    switch (key.kind) {
    case SkinKeyKind::EqSlider:
        skin.eqSlider = {ShiftedPosition(item(0), oldTop), item(1)};
        break;
    case SkinKeyKind::MicSlider:
        skin.micSlider = {ShiftedPosition(item(0), oldTop), item(1)};
        break;
    case SkinKeyKind::EncSlider:
        if (!value.empty())
            skin.encSlider = SliderGeometry{item(0), item(1)};
        break;
    case SkinKeyKind::MicProgressLength:
        skin.micProgressLength = item(0);
        break;
    case SkinKeyKind::VirtualCenter:
        skin.previousRadius = skin.ring.radius;
        skin.ring = {ShiftedPosition(item(0), oldStyleLayout ? kOldRingX : 0),
                     ShiftedPosition(item(1), oldStyleLayout ? kOldRingY : 0), item(2)};
        break;
    case SkinKeyKind::BevelLine:
        skin.bevelLine = item(0) != 0;
        break;
    case SkinKeyKind::BevelLine2:
        skin.bevelLine2 = item(0) != 0;
        break;
    case SkinKeyKind::LedPageMode:
        skin.ledPageMode = item(0);
        break;
    case SkinKeyKind::LedFastRightSide:
        skin.ledFastRightSide = item(0);
        break;
    case SkinKeyKind::Swatch:
        for (SwatchSetting& swatch : skin.swatches) {
            if (swatch.name != key.key || items[0].empty())
                continue;
            swatch.placed = true;
            swatch.left = item(0);
            swatch.top = item(1);
            swatch.width = item(2);
            swatch.height = item(3);
            swatch.shape = item(4);
        }
        break;
    case SkinKeyKind::AboutColour:
        skin.aboutColour = ParseColour(value);
        break;
    case SkinKeyKind::Image:
        break;
    }
}

void ResetForLoad(SkinSetting& skin)
{
    skin.images.clear();
    skin.swatches.clear();
    for (const SkinSwatchDefault& swatch : SkinSwatchDefaults()) {
        SwatchSetting setting;
        setting.name = swatch.name;
        setting.colour = swatch.colour;
        skin.swatches.push_back(setting);
    }
}

} // namespace

std::optional<int> SkinGeometryItem(const std::wstring& item)
{
    int value = 0;
    if (!WholeInteger(TrimChars(item, L" \t"), value))
        return std::nullopt;
    return value;
}

SkinImageEntry ParseSkinImageValue(const std::wstring& value, int defaultPage)
{
    const Items items = SplitValue(value);
    SkinImageEntry entry;
    entry.fileName = CutText(items[0], kSkinFileNameChars);
    SetIfGiven(entry.left, items[1]);
    SetIfGiven(entry.top, items[2]);
    SetIfGiven(entry.width, items[3]);
    SetIfGiven(entry.height, items[4]);
    entry.page = items[5].empty() ? defaultPage : LeadingInteger(items[5]);
    return entry;
}

void LoadSkinSetting(const ports::PrivateProfile& profile, const std::wstring& skinSettingPath, bool oldStyleLayout,
                     SkinSetting& skin)
{
    ResetForLoad(skin);
    for (const SkinKey& key : SkinKeys()) {
        if (key.kind != SkinKeyKind::Image) {
            ReadGeometry(profile, skinSettingPath, key, oldStyleLayout, skin);
            continue;
        }
        std::wstring value;
        GetIniKey(profile, skinSettingPath, key.section, key.key, value, kValueCapacity);
        SkinImageEntry entry = ParseSkinImageValue(value, key.defaultPage);
        if (oldStyleLayout && key.defaultPage != kPageMain) {
            if (entry.left.given)
                entry.left.value = ShiftedPosition(entry.left.value, kOldImageLeft);
            if (entry.top.given)
                entry.top.value = ShiftedPosition(entry.top.value, kOldImageTop);
        }
        skin.images.push_back({key.section, key.key, std::move(entry)});
    }
}

const SkinImageEntry& SkinSetting::Image(std::wstring_view section, std::wstring_view key) const
{
    static const SkinImageEntry kNone;
    for (const NamedImage& image : images)
        if (image.section == section && image.key == key)
            return image.entry;
    return kNone;
}

const SwatchSetting* SkinSetting::Swatch(std::wstring_view name) const
{
    for (const SwatchSetting& swatch : swatches)
        if (swatch.name == name)
            return &swatch;
    return nullptr;
}

} // namespace panel
