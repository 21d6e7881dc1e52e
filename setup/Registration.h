#pragma once
// What the installer leaves in the registry: the device-ID groups and feature defaults the control panel
// reads, the companion service's start-up command lines, the log-on entry and the uninstall entry. Every
// key lies under HKEY_LOCAL_MACHINE in the 32-bit view, where the shipped 32-bit programs look.

#include "common/AppConfig.h"
#include "common/DeviceIdMgr.h"
#include "common/ports/DebugOutput.h"
#include "common/ports/PrivateProfile.h"
#include "common/ports/Registry.h"

#include <cstdint>
#include <string>

namespace setup {

inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt";
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr int kEncValueMapKeys = 19;

struct _REG_UNINSTALL_INFO {
    std::wstring key;
    std::wstring DisplayName;
    std::wstring UninstallString;
    std::wstring DisplayIcon;
    std::wstring DisplayVersion;
    std::wstring Publisher;
    // What Windows' list of programs and administrators' tools look for beside the six above.
    std::wstring InstallLocation;
    std::wstring QuietUninstallString; // the uninstaller, quoted, with its silent switch
    bool operator==(const _REG_UNINSTALL_INFO&) const = default;
};

_REG_UNINSTALL_INFO MakeUninstallInfo(const _APPLICATION_FOLDER_PATH& config, const std::wstring& versionText);

// The three programs the companion service starts, by their letter.
std::wstring ControlPanelPath(const _APPLICATION_FOLDER_PATH& config);
std::wstring EffectAppPath(const _APPLICATION_FOLDER_PATH& config);
std::wstring SoundEffectAppPath(const _APPLICATION_FOLDER_PATH& config);

// 0 done; 1 the section could not be loaded (missing file, section or entries).
int CopyDeviceIdGroup(DEVICEID_MGR::CDeviceIdMgr& group, ports::Registry& registry, const std::wstring& sourceFolder,
                      const std::wstring& groupKeyName, const std::wstring& section, const std::wstring& fileName);

// The noise-cancellation and voice defaults of [EncValueMap] and [DefaultSet].
void WriteRegistryDefaults(const ports::PrivateProfile& profile, ports::Registry& registry,
                           const std::wstring& sourceFolder);

// A REG_SZ under "SOFTWARE\" + keyPath, the key created when missing; failures are not reported.
int SaveSoftwareString(ports::Registry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                       const std::wstring& text);

// The fifteen start-up command lines, for the control panel (C) and the two plug-ins (B, D).
void WriteServiceEntries(ports::Registry& registry, ports::DebugOutput& debug, const _APPLICATION_FOLDER_PATH& config);

// 0 written; 1 the Run key could not be opened or created.
int WriteLogonEntry(ports::Registry& registry, const std::wstring& valueName, const std::wstring& commandLine);

inline constexpr wchar_t kSilentSwitch[] = L"/S";

// False when the key could neither be opened nor created. Beside the six strings it writes
// "InstallLocation", "QuietUninstallString", and "NoModify" = "NoRepair" = 1: the uninstaller neither
// modifies nor repairs an installation.
bool WriteUninstallEntry(ports::Registry& registry, const _REG_UNINSTALL_INFO& info);

// "EstimatedSize" of the uninstall entry, in KiB; false when the key is missing or cannot be written.
bool WriteEstimatedSize(ports::Registry& registry, const std::wstring& uninstallKey, std::uint64_t bytes);

} // namespace setup
