// Process entry of the installer: the background window first (the program's main window), then the
// wizard in front of it, then the message loop. Everything the wizard decides lives in the portable model;
// this file wires the Windows adapters to it.

#include "platform/win32/Win32InstallFileSystem.h"
#include "platform/win32/Win32InstallerSystem.h"
#include "platform/win32/Win32Payload.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32UpdateSystem.h"
#include "setup/Background.h"
#include "setup/InstallLog.h"
#include "setup/InstallMgr.h"
#include "setup/InstallSequence.h"
#include "setup/SilentInstall.h"
#include "setup/WindowsUpdateStep.h"
#include "setup/Wizard.h"
#include "setup/win32/BackgroundWindow.h"
#include "setup/win32/CommandArguments.h"
#include "setup/win32/WizardWindow.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

int Fail(const std::wstring& text)
{
    ::MessageBoxW(nullptr, text.c_str(), L"TonvioSetup", MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    win32::Win32Platform platform;
    const ports::Platform os = platform.Ports();
    win32::Win32InstallFileSystem installFiles;
    win32::Win32InstallerSystem installerSystem;
    win32::Win32Payload payload(::GetModuleHandleW(nullptr));
    win32::Win32UpdateSystem updateSystem(os.debug);
    const std::wstring programPath = win32::RunningProgramPath();

    const setup::RunArguments arguments = setup::ParseRunArguments(setup::win32ui::CommandArguments());
    if (arguments.silent) {
        setup::InstallLog log(os.debug, os.files,
                              setup::win32ui::LogPathOr(arguments.logPath, os.system, L"TonvioSetup.log"));
        const ports::Platform logged{os.files,    os.profile,  os.registry, os.system, os.versions,
                                     os.services, os.devices,  os.clock,    log};
        return setup::RunSilentInstall({logged, installFiles, payload, installerSystem, updateSystem}, programPath);
    }

    setup::CInstallMgr updateManager({os.system, payload, installFiles, updateSystem, os.debug},
                                     setup::ReadUpdateFacts(os.system, os.debug));
    const std::wstring programFolder = programPath.substr(0, programPath.find_last_of(L'\\') + 1);

    // TBackgroundForm's construction and picture.
    const setup::BackgroundLayout layout = setup::ChooseBackground(
        os.profile, os.files, os.debug, programFolder, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    setup::win32ui::BackgroundWindow background;
    std::wstring error;
    if (!background.Create(instance, error))
        return Fail(error);

    // The wizard's own message boxes (the antivirus tip, a language file's conversion error) are owned by
    // its window once that exists.
    struct WizardMessages final : ports::InstallerWindow {
        HWND owner = nullptr;
        void PostProgress(int) override {}
        void PostFinished() override {}
        void ShowMessage(const std::wstring& text, const std::wstring& caption) override
        {
            ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
        }
    } messages;

    // TMainForm's construction.
    setup::CWizard wizard(os, installFiles, messages, programPath);
    wizard.Construct();
    const _APPLICATION_FOLDER_PATH& config = wizard.Config();
    setup::CWindowsUpdateStep update(updateManager, os.debug, {wizard.Wow64(), wizard.WindowsIndex(), wizard.ServicePack()});

    const std::wstring iconPath = config.SourceFolderFullPath + config.InstallIconFileName;
    const HICON icon = static_cast<HICON>(::LoadImageW(nullptr, iconPath.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (!icon)
        return Fail(L"Cannot load the icon \"" + iconPath + L"\".");

    setup::win32ui::WizardWindow window(wizard, os.clock, updateSystem, [&](ports::InstallerWindow& progress) {
        const setup::InstallContext context{config,
                                            wizard.Options(),
                                            wizard.Uninstall(),
                                            wizard.Labels()[setup::LabelWarning1].text,
                                            wizard.Labels()[setup::LabelWarning2].text,
                                            wizard.Wow64()};
        return std::make_unique<setup::CInstallSequence>(
            setup::InstallerPorts{os, installFiles, payload, installerSystem, progress}, update, context);
    });
    if (!window.Create(instance, background.Handle(), icon))
        return Fail(L"The wizard window cannot be created.");
    messages.owner = window.Handle();

    if (!background.Show(layout, error))
        return Fail(error);
    background.Place(layout); // FormShow moves the background to the screen's corner first
    if (wizard.FormShow() == setup::ShowResult::Quit)
        return 0;
    window.Sync();
    window.Show();

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.Handle() && ::IsDialogMessageW(window.Handle(), &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // A worker still installing ends with the program, before anything it uses goes away.
    if (window.Installing())
        ::ExitProcess(0);
    return 0;
}
