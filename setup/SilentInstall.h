#pragma once
// "TonvioSetup /S": the wizard's start-up without its window (the language of the per-user copy, or the
// kit's default), then the same installation sequence, its messages written to the log. The exit code
// says how it went.

#include "common/ports/Platform.h"
#include "setup/ports/InstallFileSystem.h"
#include "setup/ports/InstallerSystem.h"
#include "setup/ports/Payload.h"
#include "setup/ports/UpdateSystem.h"

#include <string>

namespace setup {

// Exit codes of the silent installation (and uninstallation). A failed installation step ends with its
// number: 1, 2, 3, 4, 8 (either plug-in program) or 10 (the Windows update).
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRestartNeeded = 3010; // the Windows update was installed; a restart completes it
inline constexpr int kExitDriverStillLoaded = 11;
inline constexpr int kExitCannotStart = 12; // the kit's device-ID groups cannot be read

struct SilentInstallPorts {
    ports::Platform os; // its debug output is the log
    ports::InstallFileSystem& installFiles;
    ports::Payload& payload;
    ports::InstallerSystem& system;
    ports::UpdateSystem& update;
};

int RunSilentInstall(const SilentInstallPorts& ports, const std::wstring& programPath);

} // namespace setup
