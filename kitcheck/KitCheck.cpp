#include "kitcheck/KitCheck.h"

#include "common/AppConfig.h"
#include "common/Text.h"
#include "kitcheck/ConfigCheck.h"
#include "kitcheck/DeviceIdCheck.h"
#include "kitcheck/InstallNames.h"
#include "kitcheck/LanguageCheck.h"
#include "kitcheck/ProfileCheck.h"
#include "kitcheck/SkinCheck.h"
#include "panel/language/LanguageSetting.h"
#include "panel/skin/SkinFolders.h"

#include <algorithm>

namespace kitcheck {

namespace {

// The panel picks the resolution folder by the screen and falls back to the skins directly in the skins
// folder when the default skin is not there; the language file is looked for in the same folder.
void CheckDefaults(const Kit& kit, const IniInventory& config, Findings& findings)
{
    const std::wstring skinsRoot = kit.Config(L"Skin", L"SkinFolderName");
    const std::wstring languagesRoot = kit.Config(L"Language", L"LanguageFolderName");
    const std::wstring skin = kit.Config(L"Skin", L"DefaultSkin", 128);
    const std::wstring language = kit.Config(L"Language", L"DefaultLanguage", 128);
    if (skinsRoot.empty() || skin.empty())
        return;
    bool anywhere = false;
    for (const std::wstring& screen : ResolutionFolders()) {
        const std::wstring resolution = panel::CheckedResolutionFolder(kit.files, kit.folder, skinsRoot, screen, skin);
        if (resolution != screen && !screen.empty() &&
            kit.files.FolderExists(kit.Path(skinsRoot + L"\\" + screen)))
            findings.Warning({skinsRoot + L"\\" + screen, L"", L"", 0},
                             L"no default skin \"" + skin + L"\" here: these screens take the skins of " + skinsRoot +
                                 L"\\ instead");
        const bool found = kit.files.FileExists(
            panel::SkinFolderPath(kit.folder, skinsRoot, resolution, skin) + panel::kSkinSettingFileName);
        anywhere = anywhere || found;
        if (found && !languagesRoot.empty() && !language.empty() &&
            !kit.files.FileExists(panel::LanguageFilePath(kit.folder, languagesRoot, resolution, language)))
            findings.Error({languagesRoot + L"\\" + resolution + language, L"", L"", 0},
                           L"the default language is missing where the default skin is: every label is hidden");
    }
    if (!anywhere)
        findings.Error(KeyPlace(config, kAudioConfigFileName, L"Skin", L"DefaultSkin"),
                       L"no skin \"" + skin + L"\" in " + skinsRoot + L"\\: the panel starts with every skinned control hidden");
}

// Setup looks for its background in the skins folder of the screen's resolution folder, then beside itself.
void CheckBackground(const Kit& kit, const IniInventory& config, Findings& findings)
{
    const std::wstring picture = kit.Config(L"Install", L"InstallBackgroundFileName", 1024);
    if (picture.empty())
        return;
    const std::wstring skinsRoot = kit.Config(L"Skin", L"SkinFolderName", 1024);
    std::wstring screens;
    for (const std::wstring& resolution : ResolutionFolders())
        if (!kit.files.FileExists(kit.Path(skinsRoot + L"\\" + resolution + picture)) &&
            !kit.files.FileExists(kit.Path(picture)))
            screens += (screens.empty() ? L"" : L", ") +
                       (resolution.empty() ? std::wstring(L"the smallest") : resolution.substr(0, resolution.size() - 1));
    if (!screens.empty())
        findings.Error(KeyPlace(config, kAudioConfigFileName, L"Install", L"InstallBackgroundFileName"),
                       L"\"" + picture + L"\" is neither in the skins' resolution folders nor beside Setup (screens: " +
                           screens + L"): Setup shows an error instead of its wizard");
}

std::wstring WithBackslash(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

} // namespace

std::vector<Finding> CheckKit(const ports::FileSystem& files, const ports::PrivateProfile& profile,
                              const std::wstring& kitFolder)
{
    const Kit kit{files, profile, WithBackslash(kitFolder)};
    Findings findings;
    if (!files.FolderExists(kit.folder)) {
        findings.Error({L"", L"", L"", 0}, L"the kit folder \"" + kitFolder + L"\" does not exist");
        return findings.All();
    }
    const IniInventory config = IniInventory::Read(files, kit.ConfigPath());
    CheckConfig(kit, config, findings);
    if (config.Present()) {
        CheckInstallNames(kit, config, findings);
        CheckDeviceIds(kit, config, findings);
        CheckEncValueMap(kit, config, findings);
        CheckLanguageMap(kit, config, findings);
        CheckDefaults(kit, config, findings);
        CheckBackground(kit, config, findings);
        CheckSkins(kit, findings);
        CheckLanguages(kit, findings);
    }
    CheckDefaultProfile(kit, findings);

    std::vector<Finding> all = findings.All();
    std::stable_sort(all.begin(), all.end(), [](const Finding& a, const Finding& b) {
        const std::wstring fa = ToLowerAscii(a.file);
        const std::wstring fb = ToLowerAscii(b.file);
        return fa != fb ? fa < fb : a.line < b.line;
    });
    return all;
}

} // namespace kitcheck
