// The uninstaller, placed in the installation folder beside the control panel. Started from the list of
// installed programs or from its start-menu shortcut it asks before it removes anything, offers to keep
// the user's profiles (kept unless the user says otherwise) and says what it did. With "/S" it asks nothing
// and shows nothing, keeps the profiles unless "/RemoveProfiles" is given, writes its log
// (%TEMP%\TonvioUninstall.log, or "/LOG=<path>") and ends with the stage that left something, 0 when
// everything went.

#include "platform/win32/Win32InstallFileSystem.h"
#include "platform/win32/Win32InstallerSystem.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32UninstallSystem.h"
#include "setup/InstallLog.h"
#include "setup/Uninstaller.h"
#include "setup/win32/CommandArguments.h"

#include <windows.h>

#include <string>

namespace {

constexpr int kExitCancelled = 1602; // Windows' "the user cancelled the installation"

std::wstring TitleOf(const _APPLICATION_FOLDER_PATH& config)
{
    return config.UninstallAppTitle.empty() ? config.UninstallDisplayName : config.UninstallAppTitle;
}

int Ask(const std::wstring& text, const std::wstring& title, UINT defaultButton)
{
    return ::MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION | defaultButton);
}

int Run(const ports::Platform& os, const setup::RunArguments& arguments)
{
    win32::Win32InstallFileSystem listing;
    win32::Win32InstallerSystem system;
    win32::Win32UninstallSystem removal(os.debug);
    setup::CUninstaller uninstaller({os, listing, system, removal}, win32::RunningProgramPath());
    const std::wstring title = TitleOf(uninstaller.Config());

    bool removeProfiles = arguments.removeProfiles;
    if (!arguments.silent) {
        if (!uninstaller.Ready()) {
            ::MessageBoxW(nullptr, setup::DescribeUninstall({setup::kUninstallCannotStart, {}, {}}).c_str(),
                          L"Uninstall", MB_OK | MB_ICONERROR);
            return setup::kUninstallCannotStart;
        }
        if (Ask(L"Remove " + uninstaller.Config().UninstallDisplayName + L" and all of its parts from this computer?",
                title, MB_DEFBUTTON2) != IDYES)
            return kExitCancelled;
        removeProfiles = Ask(L"Remove your sound profiles as well?\n\nThey are in " + uninstaller.Config().InstallFolderName +
                                 L" under your application data and your user folder. Choose No to keep them.",
                             title, MB_DEFBUTTON2) == IDYES;
    }
    const setup::UninstallReport report = uninstaller.Uninstall(removeProfiles);
    const std::wstring summary = setup::DescribeUninstall(report);
    os.debug.Write(summary);
    if (!arguments.silent)
        ::MessageBoxW(nullptr, summary.c_str(), title.c_str(),
                      MB_OK | (report.left.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    return report.exitCode;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win32::Win32Platform platform;
    const ports::Platform os = platform.Ports();
    const setup::RunArguments arguments = setup::ParseRunArguments(setup::win32ui::CommandArguments());
    if (!arguments.silent)
        return Run(os, arguments);

    setup::InstallLog log(os.debug, os.files, setup::win32ui::LogPathOr(arguments.logPath, os.system, L"TonvioUninstall.log"));
    const ports::Platform logged{os.files, os.profile, os.registry, os.system, os.versions,
                                 os.services, os.devices, os.clock, log};
    const int exitCode = Run(logged, arguments);
    log.Write(L"TonvioUninstall: ended with exit code " + std::to_wstring(exitCode) + L"\n");
    return exitCode;
}
