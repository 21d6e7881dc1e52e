#pragma once
// System facts as a test sets them: each looked-up function present, missing or failing, the versions,
// folders and environment; the defaults are those of a 64-bit process on 64-bit Windows 10. It keeps the
// redirection state and every call in order, so a test can see that redirection was switched off around a
// call and back on afterwards.

#include "common/ports/SystemInfo.h"

#include <map>
#include <string>
#include <vector>

namespace memory {

class MemorySystemInfo final : public ports::SystemInfo {
public:
    struct Facts {
        ports::Wow64Lookup wow64{ports::Lookup::Succeeded, false};
        ports::Lookup disableRedirection = ports::Lookup::Succeeded;
        ports::Lookup revertRedirection = ports::Lookup::Succeeded;
        std::optional<ports::OsVersion> extendedVersion = ports::OsVersion{10, 0, 19045, 2, 0};
        std::optional<ports::OsVersion> basicVersion = ports::OsVersion{10, 0, 19045, 2, 0};
        std::uint32_t packedVersion = 0x4A65000A; // 10.0, build 19045
        ports::OsVersionLookup rtlVersion{ports::Lookup::Succeeded, {10, 0, 19045, 2, 0}};
        std::uint16_t architecture = ports::kArchitectureX64;
        std::map<int, std::wstring> folders{{ports::kCsidlProgramFiles, L"C:\\Program Files"}}; // SHGetFolderPathW
        std::map<int, std::wstring> specialFolders{{ports::kCsidlSystem, L"C:\\Windows\\system32"},
                                                   {ports::kCsidlSystemX86, L"C:\\Windows\\SysWOW64"}};
        std::wstring systemDirectory = L"C:\\Windows\\system32";
        std::wstring windowsDirectory = L"C:\\Windows";
        std::map<std::wstring, std::wstring> environment; // names compare without regard to ASCII case
    };

    MemorySystemInfo() = default;
    explicit MemorySystemInfo(Facts initial) : facts(std::move(initial)) {}

    Facts facts;

    ports::Wow64Lookup IsWow64Process() const override;
    ports::Lookup DisableWow64FsRedirection(ports::RedirectionCookie& cookie) override;
    ports::Lookup RevertWow64FsRedirection(ports::RedirectionCookie cookie) override;
    std::optional<ports::OsVersion> VersionEx(ports::VersionStructure structure) const override;
    std::uint32_t PackedVersion() const override;
    ports::OsVersionLookup RtlVersion() const override;
    std::uint16_t NativeProcessorArchitecture() const override;
    std::optional<std::wstring> FolderPath(int csidl) const override;
    std::optional<std::wstring> SpecialFolderPath(int csidl) const override;
    std::wstring SystemDirectory() const override;
    std::wstring WindowsDirectory() const override;
    std::optional<std::wstring> EnvironmentVariable(const std::wstring& name) const override;

    bool RedirectionOff() const { return redirectionOff_; }
    // The names of the port's functions in the order they were called, with " (redirection off)" added
    // to those called while redirection was switched off.
    const std::vector<std::wstring>& Calls() const { return calls_; }

private:
    void Record(const wchar_t* call) const;

    bool redirectionOff_ = false;
    std::uintptr_t nextCookie_ = 0x7000;
    std::uintptr_t activeCookie_ = 0;
    mutable std::vector<std::wstring> calls_;
};

} // namespace memory
