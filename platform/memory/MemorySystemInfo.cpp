#include "platform/memory/MemorySystemInfo.h"

#include "common/Text.h"

namespace memory {

void MemorySystemInfo::Record(const wchar_t* call) const
{
    calls_.push_back(redirectionOff_ ? std::wstring(call) + L" (redirection off)" : std::wstring(call));
}

ports::Wow64Lookup MemorySystemInfo::IsWow64Process() const
{
    Record(L"IsWow64Process");
    return facts.wow64;
}

ports::Lookup MemorySystemInfo::DisableWow64FsRedirection(ports::RedirectionCookie& cookie)
{
    Record(L"DisableWow64FsRedirection");
    if (facts.disableRedirection != ports::Lookup::Succeeded)
        return facts.disableRedirection;
    redirectionOff_ = true;
    activeCookie_ = ++nextCookie_;
    cookie.value = activeCookie_;
    return ports::Lookup::Succeeded;
}

ports::Lookup MemorySystemInfo::RevertWow64FsRedirection(ports::RedirectionCookie cookie)
{
    Record(L"RevertWow64FsRedirection");
    if (facts.revertRedirection != ports::Lookup::Succeeded)
        return facts.revertRedirection;
    // Only the cookie of the switch-off that is in force turns redirection back on.
    if (!redirectionOff_ || cookie.value != activeCookie_)
        return ports::Lookup::Failed;
    redirectionOff_ = false;
    return ports::Lookup::Succeeded;
}

std::optional<ports::OsVersion> MemorySystemInfo::VersionEx(ports::VersionStructure structure) const
{
    const bool extended = structure == ports::VersionStructure::Extended;
    Record(extended ? L"VersionEx(Extended)" : L"VersionEx(Basic)");
    return extended ? facts.extendedVersion : facts.basicVersion;
}

std::uint32_t MemorySystemInfo::PackedVersion() const
{
    Record(L"PackedVersion");
    return facts.packedVersion;
}

ports::OsVersionLookup MemorySystemInfo::RtlVersion() const
{
    Record(L"RtlVersion");
    return facts.rtlVersion;
}

std::uint16_t MemorySystemInfo::NativeProcessorArchitecture() const
{
    Record(L"NativeProcessorArchitecture");
    return facts.architecture;
}

namespace {
std::optional<std::wstring> Find(const std::map<int, std::wstring>& folders, int csidl)
{
    const auto found = folders.find(csidl);
    return found == folders.end() ? std::nullopt : std::optional<std::wstring>(found->second);
}
} // namespace

std::optional<std::wstring> MemorySystemInfo::FolderPath(int csidl) const
{
    Record(L"FolderPath");
    return Find(facts.folders, csidl);
}

std::optional<std::wstring> MemorySystemInfo::SpecialFolderPath(int csidl) const
{
    Record(L"SpecialFolderPath");
    return Find(facts.specialFolders, csidl);
}

std::wstring MemorySystemInfo::SystemDirectory() const
{
    Record(L"SystemDirectory");
    return facts.systemDirectory;
}

std::wstring MemorySystemInfo::WindowsDirectory() const
{
    Record(L"WindowsDirectory");
    return facts.windowsDirectory;
}

std::optional<std::wstring> MemorySystemInfo::EnvironmentVariable(const std::wstring& name) const
{
    Record(L"EnvironmentVariable");
    for (const auto& [variable, value] : facts.environment)
        if (EqualsIgnoreAsciiCase(variable, name))
            return value;
    return std::nullopt;
}

} // namespace memory
