// Process entry of the installer.

#include "platform/win32/Win32DebugOutput.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win32::Win32DebugOutput debug;
    debug.Write(L"==> TonvioSetup\n");
    return 0;
}
