#include "platform/win32/Win32ShellOpen.h"

#include <shellapi.h>

namespace win32 {

void Win32ShellOpen::Open(const std::wstring& target)
{
    // The shell reports its own failures to the user; the panel has nothing to add.
    ::ShellExecuteW(owner_, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace win32
