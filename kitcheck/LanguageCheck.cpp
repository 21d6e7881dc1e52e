#include "kitcheck/LanguageCheck.h"

#include "common/AppConfig.h"
#include "common/IniKeys.h"
#include "common/Text.h"
#include "kitcheck/IniInventory.h"
#include "panel/language/LanguageKeys.h"
#include "panel/language/LanguageMenu.h"
#include "panel/language/LanguageSetting.h"
#include "panel/skin/FileNumbers.h"
#include "setup/LabelRecords.h"

#include <algorithm>

namespace kitcheck {

namespace {

constexpr const wchar_t* kConfigFile = kAudioConfigFileName;
constexpr std::size_t kLanguageValueChars = 255;
constexpr std::size_t kLabelItems = 10;
constexpr std::uint32_t kLargestColour = 0x00FFFFFF;

struct LanguageFile {
    const Kit& kit;
    std::wstring path;
    std::wstring relative;
    IniInventory inventory;
};

std::wstring FullValue(const LanguageFile& file, const std::wstring& section, const std::wstring& key)
{
    return file.kit.profile.GetString(file.path, section, key, L"", 4096);
}

void CheckColourItem(const Place& place, const std::wstring& item, Findings& findings)
{
    const auto number = panel::ParseFileNumber(item);
    if (!item.empty() && number && (*number < 0 || *number > kLargestColour))
        findings.Warning(place, L"colour \"" + item + L"\" is out of range ($000000 to $FFFFFF)");
}

void CheckLabel(const LanguageFile& file, const panel::LanguageKey& key, Findings& findings)
{
    if (file.inventory.Find(key.section, key.key) == nullptr)
        return;
    const Place place = KeyPlace(file.inventory, file.relative, key.section, key.key);
    const std::wstring value = FullValue(file, key.section, key.key);
    if (value.size() > kLanguageValueChars)
        findings.Warning(place, L"value longer than 255 characters: the reader cuts it");
    const std::vector<std::wstring> items = SplitItems(CutText(value, kLanguageValueChars));
    if (items.size() > kLabelItems)
        findings.Warning(place, L"more than ten items: the reader drops the rest (a comma in the text needs quotes)");
    // The list's items are cut to the text's own limit, so the text is measured before the split.
    const std::wstring text = value.starts_with(L'"') ? items.front() : value.substr(0, value.find(L','));
    if (text.size() > panel::kLabelTextChars)
        findings.Warning(place, L"text longer than 127 characters: the label shows \"" +
                                    CutText(text, panel::kLabelTextChars) + L"\"");
    if (items.size() > 3 && items[3].size() > panel::kFontNameChars)
        findings.Warning(place, L"font name longer than 63 characters: it is cut");

    const panel::LabelRecord record = panel::ParseLabelValue(value, key.defaultPage);
    const std::array<bool, kLabelItems> given{true,
                                              record.upColour.given,
                                              record.downColour.given,
                                              true,
                                              record.fontSize.given,
                                              record.left.given,
                                              record.top.given,
                                              record.width.given,
                                              record.height.given,
                                              true};
    for (std::size_t i = 1; i < std::min(items.size(), kLabelItems); ++i) {
        if (i == 1 || i == 2)
            CheckColourItem(place, items[i], findings);
        if (!items[i].empty() && !given[i] && !(i <= 2 && panel::ParseFileNumber(items[i])))
            findings.Warning(place, L"item \"" + items[i] + L"\" does not convert: the label ignores it");
    }
    if (items.size() > 9 && !items[9].empty() && !panel::ParseFileNumber(items[9]))
        findings.Warning(place, L"page \"" + items[9] + L"\" does not convert: the label stays on page " +
                                    std::to_wstring(key.defaultPage));
}

void CheckGlobalFont(const LanguageFile& file, Findings& findings)
{
    for (const wchar_t* key : {L"ColorUp", L"ColorDown", L"FontSize"}) {
        const std::wstring value = FullValue(file, L"GlobalFont", key);
        if (value.empty())
            continue;
        const Place place = KeyPlace(file.inventory, file.relative, L"GlobalFont", key);
        if (!panel::ParseFileNumber(value))
            findings.Warning(place, L"\"" + value + L"\" does not convert: reads as none");
        else if (std::wstring(key) != L"FontSize")
            CheckColourItem(place, value, findings);
    }
    if (FullValue(file, L"GlobalFont", L"Font").size() > panel::kFontNameChars)
        findings.Warning(KeyPlace(file.inventory, file.relative, L"GlobalFont", L"Font"),
                         L"font name longer than 63 characters: it is cut");
}

void CheckSetupLabels(const LanguageFile& file, Findings& findings)
{
    for (const wchar_t* key : setup::kSetupLabelKeys) {
        std::wstring value;
        ReadIniKey(file.kit.profile, file.path, L"Setup", key, value);
        if (value.empty())
            continue;
        const Place place = KeyPlace(file.inventory, file.relative, L"Setup", key);
        setup::SetupLabelRecord record;
        if (const auto bad = setup::StoreLabelValue(value, record)) {
            findings.Error(place, L"item \"" + *bad + L"\" is not an integer: Setup shows a conversion error and "
                                                      L"skips the rest of its texts and options");
            return;
        }
        if (value.substr(0, value.find(L',')).size() > setup::kSetupLabelTextChars)
            findings.Warning(place, L"text longer than 127 characters: it is cut");
        if (record.colour && (static_cast<std::uint32_t>(*record.colour) > kLargestColour))
            findings.Warning(place, L"colour is out of range ($000000 to $FFFFFF)");
    }
}

void CheckLanguage(const Kit& kit, const std::wstring& languagesRoot, const std::wstring& resolution,
                   const std::wstring& language, Findings& findings)
{
    const std::wstring path = panel::LanguageFilePath(kit.folder, languagesRoot, resolution, language);
    LanguageFile file{kit, path, path.substr(kit.folder.size()), IniInventory::Read(kit.files, path)};
    if (!file.inventory.Present()) {
        findings.Error({file.relative, L"", L"", 0}, L"missing: every label of this language is hidden");
        return;
    }
    CheckKeys(file.inventory, file.relative, LanguageKeySchema(resolution.empty()), findings);
    CheckGlobalFont(file, findings);
    for (const panel::LanguageKey& key : panel::LanguageKeys())
        CheckLabel(file, key, findings);
    if (resolution.empty())
        CheckSetupLabels(file, findings);
}

} // namespace

KeySchema LanguageKeySchema(bool forInstaller)
{
    KeySchema schema;
    for (const wchar_t* key : panel::kGlobalFontKeys)
        schema.keys.push_back({L"GlobalFont", key, Severity::Note, L"labels without their own font keep the control's"});
    for (const panel::LanguageKey& key : panel::LanguageKeys())
        schema.keys.push_back({key.section, key.key, Severity::Warning, L"the label is hidden"});
    // Setup reads its keys only beside the languages folder; elsewhere a copy is harmless, not required.
    for (const wchar_t* key : setup::kSetupLabelKeys)
        schema.keys.push_back({L"Setup", key, Severity::Warning, L"Setup shows no text there", forInstaller});
    return schema;
}

void CheckLanguages(const Kit& kit, Findings& findings)
{
    const std::wstring languagesRoot = kit.Config(L"Language", L"LanguageFolderName");
    if (languagesRoot.empty())
        return;
    for (const std::wstring& resolution : ResolutionFolders())
        for (const std::wstring& language : SortedSubfolders(kit, languagesRoot + L"\\" + resolution))
            if (!(resolution.empty() && IsResolutionFolderName(language)))
                CheckLanguage(kit, languagesRoot, resolution, language, findings);
}

void CheckLanguageMap(const Kit& kit, const IniInventory& config, Findings& findings)
{
    const std::wstring languagesRoot = kit.Config(L"Language", L"LanguageFolderName");
    if (languagesRoot.empty())
        return;
    std::vector<std::wstring> everyFolder;
    for (const std::wstring& resolution : ResolutionFolders()) {
        const std::wstring relative = languagesRoot + L"\\" + resolution;
        for (const std::wstring& folder : SortedSubfolders(kit, relative)) {
            if (resolution.empty() && IsResolutionFolderName(folder))
                continue;
            everyFolder.push_back(folder);
            const Place place{relative + folder, L"", L"", 0};
            if (folder.size() > panel::kLanguageFolderChars) {
                findings.Error(place, L"folder name longer than 15 characters: the panel looks for \"" +
                                          CutText(folder, panel::kLanguageFolderChars) + L"\" and finds no file");
                continue;
            }
            if (config.Find(L"MultiLanguageFolderMap", folder) == nullptr)
                findings.Warning(place, resolution.empty()
                                            ? L"no [MultiLanguageFolderMap] entry: Setup does not offer it and the "
                                              L"panel's menu shows an empty item"
                                            : L"no [MultiLanguageFolderMap] entry: the panel's menu shows an empty item");
        }
    }
    for (const IniKeyLine* entry : config.KeysOf(L"MultiLanguageFolderMap")) {
        const Place place{kConfigFile, entry->section, entry->key, entry->line};
        if (std::none_of(everyFolder.begin(), everyFolder.end(),
                         [entry](const std::wstring& f) { return EqualsIgnoreAsciiCase(f, entry->key); }))
            findings.Warning(place, L"no language folder \"" + entry->key + L"\" in " + languagesRoot + L"\\");
        if (entry->value.empty())
            findings.Warning(place, L"no display name: the language is not offered by Setup and shows as an empty item");
        else if (kit.Config(L"MultiLanguageFolderMap", entry->key, 1024).size() > panel::kLanguageDisplayChars)
            findings.Warning(place, L"display name longer than 31 characters: the menu shows \"" +
                                        kit.Config(L"MultiLanguageFolderMap", entry->key,
                                                   panel::kLanguageDisplayChars + 1) + L"\"");
    }
}

} // namespace kitcheck
