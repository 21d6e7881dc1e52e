// Stand-in for the plug-in applications the installer only places and registers: it does nothing and ends
// with 0. Each is replaced by the real program in the setup's payload when it exists.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return 0;
}
