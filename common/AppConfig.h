#pragma once
// The product's identity: "AudioConfig.cfg" beside each program, read once at start into one record,
// plus the folders derived from the system and the per-user copy that keeps the chosen language and skin.

#include "common/ports/Platform.h"

#include <string>
#include <vector>

inline constexpr wchar_t kAudioConfigFileName[] = L"AudioConfig.cfg";

// Which program reads the file: the installer reads two keys more.
enum class ConfigReader { ControlPanel, Installer };

struct _APPLICATION_FOLDER_PATH {
    std::wstring SourceAppFileName;
    std::wstring LanguageFolderName;
    std::wstring SkinFolderName;
    std::wstring ProgramFilesFolder;
    std::wstring InstallAppTitle;
    std::wstring InstallIconFileName;
    std::wstring InstallFolderName;
    std::wstring ShortcutFolderName;
    std::wstring ShortcutFolderNameUp; // installer
    std::wstring AppShortcutName;
    std::wstring UninstallAppTitle;
    std::wstring UninstallIconFileName;
    std::wstring UninstallShortcutName;
    std::wstring Publisher;
    std::wstring UninstallDisplayName;
    std::wstring SourceFolderFullPath;
    std::wstring InstallFolderPath;
    std::wstring APPFileName;
    std::wstring UninstallFileName;
    std::wstring UserManualShortcutName;
    std::wstring SystemFolder;
    std::wstring NativeSystemFolder;
    std::wstring DeviceActiveIconFileName;
    std::wstring DeviceUnactiveIconFileName;
    std::wstring TrayIconRestorOn;
    std::wstring EffectAPPFileName;
    std::wstring EffectAppShortcutName;
    std::wstring PluginFolderName;
    std::wstring SoundEffectAPPFileName; // installer
    std::wstring DebugLevelApplication;
    std::wstring DebugLevelService;
};

// The keys LoadApplicationConfig reads, in reading order.
struct ConfigLoaderKey {
    const wchar_t* section;
    const wchar_t* key;
    bool installerOnly;
};
std::vector<ConfigLoaderKey> ConfigLoaderKeys();

// Fills `record` from the configuration file beside the program and from the system. Missing keys
// leave their fields empty; a missing file is a file without keys.
void LoadApplicationConfig(const ports::Platform& platform, const std::wstring& configFileName,
                           const std::wstring& programPath, _APPLICATION_FOLDER_PATH& record,
                           ConfigReader reader = ConfigReader::ControlPanel);

// A file of the user's own folder: %APPDATA%\<InstallFolderName>\<fileName>.
std::wstring UserDataFile(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                          const std::wstring& fileName);

// Where the user's own sound profiles go: %USERPROFILE%\<InstallFolderName>.
std::wstring UserProfileFolder(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record);

// The per-user copy: %APPDATA%\<InstallFolderName>\AudioConfig.cfg.
std::wstring UserConfigPath(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record);

// Reads the chosen language and skin from the per-user copy when it exists; otherwise both stay.
void ReadUserChoices(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                     std::wstring& languageName, std::wstring& skinName);

// Writes both choices into the per-user copy when it exists; a missing copy is not created.
void SaveUserChoices(const ports::Platform& platform, const _APPLICATION_FOLDER_PATH& record,
                     const std::wstring& languageName, const std::wstring& skinName);
