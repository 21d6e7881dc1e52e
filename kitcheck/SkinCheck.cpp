#include "kitcheck/SkinCheck.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "kitcheck/IniInventory.h"
#include "panel/skin/FileNumbers.h"
#include "panel/skin/PictureSize.h"
#include "panel/skin/RegionFile.h"
#include "panel/skin/SkinFolders.h"
#include "panel/skin/SkinKeys.h"
#include "panel/skin/SkinSetting.h"
#include "panel/skin/SkinSwatches.h"

#include <algorithm>
#include <array>

namespace kitcheck {

namespace {

// Room the skin reader gives a value, and the items it splits it into.
constexpr std::size_t kSkinValueChars = 255;
constexpr std::size_t kImageItems = 6;
constexpr int kLastPage = panel::kPageVoiceMagic;
constexpr int kLastShape = static_cast<int>(panel::SwatchShape::Circle);
constexpr std::uint32_t kLargestColour = 0x00FFFFFF;

struct SkinFile {
    const Kit& kit;
    std::wstring folder;   // full path, ends in "\"
    std::wstring relative; // of SkinSetting.ini, for findings
    IniInventory inventory;
};

Place At(const SkinFile& skin, const std::wstring& section, const std::wstring& key)
{
    return KeyPlace(skin.inventory, skin.relative, section, key);
}

// The whole value as written, beyond the reader's room, so that a cut can be told.
std::wstring FullValue(const SkinFile& skin, const std::wstring& section, const std::wstring& key)
{
    return skin.kit.profile.GetString(skin.folder + panel::kSkinSettingFileName, section, key, L"", 4096);
}

std::wstring SizeText(int width, int height)
{
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

bool HeaderFormat(const std::wstring& fileName)
{
    const std::wstring lower = ToLowerAscii(fileName);
    return lower.ends_with(L".png") || lower.ends_with(L".bmp") || lower.ends_with(L".gif");
}

void CheckValueLength(const SkinFile& skin, const std::wstring& section, const std::wstring& key, Findings& findings)
{
    const std::wstring value = FullValue(skin, section, key);
    if (value.size() > kSkinValueChars)
        findings.Warning(At(skin, section, key), L"value longer than 255 characters: the reader cuts it to \"" +
                                                     CutText(value, kSkinValueChars) + L"\"");
}

void CheckImage(const SkinFile& skin, const panel::SkinSetting::NamedImage& image, Findings& findings)
{
    if (skin.inventory.Find(image.section, image.key) == nullptr)
        return;
    const Place place = At(skin, image.section, image.key);
    const std::vector<std::wstring> items = SplitItems(FullValue(skin, image.section, image.key));
    if (items.size() > kImageItems)
        findings.Warning(place, L"more than six items: the reader drops the rest");
    for (std::size_t i = 1; i < std::min(items.size(), kImageItems); ++i) {
        int number = 0;
        if (!items[i].empty() && !WholeInteger(items[i], number))
            findings.Warning(place, L"item \"" + items[i] + L"\" is not a whole number: reads as " +
                                        std::to_wstring(LeadingInteger(items[i])));
    }
    if (!items.empty() && items[0].size() > panel::kSkinFileNameChars)
        findings.Warning(place, L"file name longer than 63 characters: the reader looks for \"" +
                                    image.entry.fileName + L"\"");
    if (image.entry.page < panel::kPageMain || image.entry.page > kLastPage)
        findings.Warning(place, L"page " + std::to_wstring(image.entry.page) + L" does not exist (0 to 8)");
    if (image.entry.Absent())
        return;

    const std::wstring path = skin.folder + image.entry.fileName;
    if (!skin.kit.files.FileExists(path)) {
        findings.Error(place, L"picture \"" + image.entry.fileName + L"\" is not in the skin folder: the control shows nothing");
        return;
    }
    const auto size = panel::ReadPictureSize(skin.kit.files, path);
    const bool sized = image.entry.width.given && image.entry.height.given;
    if (!size) {
        if (HeaderFormat(image.entry.fileName))
            findings.Error(place, L"picture \"" + image.entry.fileName + L"\" is damaged: its header gives no size");
        else if (!sized)
            findings.Warning(place, L"the size of \"" + image.entry.fileName +
                                        L"\" cannot be read before drawing (PNG, BMP and GIF only): give width and height");
        return;
    }
    if (sized && (size->width != image.entry.width.value || size->height != image.entry.height.value))
        findings.Warning(place, L"picture \"" + image.entry.fileName + L"\" is " + SizeText(size->width, size->height) +
                                    L", the skin places it at " +
                                    SizeText(image.entry.width.value, image.entry.height.value));
}

void CheckGeometryItems(const SkinFile& skin, const panel::SkinKey& key, std::size_t count, Findings& findings)
{
    const std::wstring value = FullValue(skin, key.section, key.key);
    if (value.empty())
        return;
    const std::vector<std::wstring> items = SplitItems(value);
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring item = i < items.size() ? items[i] : L"";
        if (!panel::SkinGeometryItem(item))
            findings.Error(At(skin, key.section, key.key),
                           (item.empty() ? std::wstring(L"item ") + std::to_wstring(i + 1) + L" is missing"
                                         : L"item \"" + item + L"\" is not an integer") +
                               L": it counts as 0");
    }
}

void CheckSlider(const SkinFile& skin, const panel::SkinKey& key, const panel::SliderGeometry& slider,
                 Findings& findings)
{
    if (slider.range == 0)
        findings.Error(At(skin, key.section, key.key), L"slider travel is 0: the slider cannot move");
    else if (slider.range < 0)
        findings.Error(At(skin, key.section, key.key),
                       L"slider travel " + std::to_wstring(slider.range) + L" is inverted: the knob runs off its track");
    if (slider.top < 0)
        findings.Warning(At(skin, key.section, key.key), L"slider top " + std::to_wstring(slider.top) + L" lies above the window");
}

void CheckGeometry(const SkinFile& skin, const panel::SkinKey& key, const panel::SkinSetting& setting, Findings& findings)
{
    if (skin.inventory.Find(key.section, key.key) == nullptr)
        return;
    const Place place = At(skin, key.section, key.key);
    switch (key.kind) {
    case panel::SkinKeyKind::EqSlider:
        CheckGeometryItems(skin, key, 2, findings);
        CheckSlider(skin, key, setting.eqSlider, findings);
        break;
    case panel::SkinKeyKind::MicSlider:
        CheckGeometryItems(skin, key, 2, findings);
        CheckSlider(skin, key, setting.micSlider, findings);
        break;
    case panel::SkinKeyKind::EncSlider:
        CheckGeometryItems(skin, key, 2, findings);
        if (setting.encSlider)
            CheckSlider(skin, key, *setting.encSlider, findings);
        break;
    case panel::SkinKeyKind::MicProgressLength:
        CheckGeometryItems(skin, key, 1, findings);
        if (setting.micProgressLength <= 0)
            findings.Warning(place, L"level bar length " + std::to_wstring(setting.micProgressLength) +
                                        L": the microphone level never shows");
        break;
    case panel::SkinKeyKind::VirtualCenter:
        CheckGeometryItems(skin, key, 3, findings);
        if (setting.ring.radius <= 0)
            findings.Error(place, L"ring radius " + std::to_wstring(setting.ring.radius) +
                                      L": the speakers collapse onto the centre");
        break;
    case panel::SkinKeyKind::Swatch:
        if (const panel::SwatchSetting* swatch = setting.Swatch(key.key); swatch != nullptr && swatch->placed) {
            CheckGeometryItems(skin, key, 5, findings);
            if (swatch->width <= 0 || swatch->height <= 0)
                findings.Error(place, L"swatch of " + SizeText(swatch->width, swatch->height) + L": it cannot be seen or clicked");
            if (swatch->shape < 0 || swatch->shape > kLastShape)
                findings.Warning(place, L"shape " + std::to_wstring(swatch->shape) + L" does not exist (0 to 5)");
        }
        break;
    case panel::SkinKeyKind::AboutColour: {
        const std::wstring value = FullValue(skin, key.section, key.key);
        const auto number = panel::ParseFileNumber(value);
        if (!value.empty() && !setting.aboutColour)
            findings.Warning(place, L"\"" + value + L"\" is not a colour: the about box keeps the system's colour");
        else if (number && *number > kLargestColour)
            findings.Warning(place, L"colour \"" + value + L"\" is out of range (at most $FFFFFF)");
        break;
    }
    case panel::SkinKeyKind::BevelLine:
    case panel::SkinKeyKind::BevelLine2:
    case panel::SkinKeyKind::LedPageMode:
    case panel::SkinKeyKind::LedFastRightSide:
        CheckGeometryItems(skin, key, 1, findings);
        break;
    case panel::SkinKeyKind::Image:
        break;
    }
}

void CheckRegion(const SkinFile& skin, const panel::SkinSetting& setting, Findings& findings)
{
    const std::wstring relative = skin.relative.substr(0, skin.relative.size() - std::wstring_view(panel::kSkinSettingFileName).size()) +
                                  panel::kRegionFileName;
    const ports::FileBytes file = skin.kit.files.ReadAll(skin.folder + panel::kRegionFileName);
    if (file.status != ports::ReadStatus::Ok) {
        findings.Warning({relative, L"", L"", 0}, L"missing while RegionCut is on: the window keeps its rectangle");
        return;
    }
    const auto header = panel::ReadRegionHeader(file.bytes);
    if (!header) {
        findings.Error({relative, L"", L"", 0},
                       L"its header's counts do not match its size: the window gets no outline");
        return;
    }
    const std::uint64_t expected = panel::kRegionHeaderBytes + std::uint64_t{header->count} * panel::kRegionRectBytes;
    if (file.bytes.size() != expected)
        findings.Warning({relative, L"", L"", 0}, L"" + std::to_wstring(file.bytes.size() - expected) +
                                                       L" bytes beyond the rectangles its header announces");
    const panel::SkinImageEntry& frame = setting.Image(L"Main", L"MainFormImage");
    if (frame.width.given && frame.height.given &&
        (header->bounds.right != frame.width.value || header->bounds.bottom != frame.height.value))
        findings.Warning({relative, L"", L"", 0},
                         L"the outline is " + SizeText(header->bounds.right, header->bounds.bottom) +
                             L", the window (MainFormImage) " + SizeText(frame.width.value, frame.height.value));
}

void CheckSkin(const Kit& kit, const std::wstring& skinsRoot, const std::wstring& resolution,
               const std::wstring& skinName, Findings& findings)
{
    const std::wstring folder = panel::SkinFolderPath(kit.folder, skinsRoot, resolution, skinName);
    const std::wstring relativeFolder = folder.substr(kit.folder.size());
    SkinFile skin{kit, folder, relativeFolder + panel::kSkinSettingFileName,
                  IniInventory::Read(kit.files, folder + panel::kSkinSettingFileName)};
    if (!skin.inventory.Present()) {
        findings.Error({skin.relative, L"", L"", 0}, L"missing: choosing this skin hides every skinned control");
        return;
    }
    CheckKeys(skin.inventory, skin.relative, SkinKeySchema(), findings);

    panel::SkinSetting setting;
    panel::LoadSkinSetting(kit.profile, folder + panel::kSkinSettingFileName,
                           panel::ReadOldStyleLayout(kit.profile, kit.ConfigPath()), setting);
    for (const panel::SkinKey& key : panel::SkinKeys())
        CheckValueLength(skin, key.section, key.key, findings);
    for (const auto& image : setting.images)
        CheckImage(skin, image, findings);
    for (const panel::SkinKey& key : panel::SkinKeys())
        CheckGeometry(skin, key, setting, findings);
    int regionCut = 0;
    if (WholeInteger(kit.Config(L"Skin", L"RegionCut", 32), regionCut) && regionCut != 0)
        CheckRegion(skin, setting, findings);
}

} // namespace

KeySchema SkinKeySchema()
{
    KeySchema schema;
    for (const panel::SkinKey& key : panel::SkinKeys()) {
        KnownKey known{key.section, key.key, Severity::Warning, L"the control is hidden"};
        switch (key.kind) {
        case panel::SkinKeyKind::EqSlider:
        case panel::SkinKeyKind::MicSlider:
            known.whenMissing = Severity::Error;
            known.missingEffect = L"its geometry reads as 0: the slider cannot move";
            break;
        case panel::SkinKeyKind::VirtualCenter:
            known.whenMissing = Severity::Error;
            known.missingEffect = L"its geometry reads as 0: the speaker ring has no radius";
            break;
        case panel::SkinKeyKind::MicProgressLength:
            known.missingEffect = L"the microphone level bar has length 0";
            break;
        case panel::SkinKeyKind::EncSlider:
            known.missingEffect = L"the noise-cancellation slider keeps its built-in geometry";
            break;
        case panel::SkinKeyKind::Swatch:
            known.whenMissing = Severity::Note;
            known.missingEffect = L"the swatch keeps its built-in place and shape";
            break;
        case panel::SkinKeyKind::AboutColour:
            known.whenMissing = Severity::Note;
            known.missingEffect = L"the about box takes the system's dialog colour";
            break;
        case panel::SkinKeyKind::BevelLine:
        case panel::SkinKeyKind::BevelLine2:
        case panel::SkinKeyKind::LedPageMode:
        case panel::SkinKeyKind::LedFastRightSide:
            known.whenMissing = Severity::Note;
            known.missingEffect = L"reads as 0";
            break;
        case panel::SkinKeyKind::Image:
            break;
        }
        schema.keys.push_back(std::move(known));
    }
    return schema;
}

void CheckSkins(const Kit& kit, Findings& findings)
{
    const std::wstring skinsRoot = kit.Config(L"Skin", L"SkinFolderName");
    if (skinsRoot.empty())
        return; // the configuration check reports the missing key
    bool anySkin = false;
    for (const std::wstring& resolution : ResolutionFolders()) {
        for (const std::wstring& skinName : SortedSubfolders(kit, skinsRoot + L"\\" + resolution)) {
            if (resolution.empty() && IsResolutionFolderName(skinName))
                continue;
            anySkin = true;
            CheckSkin(kit, skinsRoot, resolution, skinName, findings);
        }
    }
    if (!anySkin)
        findings.Error({skinsRoot, L"", L"", 0}, L"no skin in any resolution folder: the Skin menu is empty");
}

} // namespace kitcheck
