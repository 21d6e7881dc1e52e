// Process entry of the installer. For now it reads the product's configuration and logs the Windows
// version; the wizard comes with the installer's own work.

#include "common/AppConfig.h"
#include "common/VersionInfoMgr.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win32::Win32Platform platform;
    const ports::Platform ports = platform.Ports();

    _APPLICATION_FOLDER_PATH config;
    LoadApplicationConfig(ports, kAudioConfigFileName, win32::RunningProgramPath(), config, ConfigReader::Installer);

    VERSIONINFO_MGR::CVersionInfoMgr versionInfo(ports.system, ports.debug);
    int index = -1;
    int code = -1;
    int servicePack = 0;
    if (versionInfo.GetWindowsVersion(&index, &code, &servicePack) == 0)
        versionInfo.LogWindowsVersion(index, code, servicePack);
    return 0;
}
