#include "setup/win32/CommandArguments.h"

#include <windows.h>

#include <shellapi.h>

namespace setup::win32ui {

std::vector<std::wstring> CommandArguments()
{
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i)
        arguments.emplace_back(list[i]);
    ::LocalFree(list);
    return arguments;
}

std::wstring LogPathOr(const std::wstring& named, const ports::SystemInfo& system, const std::wstring& fileName)
{
    if (!named.empty())
        return named;
    std::wstring folder = system.EnvironmentVariable(L"TEMP").value_or(system.WindowsDirectory() + L"\\Temp");
    if (!folder.ends_with(L'\\'))
        folder += L'\\';
    return folder + fileName;
}

} // namespace setup::win32ui
