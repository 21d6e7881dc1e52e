// Process entry of the control panel. For now it reads the product's configuration and reports what it
// found on the debugger output; the main window comes with the control panel's shell.

#include "common/AppConfig.h"
#include "common/SystemFacts.h"
#include "common/Text.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win32::Win32Platform platform;
    const ports::Platform ports = platform.Ports();

    _APPLICATION_FOLDER_PATH config;
    LoadApplicationConfig(ports, kAudioConfigFileName, win32::RunningProgramPath(), config);
    ports.debug.Write(FormatText(255, L"##### InstallAppTitle = %ls #####\n", config.InstallAppTitle.c_str()));
    ports.debug.Write(FormatText(255, L"##### OS kind = %d #####\n", GetOsKind(ports.system)));
    return 0;
}
