#pragma once
// Start-menu and desktop shortcuts. None reports a failure: a shortcut that cannot be made is missing.

#include "common/ports/DebugOutput.h"
#include "common/ports/SystemInfo.h"
#include "setup/ports/InstallFileSystem.h"
#include "setup/ports/InstallerSystem.h"

#include <string>

namespace setup {

inline constexpr int kCsidlCommonPrograms = 0x17;
inline constexpr int kCsidlDesktopDirectory = 0x10;
// A link path the shell can still save; a longer one is not saved rather than being cut.
inline constexpr std::size_t kLinkPathChars = 259;

struct ShortcutPorts {
    const ports::SystemInfo& system;
    ports::InstallFileSystem& files;
    ports::InstallerSystem& shell;
    ports::DebugOutput& debug;
};

// All-users programs folder [\ upperFolder] \ folder \ name.lnk, the folders created on the way.
void CreateProgramsShortcut(const ShortcutPorts& ports, const std::wstring& folder, const std::wstring& target,
                            const std::wstring& name, const std::wstring& upperFolder);
// All-users programs folder \ folder \ name.lnk.
void CreateShortcutInFolder(const ShortcutPorts& ports, const std::wstring& folder, const std::wstring& target,
                            const std::wstring& name);
// The user's desktop \ name.lnk.
void CreateDesktopShortcut(const ShortcutPorts& ports, const std::wstring& target, const std::wstring& name);

} // namespace setup
