// TonvioKitCheck: checks an OEM kit folder before it ships; see kitcheck/CommandLine.h.

#include "kitcheck/CommandLine.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Platform.h"

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    win32::Win32FileSystem files;
    const memory::IniFileProfile profile{files, win32::WindowsFolder()};
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    const kitcheck::CommandResult result = kitcheck::RunKitCheckCommand(arguments, files, profile);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    return result.exitCode;
}
