// Any bytes as "SkinSetting.ini": every image key gives one entry in reading order, names and items stay
// within their lengths, the old layout only moves page entries, the swatches keep their defaults' names
// and colours, and an entry written back in the skin format reads as the same entry.
#include "FuzzSupport.h"
#include "common/IniKeys.h"
#include "panel/skin/SkinKeys.h"
#include "panel/skin/SkinSetting.h"
#include "panel/skin/SkinSwatches.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

const std::wstring kPath = L"C:\\skin\\SkinSetting.ini";

std::wstring Item(const panel::GivenValue<int>& value)
{
    return value.given ? std::to_wstring(value.value) : std::wstring();
}

// The entry as a skin would write it.
std::wstring Written(const panel::SkinImageEntry& entry)
{
    return fuzz::Quoted(entry.fileName) + L"," + Item(entry.left) + L"," + Item(entry.top) + L"," + Item(entry.width) +
           L"," + Item(entry.height) + L"," + std::to_wstring(entry.page);
}

void CheckMoved(const panel::GivenValue<int>& now, const panel::GivenValue<int>& old, int offset)
{
    FUZZ_CHECK(now.given == old.given);
    FUZZ_CHECK(!now.given || old.value == fuzz::Shifted(now.value, offset));
}

void CheckEntry(const panel::SkinImageEntry& entry)
{
    FUZZ_CHECK(entry.fileName.size() <= panel::kSkinFileNameChars);
    FUZZ_CHECK(panel::ParseSkinImageValue(Written(entry), -1) == entry);
}

void CheckLoad(const panel::SkinSetting& now, const panel::SkinSetting& old)
{
    std::size_t image = 0;
    for (const panel::SkinKey& key : panel::SkinKeys()) {
        if (key.kind != panel::SkinKeyKind::Image)
            continue;
        FUZZ_CHECK(image < now.images.size() && now.images[image].section == key.section &&
                   now.images[image].key == key.key);
        const panel::SkinImageEntry& entry = now.images[image].entry;
        const panel::SkinImageEntry& oldEntry = old.images[image].entry;
        CheckEntry(entry);
        FUZZ_CHECK(&now.Image(key.section, key.key) == &entry);
        FUZZ_CHECK(entry.fileName == oldEntry.fileName && entry.page == oldEntry.page);
        const bool moves = key.defaultPage != panel::kPageMain;
        CheckMoved(entry.left, oldEntry.left, moves ? 392 : 0);
        CheckMoved(entry.top, oldEntry.top, moves ? 104 : 0);
        FUZZ_CHECK(entry.width == oldEntry.width && entry.height == oldEntry.height);
        ++image;
    }
    FUZZ_CHECK(image == now.images.size() && image == old.images.size());

    const auto defaults = panel::SkinSwatchDefaults();
    FUZZ_CHECK(now.swatches.size() == defaults.size());
    for (std::size_t i = 0; i < defaults.size(); ++i) {
        const panel::SwatchSetting& swatch = now.swatches[i];
        FUZZ_CHECK(swatch.name == defaults[i].name && swatch.colour == defaults[i].colour);
        FUZZ_CHECK(swatch.placed || (swatch.left == 0 && swatch.top == 0 && swatch.width == 0 && swatch.height == 0 &&
                                     swatch.shape == 0));
        FUZZ_CHECK(now.Swatch(swatch.name) == &swatch);
    }
    FUZZ_CHECK(now.eqSlider.range == old.eqSlider.range && old.eqSlider.top == fuzz::Shifted(now.eqSlider.top, 52));
    FUZZ_CHECK(now.micSlider.range == old.micSlider.range && old.micSlider.top == fuzz::Shifted(now.micSlider.top, 52));
    FUZZ_CHECK(old.ring.centreX == fuzz::Shifted(now.ring.centreX, 196) &&
               old.ring.centreY == fuzz::Shifted(now.ring.centreY, 52));
    FUZZ_CHECK(now.encSlider == old.encSlider && now.ring.radius == old.ring.radius);
    FUZZ_CHECK(now.Image(L"EQ", L"NoSuchImage").Absent() && now.Swatch(L"NoSuchShape") == nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::OneFile file(kPath, fuzz::Bytes(data, size));
    const memory::IniFileProfile& profile = file.profile;

    panel::SkinSetting now;
    panel::LoadSkinSetting(profile, kPath, false, now);
    // The old layout loaded over the first load: a load starts afresh, remembering only the radius.
    panel::SkinSetting old = now;
    panel::LoadSkinSetting(profile, kPath, true, old);
    CheckLoad(now, old);
    FUZZ_CHECK(old.previousRadius == now.ring.radius);

    // Every line of the file taken as one image value.
    for (const std::wstring& line : fuzz::SplitAt(fuzz::DecodedText(fuzz::Bytes(data, size)), L'\n')) {
        const panel::SkinImageEntry entry = panel::ParseSkinImageValue(line, 3);
        CheckEntry(entry);
        std::array<std::wstring, 6> items;
        SplitIniList(line, items);
        FUZZ_CHECK(entry.left.given == !items[1].empty() && entry.height.given == !items[4].empty());
        FUZZ_CHECK(!items[5].empty() || entry.page == 3);
    }
    return 0;
}
