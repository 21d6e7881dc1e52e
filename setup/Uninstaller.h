#pragma once
// The uninstaller: it takes away what the installation placed, from the installation's own configuration
// file beside it — the running panel and the companion service, the filter driver's key and file, the
// program files and folders, the shortcuts, the log-on entry, the start-up entries and feature defaults,
// the device-ID groups and the uninstall entry. The user's profiles under %APPDATA% and %USERPROFILE%
// stay unless asked for. Every item removed or left is reported.

#include "common/AppConfig.h"
#include "common/ports/Platform.h"
#include "setup/ports/InstallFileSystem.h"
#include "setup/ports/InstallerSystem.h"
#include "setup/ports/UninstallSystem.h"

#include <string>
#include <vector>

namespace setup {

// The stages of the removal; a silent uninstallation that leaves something ends with the first stage that
// did, or with kUninstallCannotStart when the installation's configuration cannot be read (nothing removed).
enum UninstallStage : int {
    kUninstallPrograms = 1, // the panel asked to exit, the service stopped and deleted
    kUninstallDriver = 2,
    kUninstallFiles = 3,
    kUninstallShortcuts = 4,
    kUninstallRegistry = 5,
    kUninstallProfiles = 6,
    kUninstallCannotStart = 12,
};

struct UninstallPorts {
    ports::Platform os;
    ports::InstallFileSystem& listing; // folder listings
    ports::InstallerSystem& system;    // the exit broadcast
    ports::UninstallSystem& removal;
};

struct UninstallReport {
    int exitCode = 0;
    std::vector<std::wstring> removed;
    std::vector<std::wstring> left; // there, but could not be removed
};

class CUninstaller {
public:
    // installedProgramPath: the uninstaller's path in the installation folder (where a copy of it that
    // runs elsewhere was started from).
    CUninstaller(const UninstallPorts& ports, const std::wstring& installedProgramPath);

    // False when the installation's configuration file is missing or names no installation folder.
    bool Ready() const { return ready_; }
    const _APPLICATION_FOLDER_PATH& Config() const { return config_; }

    UninstallReport Uninstall(bool removeProfiles);

private:
    void StopPrograms(UninstallReport& report);
    void RemoveDriver(UninstallReport& report);
    void RemoveFiles(UninstallReport& report);
    void RemoveShortcuts(UninstallReport& report);
    void RemoveRegistry(UninstallReport& report);
    void RemoveProfiles(UninstallReport& report);

    // Each records the item as removed or left, and the stage when it is left.
    void File(UninstallReport& report, UninstallStage stage, const std::wstring& path, int attempts = 1);
    void Folder(UninstallReport& report, UninstallStage stage, const std::wstring& path);
    void Tree(UninstallReport& report, UninstallStage stage, const std::wstring& folder);
    void Key(UninstallReport& report, const std::wstring& path);
    void Left(UninstallReport& report, UninstallStage stage, const std::wstring& what);

    UninstallPorts ports_;
    _APPLICATION_FOLDER_PATH config_;
    bool ready_ = false;
};

// The report as the uninstaller says it: one line for each item removed or left, and the outcome.
std::wstring DescribeUninstall(const UninstallReport& report);

} // namespace setup
