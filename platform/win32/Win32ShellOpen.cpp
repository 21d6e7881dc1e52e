#include "platform/win32/Win32ShellOpen.h"

#include <shellapi.h>

namespace win32 {

void Win32ShellOpen::Open(const std::wstring& target)
{
    // The shell reports its own failures to the user; the panel has nothing to add.
    ::ShellExecuteW(owner_, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32ShellOpen::StartHidden(const std::wstring& program, const std::wstring& parameters)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner_;
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    // The program runs on by itself; the handle the shell gave for it is not needed.
    if (::ShellExecuteExW(&info) && info.hProcess != nullptr)
        ::CloseHandle(info.hProcess);
}

} // namespace win32
