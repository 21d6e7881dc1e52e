// Process entry of the control panel: the command line decides between a request to the companion
// service and the panel; one panel runs per session; the main window's model is hosted in a Win32
// window whose message loop runs until the panel closes.

#include "panel/shell/MainFormEvents.h"
#include "panel/shell/PanelApplication.h"
#include "panel/shell/ProcessEntry.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SingleInstance.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

namespace {

// Argument 0 is the program's full path, whatever the command line calls it.
std::vector<std::wstring> Arguments()
{
    std::vector<std::wstring> arguments{win32::RunningProgramPath()};
    int count = 0;
    if (LPWSTR* parsed = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments.emplace_back(parsed[i]);
        ::LocalFree(parsed);
    }
    return arguments;
}

int RunPanel(HINSTANCE instance)
{
    win32::Win32Platform platform;
    const ports::Platform ports = platform.Ports();
    const std::vector<std::wstring> arguments = Arguments();

    const shell::EntryOutcome outcome = shell::DecideProcessStart(arguments, ports.services, ports.clock, ports.debug);
    if (!outcome.runPanel)
        return outcome.exitCode;

    // The running panel's caption is its configured title, so a second start searches for that title.
    _APPLICATION_FOLDER_PATH config;
    LoadApplicationConfig(ports, kAudioConfigFileName, arguments[0], config);
    win32::Win32SingleInstance session;
    if (shell::DecideSingleInstance(session, shell::ApplicationTitle(config, arguments[0])) ==
        shell::InstanceDecision::AnotherRuns)
        return 0;

    // The manifest asks for the version 6 controls; loading them here gives the check box that look.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::Win32MainWindow window(instance);
    if (!window.Created())
        return 0;
    win32::Win32TrayIcon tray(window.Handle(), win32::kTrayCallbackMessage);
    win32::Win32PopupMenus menus(window.Handle());
    win32::Win32MessageBoxes messageBoxes(window.Handle());
    win32::Win32ColourDialog colourDialog(window.Handle());
    win32::Win32FileDialogs fileDialogs(window.Handle());
    win32::Win32Screen screen;
    win32::Win32WindowMessages messages;
    const ports::WindowPorts windowPorts{window, messageBoxes, colourDialog, fileDialogs, window,
                                         screen, tray,         menus,        messages,    window};

    shell::PanelApplication application(ports, windowPorts, {arguments[0], ::GetCommandLineW()});
    shell::TAudioMainForm& mainForm = application.MainForm();
    shell::MainFormEvents events(mainForm);
    window.Attach(mainForm.Form(), events);
    mainForm.FormCreate();
    if (!mainForm.Construct())
        return 0;
    window.Redraw();
    return window.Run();
}

std::wstring Widened(const char* text)
{
    std::wstring wide;
    for (; *text != '\0'; ++text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    try {
        RunPanel(instance);
    } catch (const std::exception& failure) {
        ::MessageBoxW(nullptr, Widened(failure.what()).c_str(), L"TonvioApp", MB_OK | MB_ICONERROR);
    }
    // The panel always ends with 0, also after a failure it has shown.
    return 0;
}
