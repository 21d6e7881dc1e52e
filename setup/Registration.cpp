#include "setup/Registration.h"

#include "common/IniKeys.h"
#include "common/RegistryStore.h"
#include "common/Text.h"

#include <algorithm>
#include <array>

namespace setup {

namespace {

constexpr std::size_t kDiagnosticLineChars = 1024;
constexpr auto kRoot = ports::RegistryRoot::LocalMachine;
constexpr auto kView = ports::RegistryView::Bits32;

struct DefaultSetEntry {
    const wchar_t* key;
    const wchar_t* valueName;
};

// [DefaultSet] keys written only when given, in writing order.
constexpr std::array kOptionalDefaults{
    DefaultSetEntry{L"VoiceMagicEnable", L"VoiceMagicEnable"},
    DefaultSetEntry{L"VoiceMagicLevel", L"VoiceMagicLevel"},
    DefaultSetEntry{L"V7ch1Scalar", L"Virtual7ch1Scalar"},
    DefaultSetEntry{L"EncScalar", L"EncScalar"},
    DefaultSetEntry{L"EncGpio", L"EncGpio"},
};

struct ServiceEntry {
    const wchar_t* prefix;
    const wchar_t* digit;
    const wchar_t* commandSwitch;
};

constexpr std::array kServiceEntries{
    ServiceEntry{L"UserPrivilegeExecution_", L"0", L" -servicestart"},
    ServiceEntry{L"AdminPrivilegeExecution_", L"1", L" -servicestart"},
    ServiceEntry{L"SystemPrivilegeExecution_", L"2", L" -servicestart"},
    ServiceEntry{L"SystemPrivilegeExecutionOnBoot_", L"3", L" -serviceboot"},
    ServiceEntry{L"AdminPrivilegeExecutionOnBoot_", L"4", L" -serviceboot"},
};

std::wstring PluginProgramPath(const _APPLICATION_FOLDER_PATH& config, const std::wstring& fileName)
{
    return config.InstallFolderPath + config.PluginFolderName + L"\\" + fileName + L"\\" + fileName + L".exe";
}

// The first comma-separated item of a value as a leading-digits integer.
std::uint32_t FirstItemValue(const std::wstring& value)
{
    std::array<std::wstring, 1> items;
    SplitIniList(value, items);
    return static_cast<std::uint32_t>(LeadingInteger(items[0]));
}

} // namespace

_REG_UNINSTALL_INFO MakeUninstallInfo(const _APPLICATION_FOLDER_PATH& config, const std::wstring& versionText)
{
    const std::wstring uninstaller = config.InstallFolderPath + config.UninstallFileName + L".exe";
    return {kUninstallKey,         config.UninstallDisplayName,
            uninstaller,           uninstaller,
            versionText,           config.Publisher,
            config.InstallFolderPath, L"\"" + uninstaller + L"\" " + kSilentSwitch};
}

std::wstring ControlPanelPath(const _APPLICATION_FOLDER_PATH& config)
{
    return config.InstallFolderPath + config.APPFileName + L".exe";
}

std::wstring EffectAppPath(const _APPLICATION_FOLDER_PATH& config)
{
    return PluginProgramPath(config, config.EffectAPPFileName);
}

std::wstring SoundEffectAppPath(const _APPLICATION_FOLDER_PATH& config)
{
    return PluginProgramPath(config, config.SoundEffectAPPFileName);
}

int CopyDeviceIdGroup(DEVICEID_MGR::CDeviceIdMgr& group, ports::Registry& registry, const std::wstring& sourceFolder,
                      const std::wstring& groupKeyName, const std::wstring& section, const std::wstring& fileName)
{
    if (group.LoadFromIniFile(sourceFolder + fileName, section) != 0)
        return 1;
    group.SaveToRegistry(registry, groupKeyName);
    return 0;
}

void WriteRegistryDefaults(const ports::PrivateProfile& profile, ports::Registry& registry,
                           const std::wstring& sourceFolder)
{
    const std::wstring configPath = sourceFolder + kAudioConfigFileName;
    for (int i = 1; i <= kEncValueMapKeys; ++i) {
        std::wstring value;
        if (ReadIniKey(profile, configPath, L"EncValueMap", std::to_wstring(i), value) != 0)
            continue;
        std::array<std::wstring, 2> items;
        if (SplitIniList(value, items) < 2)
            continue;
        SaveSoftwareDword(registry, kEncValueMapKey, items[0], static_cast<std::uint32_t>(LeadingInteger(items[1])));
    }

    std::wstring encEnable;
    ReadIniKey(profile, configPath, L"DefaultSet", L"EncEnable", encEnable);
    SaveSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", encEnable.empty() ? 0 : FirstItemValue(encEnable));

    for (const DefaultSetEntry& entry : kOptionalDefaults) {
        std::wstring value;
        if (ReadIniKey(profile, configPath, L"DefaultSet", entry.key, value) == 0)
            SaveSoftwareDword(registry, kProductSoftwareKey, entry.valueName, FirstItemValue(value));
    }
}

int SaveSoftwareString(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                       const std::wstring& text)
{
    const ports::CreatedKey opened = registry.CreateKey(kRoot, SoftwareKeyPath(keyPath), kView);
    if (opened.key)
        opened.key->WriteString(valueName, text);
    return 0;
}

void WriteServiceEntries(ports::Registry& registry, ports::DebugOutput& debug, const _APPLICATION_FOLDER_PATH& config)
{
    struct Program {
        const wchar_t* letter;
        std::wstring path;
    };
    const std::array programs{Program{L"C", ControlPanelPath(config)}, Program{L"B", EffectAppPath(config)},
                              Program{L"D", SoundEffectAppPath(config)}};
    debug.Write(FormatText(kDiagnosticLineChars, L"##### Service start-up program = %ls\n", programs[0].path.c_str()));
    for (const Program& program : programs)
        for (const ServiceEntry& entry : kServiceEntries)
            SaveSoftwareString(registry, kProductSoftwareKey,
                               std::wstring(entry.prefix) + program.letter + entry.digit,
                               L"\"" + program.path + L"\"" + entry.commandSwitch);
}

int WriteLogonEntry(ports::Registry& registry, const std::wstring& valueName, const std::wstring& commandLine)
{
    const ports::CreatedKey opened = registry.CreateKey(kRoot, kRunKey, kView);
    if (!opened.key)
        return 1;
    opened.key->WriteString(valueName, commandLine);
    return 0;
}

bool WriteUninstallEntry(ports::Registry& registry, const _REG_UNINSTALL_INFO& info)
{
    std::unique_ptr<ports::RegistryKey> key = registry.OpenKey(kRoot, info.key, kView);
    if (!key)
        key = registry.CreateKey(kRoot, info.key, kView).key;
    if (!key)
        return false;
    key->WriteString(L"DisplayName", info.DisplayName);
    key->WriteString(L"UninstallString", info.UninstallString);
    key->WriteString(L"DisplayIcon", info.DisplayIcon);
    key->WriteString(L"DisplayVersion", info.DisplayVersion);
    key->WriteString(L"Publisher", info.Publisher);
    key->WriteString(L"InstallLocation", info.InstallLocation);
    key->WriteString(L"QuietUninstallString", info.QuietUninstallString);
    key->WriteDword(L"NoModify", 1);
    key->WriteDword(L"NoRepair", 1);
    return true;
}

bool WriteEstimatedSize(ports::Registry& registry, const std::wstring& uninstallKey, std::uint64_t bytes)
{
    const auto key = registry.OpenKey(kRoot, uninstallKey, kView);
    const std::uint64_t kib = (bytes + 1023) / 1024;
    return key && key->WriteDword(L"EstimatedSize", static_cast<std::uint32_t>(std::min<std::uint64_t>(kib, 0xFFFFFFFF)));
}

} // namespace setup
