#include "platform/win32/Win32UninstallSystem.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <string>

namespace win32 {

namespace {

HKEY RootOf(ports::RegistryRoot root)
{
    return root == ports::RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM ViewOf(ports::RegistryView view)
{
    return view == ports::RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

DWORD AttributesOf(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str());
}

} // namespace

bool Win32UninstallSystem::RemoveFile(const std::wstring& path)
{
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileW(path.c_str()))
        return true;
    ReportLastError(debug_, L"DeleteFileW");
    return ::CompareStringOrdinal(path.c_str(), -1, RunningProgramPath().c_str(), -1, TRUE) == CSTR_EQUAL &&
           MoveRunningProgramAside(path);
}

// A running program cannot delete its own file, but it can move it out of the way on the same volume:
// into the temporary folder, to go at the next restart. Its folder can then be removed.
bool Win32UninstallSystem::MoveRunningProgramAside(const std::wstring& path)
{
    wchar_t temporary[MAX_PATH]{};
    const DWORD length = ::GetTempPathW(MAX_PATH, temporary);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::wstring aside = std::wstring(temporary) + L"TonvioUninstall-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
    if (!::MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ReportLastError(debug_, L"MoveFileExW");
        return false;
    }
    if (!::MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        ReportLastError(debug_, L"MoveFileExW (at restart)");
    return true;
}

bool Win32UninstallSystem::DeleteEmptyFolder(const std::wstring& path)
{
    if (::RemoveDirectoryW(path.c_str()))
        return true;
    ReportLastError(debug_, L"RemoveDirectoryW");
    return false;
}

bool Win32UninstallSystem::DeleteService(const std::wstring& name)
{
    const ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        ReportLastError(debug_, L"OpenSCManagerW");
        return false;
    }
    const ServiceHandle service(::OpenServiceW(manager.Get(), name.c_str(), DELETE));
    if (service && ::DeleteService(service.Get()))
        return true;
    ReportLastError(debug_, L"DeleteService");
    return false;
}

bool Win32UninstallSystem::DeleteKeyTree(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view)
{
    HKEY key = nullptr;
    LSTATUS status = ::RegOpenKeyExW(RootOf(root), path.c_str(), 0, KEY_ALL_ACCESS | ViewOf(view), &key);
    if (status == ERROR_SUCCESS) {
        const RegistryKeyHandle owned(key);
        status = ::RegDeleteTreeW(owned.Get(), nullptr); // its subkeys and values
    }
    if (status == ERROR_SUCCESS)
        status = ::RegDeleteKeyExW(RootOf(root), path.c_str(), ViewOf(view), 0);
    if (status == ERROR_SUCCESS)
        return true;
    ReportError(debug_, L"RegDeleteTreeW", static_cast<DWORD>(status));
    return false;
}

bool Win32UninstallSystem::FileExists(const std::wstring& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32UninstallSystem::FolderExists(const std::wstring& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32UninstallSystem::ServiceExists(const std::wstring& name)
{
    const ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    return manager && ServiceHandle(::OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS)).Valid();
}

bool Win32UninstallSystem::KeyExists(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(RootOf(root), path.c_str(), 0, KEY_READ | ViewOf(view), &key) != ERROR_SUCCESS)
        return false;
    const RegistryKeyHandle owned(key);
    return true;
}

} // namespace win32
