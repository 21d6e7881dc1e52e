#include "kitcheck/ConfigCheck.h"

#include "common/AppConfig.h"
#include "common/Text.h"

#include <algorithm>
#include <array>

namespace kitcheck {

namespace {

constexpr const wchar_t* kConfigFile = kAudioConfigFileName;
// The panel reads its start-up keys into buffers of 32 characters.
constexpr std::size_t kStartupChars = 31;

// What a missing loader key does, where it is more than an empty field.
struct MissingEffect {
    const wchar_t* key;
    Severity severity;
    const wchar_t* effect;
};

constexpr std::array kLoaderEffects{
    MissingEffect{L"LanguageFolderName", Severity::Error, L"no language file is found: every label is hidden"},
    MissingEffect{L"SkinFolderName", Severity::Error, L"no skin is found: every skinned control is hidden"},
    MissingEffect{L"InstallFolderName", Severity::Error,
                  L"Setup installs straight into Program Files and the per-user files lie in the user's root"},
    MissingEffect{L"APPFileName", Severity::Error, L"Setup writes the control panel as \".exe\""},
    MissingEffect{L"UninstallFileName", Severity::Error, L"Setup writes the uninstaller as \".exe\""},
    MissingEffect{L"InstallIconFileName", Severity::Error, L"Setup fails at start: it has no icon to load"},
    MissingEffect{L"InstallAppTitle", Severity::Warning, L"the panel's message boxes and Setup have no title"},
    MissingEffect{L"PluginFolderName", Severity::Note, L"no plug-in is installed or offered"},
    MissingEffect{L"EffectAPPFileName", Severity::Note, L"no companion effect program"},
    MissingEffect{L"SoundEffectAPPFileName", Severity::Note, L"no second companion program"},
    MissingEffect{L"Application", Severity::Note, L"reads as \"0\""},
    MissingEffect{L"Service", Severity::Note, L"reads as \"0\""},
};

// Keys the features read themselves, beside the loader's.
struct FeatureKey {
    const wchar_t* section;
    const wchar_t* key;
    Severity severity;
    const wchar_t* effect;
    bool integer;
};

constexpr std::array kFeatureKeys{
    FeatureKey{L"Language", L"DefaultLanguage", Severity::Warning,
               L"the first language is used and Setup shows empty captions until one is picked", false},
    FeatureKey{L"Skin", L"DefaultSkin", Severity::Error,
               L"the panel starts without a skin: every skinned control is hidden", false},
    FeatureKey{L"Skin", L"RegionCut", Severity::Note, L"the window stays rectangular", true},
    FeatureKey{L"Install", L"BackgroundWidth", Severity::Note, L"Setup's background covers the screen", true},
    FeatureKey{L"Install", L"BackgroundHeight", Severity::Note, L"Setup's background covers the screen", true},
    FeatureKey{L"Install", L"InstallBackgroundFileName", Severity::Note, L"Setup shows no background", false},
    FeatureKey{L"Install", L"DesktopShortcutEnable", Severity::Note, L"no desktop shortcut", true},
    FeatureKey{L"Install", L"InstallWindowsKB", Severity::Note, L"the Windows update is installed", true},
    FeatureKey{L"Install", L"ShowRebootScreen", Severity::Note, L"Setup ends without the restart choice", true},
    FeatureKey{L"TrayIconHint", L"HintName", Severity::Warning, L"the notification-area icon has no hint", false},
    FeatureKey{L"Version", L"OldVersion", Severity::Note, L"reads as 0: window coordinates", true},
    FeatureKey{L"Version", L"DefaultIni", Severity::Note, L"reads as 0: DefaultProfile.ini is not read", true},
    FeatureKey{L"Version", L"Bee", Severity::Note, L"reads as 0: no test-sound check box", true},
    FeatureKey{L"Mic", L"Monitor", Severity::Note, L"reads as 1", true},
    FeatureKey{L"DefaultSet", L"V7ch1Scalar", Severity::Note, L"the virtual 7.1 scale is 2.0", true},
    FeatureKey{L"DefaultSet", L"EncButtonMode", Severity::Note, L"reads as 0", true},
    FeatureKey{L"DefaultSet", L"EncGpio", Severity::Note, L"reads as 0: no headset button", true},
    FeatureKey{L"DefaultSet", L"3DV7ch1MutuallyExclusive", Severity::Note, L"reads as 0", true},
    FeatureKey{L"DefaultSet", L"EncEnable", Severity::Note, L"Setup writes its own default", true},
    FeatureKey{L"DefaultSet", L"EncScalar", Severity::Note, L"Setup writes its own default", true},
    FeatureKey{L"DefaultSet", L"VoiceMagicEnable", Severity::Note, L"Setup writes its own default", true},
    FeatureKey{L"DefaultSet", L"VoiceMagicLevel", Severity::Note, L"Setup writes its own default", true},
    FeatureKey{L"LastINI", L"Path", Severity::Note, L"the panel adds it at the first saved profile", false},
};

// Sections whose keys are the OEM's own names: plug-in folders, language folders, device patterns.
constexpr std::array kOpenSections{L"Application", L"MultiLanguageFolderMap", L"USB_VID_PID", L"HID_VID_PID",
                                   L"EncValueMap"};

bool StartupKey(const std::wstring& section, const std::wstring& key)
{
    return section == L"TrayIconHint" || section == L"Version" || section == L"Mic" || section == L"DefaultSet" ||
           (section == L"Skin" && key == L"RegionCut");
}

bool HasLeadingDigits(std::wstring_view text)
{
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-'))
        text.remove_prefix(1);
    return !text.empty() && text.front() >= L'0' && text.front() <= L'9';
}

void CheckInteger(const IniInventory& config, const FeatureKey& key, Findings& findings)
{
    const IniKeyLine* entry = config.Find(key.section, key.key);
    if (entry == nullptr || entry->value.empty())
        return;
    const Place place{kConfigFile, key.section, key.key, entry->line};
    int value = 0;
    if (WholeInteger(entry->value, value))
        return;
    if (std::wstring(key.key) == L"RegionCut")
        findings.Warning(place, L"'" + entry->value + L"' is not a whole integer: counts as 0");
    else if (!HasLeadingDigits(entry->value))
        findings.Warning(place, L"'" + entry->value + L"' has no leading digits: reads as 0");
    else
        findings.Warning(place, L"'" + entry->value + L"': only the leading digits count, " +
                                    std::to_wstring(LeadingInteger(entry->value)));
}

void CheckFileNamed(const Kit& kit, const IniInventory& config, const wchar_t* section, const wchar_t* key,
                    Severity severity, const wchar_t* effect, Findings& findings)
{
    const IniKeyLine* entry = config.Find(section, key);
    if (entry == nullptr || entry->value.empty() || kit.files.FileExists(kit.Path(kit.Config(section, key))))
        return;
    findings.Add(severity, {kConfigFile, section, key, entry->line},
                 L"names \"" + kit.Config(section, key) + L"\", which is not in the kit: " + effect);
}

} // namespace

KeySchema ConfigKeySchema()
{
    KeySchema schema;
    for (const ConfigLoaderKey& loaded : ConfigLoaderKeys()) {
        KnownKey key{loaded.section, loaded.key, Severity::Warning, L"the field stays empty"};
        for (const MissingEffect& effect : kLoaderEffects)
            if (key.key == effect.key) {
                key.whenMissing = effect.severity;
                key.missingEffect = effect.effect;
            }
        schema.keys.push_back(std::move(key));
    }
    for (const FeatureKey& feature : kFeatureKeys)
        schema.keys.push_back({feature.section, feature.key, feature.severity, feature.effect});
    for (const wchar_t* section : kOpenSections)
        schema.openSections.push_back(section);
    return schema;
}

void CheckConfig(const Kit& kit, const IniInventory& config, Findings& findings)
{
    if (!config.Present()) {
        findings.Error({kConfigFile, L"", L"", 0},
                       L"missing: the programs read no device IDs, folders, skins or languages");
        return;
    }
    CheckKeys(config, kConfigFile, ConfigKeySchema(), findings);

    for (const IniKeyLine& entry : config.Keys())
        if (!entry.shadowed && StartupKey(entry.section, entry.key) && entry.value.size() > kStartupChars)
            findings.Warning({kConfigFile, entry.section, entry.key, entry.line},
                             L"longer than 31 characters: the panel reads \"" +
                                 kit.Config(entry.section, entry.key, kStartupChars + 1) + L"\"");
    for (const FeatureKey& key : kFeatureKeys)
        if (key.integer)
            CheckInteger(config, key, findings);
    for (const IniKeyLine* entry : config.KeysOf(L"Application")) {
        const bool loaded = entry->key == L"DeviceActiveIconFileName" || entry->key == L"DeviceUnactiveIconFileName" ||
                            entry->key == L"TrayIconRestorOn";
        int value = 0;
        if (!loaded && !entry->value.empty() && !WholeInteger(entry->value, value))
            findings.Warning({kConfigFile, entry->section, entry->key, entry->line},
                             L"a plug-in entry takes an integer; '" + entry->value + L"' reads as " +
                                 std::to_wstring(LeadingInteger(entry->value)));
    }

    CheckFileNamed(kit, config, L"Install", L"InstallIconFileName", Severity::Error,
                   L"Setup fails at start and the panel has no icon", findings);
    CheckFileNamed(kit, config, L"Uninstall", L"UninstallIconFileName", Severity::Note, L"loaded only", findings);
    CheckFileNamed(kit, config, L"Application", L"DeviceActiveIconFileName", Severity::Note, L"loaded only", findings);
    CheckFileNamed(kit, config, L"Application", L"DeviceUnactiveIconFileName", Severity::Note, L"loaded only",
                   findings);
}

} // namespace kitcheck
