#include "platform/win32/Win32SystemInfo.h"

#include "platform/win32/Win32Failure.h"

#include <shlobj.h>
#include <windows.h>

namespace win32 {

namespace {

// A function of an always-loaded module, by name; null when this Windows lacks it.
template <typename Function> Function LookUp(const wchar_t* module, const char* name)
{
    const HMODULE loaded = ::GetModuleHandleW(module);
    if (!loaded)
        return nullptr;
    // Through the generic function-pointer type, which converts to any other without a cast warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(loaded, name)));
}

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFunction = BOOL(WINAPI*)(PVOID);
using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOEXW*);

template <typename Info> ports::OsVersion ToOsVersion(const Info& info)
{
    ports::OsVersion version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    if constexpr (requires { info.wServicePackMajor; })
        version.servicePackMajor = info.wServicePackMajor;
    return version;
}

// Calls `fill(buffer, capacity)` that returns the length written, or the capacity needed when too small.
template <typename Fill> std::wstring GrowingBuffer(Fill fill)
{
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const UINT length = fill(text.data(), static_cast<UINT>(text.size()));
        if (length == 0)
            return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(length + 1, L'\0');
    }
    return {};
}

} // namespace

ports::Wow64Lookup Win32SystemInfo::IsWow64Process() const
{
    const auto isWow64Process = LookUp<IsWow64ProcessFunction>(L"kernel32", "IsWow64Process");
    if (!isWow64Process)
        return {ports::Lookup::Missing, false};
    BOOL wow64 = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &wow64)) {
        ReportLastError(SystemDebugOutput(), L"IsWow64Process");
        return {ports::Lookup::Failed, false};
    }
    return {ports::Lookup::Succeeded, wow64 != FALSE};
}

ports::Lookup Win32SystemInfo::DisableWow64FsRedirection(ports::RedirectionCookie& cookie)
{
    const auto disable = LookUp<DisableRedirectionFunction>(L"kernel32", "Wow64DisableWow64FsRedirection");
    if (!disable)
        return ports::Lookup::Missing;
    PVOID oldValue = nullptr;
    if (!disable(&oldValue)) {
        ReportLastError(SystemDebugOutput(), L"Wow64DisableWow64FsRedirection");
        return ports::Lookup::Failed;
    }
    cookie.value = reinterpret_cast<std::uintptr_t>(oldValue);
    return ports::Lookup::Succeeded;
}

ports::Lookup Win32SystemInfo::RevertWow64FsRedirection(ports::RedirectionCookie cookie)
{
    const auto revert = LookUp<RevertRedirectionFunction>(L"kernel32", "Wow64RevertWow64FsRedirection");
    if (!revert)
        return ports::Lookup::Missing;
    if (revert(reinterpret_cast<PVOID>(cookie.value)))
        return ports::Lookup::Succeeded;
    ReportLastError(SystemDebugOutput(), L"Wow64RevertWow64FsRedirection");
    return ports::Lookup::Failed;
}

std::optional<ports::OsVersion> Win32SystemInfo::VersionEx(ports::VersionStructure structure) const
{
    if (structure == ports::VersionStructure::Extended) {
        OSVERSIONINFOEXW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
            ReportLastError(SystemDebugOutput(), L"GetVersionExW");
            return std::nullopt;
        }
        return ToOsVersion(info);
    }
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExW(&info)) {
        ReportLastError(SystemDebugOutput(), L"GetVersionExW");
        return std::nullopt;
    }
    return ToOsVersion(info);
}

std::uint32_t Win32SystemInfo::PackedVersion() const
{
    return ::GetVersion();
}

ports::OsVersionLookup Win32SystemInfo::RtlVersion() const
{
    const auto rtlGetVersion = LookUp<RtlGetVersionFunction>(L"ntdll.dll", "RtlGetVersion");
    if (!rtlGetVersion)
        return {ports::Lookup::Missing, {}};
    RTL_OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (const LONG status = rtlGetVersion(&info); status < 0) { // an NTSTATUS failure code
        ReportResult(SystemDebugOutput(), L"RtlGetVersion", status);
        return {ports::Lookup::Failed, {}};
    }
    return {ports::Lookup::Succeeded, ToOsVersion(info)};
}

std::uint16_t Win32SystemInfo::NativeProcessorArchitecture() const
{
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

std::optional<std::wstring> Win32SystemInfo::FolderPath(int csidl) const
{
    wchar_t path[MAX_PATH]{};
    if (const HRESULT result = ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path); result != S_OK) {
        ReportResult(SystemDebugOutput(), L"SHGetFolderPathW", result);
        return std::nullopt;
    }
    return std::wstring(path);
}

std::optional<std::wstring> Win32SystemInfo::SpecialFolderPath(int csidl) const
{
    wchar_t path[MAX_PATH]{};
    if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) {
        ReportLastError(SystemDebugOutput(), L"SHGetSpecialFolderPathW");
        return std::nullopt;
    }
    return std::wstring(path);
}

std::wstring Win32SystemInfo::SystemDirectory() const
{
    return GrowingBuffer([](wchar_t* buffer, UINT capacity) { return ::GetSystemDirectoryW(buffer, capacity); });
}

std::wstring Win32SystemInfo::WindowsDirectory() const
{
    return GrowingBuffer([](wchar_t* buffer, UINT capacity) { return ::GetWindowsDirectoryW(buffer, capacity); });
}

std::optional<std::wstring> Win32SystemInfo::EnvironmentVariable(const std::wstring& name) const
{
    std::wstring value(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) // a variable that is set and empty, or none
            return ::GetLastError() == ERROR_SUCCESS ? std::optional<std::wstring>(L"") : std::nullopt;
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.assign(length, L'\0'); // the length asked for includes the terminator
    }
    return std::nullopt;
}

} // namespace win32
