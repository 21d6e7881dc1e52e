#include "common/AppConfig.h"

#include "common/IniKeys.h"
#include "common/SystemFacts.h"
#include "common/Text.h"

#include <array>

namespace {

constexpr std::size_t kDiagnosticLineChars = 255;
constexpr std::size_t kAppDataChars = 255;
constexpr std::size_t kChoiceCapacity = 128; // language and skin names: 127 characters

struct LoaderEntry {
    const wchar_t* section;
    const wchar_t* key;
    std::wstring _APPLICATION_FOLDER_PATH::*field;
    bool installerOnly;
};

using R = _APPLICATION_FOLDER_PATH;

// Reading order of the configuration keys.
constexpr std::array kLoaderTable{
    LoaderEntry{L"Language", L"LanguageFolderName", &R::LanguageFolderName, false},
    LoaderEntry{L"Skin", L"SkinFolderName", &R::SkinFolderName, false},
    LoaderEntry{L"Install", L"InstallAppTitle", &R::InstallAppTitle, false},
    LoaderEntry{L"Install", L"InstallIconFileName", &R::InstallIconFileName, false},
    LoaderEntry{L"Install", L"InstallFolderName", &R::InstallFolderName, false},
    LoaderEntry{L"Install", L"ShortcutFolderName", &R::ShortcutFolderName, false},
    LoaderEntry{L"Install", L"ShortcutFolderNameUp", &R::ShortcutFolderNameUp, true},
    LoaderEntry{L"Install", L"AppShortcutName", &R::AppShortcutName, false},
    LoaderEntry{L"Uninstall", L"UninstallAppTitle", &R::UninstallAppTitle, false},
    LoaderEntry{L"Uninstall", L"UninstallIconFileName", &R::UninstallIconFileName, false},
    LoaderEntry{L"Uninstall", L"UninstallShortcutName", &R::UninstallShortcutName, false},
    LoaderEntry{L"Uninstall", L"Publisher", &R::Publisher, false},
    LoaderEntry{L"Uninstall", L"UninstallDisplayName", &R::UninstallDisplayName, false},
    LoaderEntry{L"Application", L"DeviceActiveIconFileName", &R::DeviceActiveIconFileName, false},
    LoaderEntry{L"Application", L"DeviceUnactiveIconFileName", &R::DeviceUnactiveIconFileName, false},
    LoaderEntry{L"Application", L"TrayIconRestorOn", &R::TrayIconRestorOn, false},
    LoaderEntry{L"Install", L"APPFileName", &R::APPFileName, false},
    LoaderEntry{L"Install", L"UserManualShortcutName", &R::UserManualShortcutName, false},
    LoaderEntry{L"Uninstall", L"UninstallFileName", &R::UninstallFileName, false},
    LoaderEntry{L"DebugLevel", L"Application", &R::DebugLevelApplication, false},
    LoaderEntry{L"DebugLevel", L"Service", &R::DebugLevelService, false},
    LoaderEntry{L"Install", L"EffectAPPFileName", &R::EffectAPPFileName, false},
    LoaderEntry{L"Install", L"EffectAppShortcutName", &R::EffectAppShortcutName, false},
    LoaderEntry{L"Plugin", L"PluginFolderName", &R::PluginFolderName, false},
    LoaderEntry{L"Install", L"SoundEffectAPPFileName", &R::SoundEffectAPPFileName, true},
};

std::wstring WithBackslash(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

} // namespace

std::vector<ConfigLoaderKey> ConfigLoaderKeys()
{
    std::vector<ConfigLoaderKey> keys;
    for (const LoaderEntry& entry : kLoaderTable)
        keys.push_back({entry.section, entry.key, entry.installerOnly});
    return keys;
}

void LoadApplicationConfig(const ports::Platform& platform, const std::wstring& configFileName,
                           const std::wstring& programPath, _APPLICATION_FOLDER_PATH& record, ConfigReader reader)
{
    const auto lastBackslash = programPath.find_last_of(L'\\');
    if (lastBackslash == std::wstring::npos) {
        record.SourceAppFileName = programPath;
        record.SourceFolderFullPath.clear();
    } else {
        record.SourceAppFileName = programPath.substr(lastBackslash + 1);
        record.SourceFolderFullPath = programPath.substr(0, lastBackslash + 1);
    }
    platform.debug.Write(
        FormatText(kDiagnosticLineChars, L"##### SourceAppFileName = %ls\n", record.SourceAppFileName.c_str()));
    platform.debug.Write(
        FormatText(kDiagnosticLineChars, L"##### SourceFolderFullPath = %ls\n", record.SourceFolderFullPath.c_str()));

    const std::wstring configPath = record.SourceFolderFullPath + configFileName;
    for (const LoaderEntry& entry : kLoaderTable) {
        if (entry.installerOnly && reader != ConfigReader::Installer)
            continue;
        ReadIniKey(platform.profile, configPath, entry.section, entry.key, record.*entry.field);
    }
    if (record.DebugLevelApplication.empty())
        record.DebugLevelApplication = L"0";
    if (record.DebugLevelService.empty())
        record.DebugLevelService = L"0";

    // A folder the system cannot tell stays empty rather than becoming the root of the current drive.
    record.ProgramFilesFolder = WithBackslash(platform.system.FolderPath(ports::kCsidlProgramFiles).value_or(L""));
    record.InstallFolderPath = record.ProgramFilesFolder + record.InstallFolderName + L"\\";

    const bool wow64 = IsWow64(platform.system);
    record.SystemFolder = WithBackslash(
        platform.system.SpecialFolderPath(wow64 ? ports::kCsidlSystemX86 : ports::kCsidlSystem).value_or(L""));

    // Under WOW64 the system directory a 32-bit process sees is redirected; the native one is asked
    // with redirection off, and only for that one call.
    ports::RedirectionCookie cookie;
    const bool redirectionOff = wow64 && DisableFsRedirection(platform.system, cookie);
    record.NativeSystemFolder = WithBackslash(platform.system.SystemDirectory());
    if (redirectionOff)
        RevertFsRedirection(platform.system, cookie);
}

std::wstring UserDataFile(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                          const std::wstring& fileName)
{
    const std::wstring appData = CutText(platform.system.EnvironmentVariable(L"APPDATA").value_or(L""), kAppDataChars);
    return appData + L"\\" + record.InstallFolderName + L"\\" + fileName;
}

std::wstring UserProfileFolder(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record)
{
    const std::wstring home = CutText(platform.system.EnvironmentVariable(L"USERPROFILE").value_or(L""), kAppDataChars);
    return home + L"\\" + record.InstallFolderName;
}

std::wstring UserConfigPath(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record)
{
    return UserDataFile(platform, record, kAudioConfigFileName);
}

void ReadUserChoices(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                     std::wstring& languageName, std::wstring& skinName)
{
    const std::wstring path = UserConfigPath(platform, record);
    if (!platform.files.FileExists(path))
        return;
    GetIniKey(platform.profile, path, L"Language", L"DefaultLanguage", languageName, kChoiceCapacity);
    GetIniKey(platform.profile, path, L"Skin", L"DefaultSkin", skinName, kChoiceCapacity);
}

void SaveUserChoices(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                     const std::wstring& languageName, const std::wstring& skinName)
{
    const std::wstring path = UserConfigPath(platform, record);
    if (!platform.files.FileExists(path))
        return;
    SaveIniKey(platform.profile, path, L"Language", L"DefaultLanguage", languageName);
    SaveIniKey(platform.profile, path, L"Skin", L"DefaultSkin", skinName);
}
