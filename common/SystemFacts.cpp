#include "common/SystemFacts.h"

#include "common/Text.h"

bool IsWow64(const ports::SystemInfo& system)
{
    const ports::Wow64Lookup answer = system.IsWow64Process();
    return answer.lookup == ports::Lookup::Succeeded && answer.isWow64;
}

bool DisableFsRedirection(ports::SystemInfo& system, ports::RedirectionCookie& cookie)
{
    return system.DisableWow64FsRedirection(cookie) == ports::Lookup::Succeeded;
}

bool RevertFsRedirection(ports::SystemInfo& system, ports::RedirectionCookie cookie)
{
    return system.RevertWow64FsRedirection(cookie) == ports::Lookup::Succeeded;
}

namespace {

struct OsKindRow {
    std::uint32_t platformId;
    std::uint32_t major;
    std::uint32_t minor;
    int kind;
};

constexpr OsKindRow kOsKinds[] = {
    {kPlatformWin9x, 4, 10, kOsKindWin98},
    {kPlatformWin9x, 4, 90, kOsKindWinMe},
    {kPlatformNt, 5, 0, kOsKindWin2000},
    {kPlatformNt, 5, 1, kOsKindWinXp},
};

} // namespace

int OsKindOf(const ports::OsVersion& version)
{
    if (version.platformId == kPlatformNt && version.major > 5)
        return kOsKindVistaOrLater;
    for (const OsKindRow& row : kOsKinds)
        if (row.platformId == version.platformId && row.major == version.major && row.minor == version.minor)
            return row.kind;
    return kOsKindUnknown;
}

int GetOsKind(const ports::SystemInfo& system)
{
    std::optional<ports::OsVersion> version = system.VersionEx(ports::VersionStructure::Extended);
    if (!version)
        version = system.VersionEx(ports::VersionStructure::Basic);
    return version ? OsKindOf(*version) : kOsKindUnknown;
}

bool IsWindowsBefore6(const ports::SystemInfo& system)
{
    const std::uint32_t major = system.PackedVersion() & 0xFFu;
    return major <= 5;
}

int GetFileVersionString(const ports::VersionResource& versions, const std::wstring& path, std::wstring& text)
{
    const ports::VersionResourceRead read = versions.ReadFixedFileVersion(path);
    switch (read.status) {
    case ports::VersionResourceStatus::NoResource:
        return kFileVersionNoResource;
    case ports::VersionResourceStatus::CannotRead:
        return kFileVersionCannotRead;
    case ports::VersionResourceStatus::NoRootBlock:
        return kFileVersionNoRootBlock;
    case ports::VersionResourceStatus::EmptyRootBlock:
        return kFileVersionEmptyRootBlock;
    case ports::VersionResourceStatus::Ok:
        break;
    }
    if (read.fixed.signature != kFixedFileInfoSignature)
        return kFileVersionOk;
    const auto high = [](std::uint32_t word) { return static_cast<int>(word >> 16); };
    const auto low = [](std::uint32_t word) { return static_cast<int>(word & 0xFFFFu); };
    text = FormatText(kFileVersionTextChars, L"%d.%d.%d.%d", high(read.fixed.fileVersionMS),
                      low(read.fixed.fileVersionMS), high(read.fixed.fileVersionLS), low(read.fixed.fileVersionLS));
    return kFileVersionOk;
}
