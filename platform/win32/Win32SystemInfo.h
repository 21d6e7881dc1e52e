#pragma once
// System facts from Windows. Functions that older versions lack (the WOW64 ones, RtlGetVersion) are
// looked up by name in modules every process has loaded, so their absence is an answer, not a load failure.

#include "common/ports/SystemInfo.h"

namespace win32 {

class Win32SystemInfo final : public ports::SystemInfo {
public:
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
};

} // namespace win32
