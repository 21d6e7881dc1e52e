#include "platform/win32/Win32UpdateSystem.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Failure.h"

#include <windows.h>

#include <shellapi.h>

namespace win32 {

namespace {

constexpr DWORD kSubkeyNameChars = 260; // at most 259 characters and the terminator

RegistryKeyHandle OpenNativeForReading(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return RegistryKeyHandle();
    return RegistryKeyHandle(key);
}

// Keeps the thread's messages flowing until `waitMs` have passed since `start`.
void PumpMessagesFor(DWORD start, DWORD waitMs)
{
    while (::GetTickCount() - start < waitMs) {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs - (::GetTickCount() - start), QS_ALLINPUT);
    }
}

} // namespace

bool Win32UpdateSystem::NativeKeyExists(const std::wstring& path)
{
    return OpenNativeForReading(path).Valid();
}

std::optional<std::vector<std::wstring>> Win32UpdateSystem::NativeSubkeyNames(const std::wstring& path)
{
    const RegistryKeyHandle key = OpenNativeForReading(path);
    if (!key.Valid())
        return std::nullopt;
    std::vector<std::wstring> names;
    DWORD count = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0; index < count; ++index) {
        wchar_t name[kSubkeyNameChars]{};
        DWORD length = kSubkeyNameChars;
        if (::RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            names.emplace_back(name, length);
    }
    return names;
}

ports::ShellRun Win32UpdateSystem::Open(const std::wstring& file, const std::wstring& parameters, int waitMs)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_HIDE;
    const DWORD start = ::GetTickCount();
    if (!::ShellExecuteExW(&info)) {
        ReportLastError(debug_, L"ShellExecuteExW");
        return {};
    }
    const KernelHandle process(info.hProcess); // may be none when the shell handed the file to a running program
    ports::ShellRun run{true, std::nullopt};
    if (waitMs < 0) {
        if (process.Valid() && ::WaitForSingleObject(process.Get(), INFINITE) == WAIT_OBJECT_0) {
            DWORD code = 0;
            if (::GetExitCodeProcess(process.Get(), &code))
                run.exitCode = code;
        }
    } else if (waitMs > 0) {
        PumpMessagesFor(start, static_cast<DWORD>(waitMs));
    }
    return run;
}

bool Win32UpdateSystem::RestartWindows()
{
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        const KernelHandle owned(token);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(owned.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    if (::ExitWindowsEx(EWX_REBOOT, 0))
        return true;
    ReportLastError(debug_, L"ExitWindowsEx");
    return false;
}

} // namespace win32
