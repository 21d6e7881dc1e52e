// Process entry of the control panel.

#include "platform/win32/Win32DebugOutput.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win32::Win32DebugOutput debug;
    debug.Write(L"==> TonvioApp\n");
    return 0;
}
