#include "common/VersionInfoMgr.h"

#include "common/Text.h"

namespace VERSIONINFO_MGR {

namespace {

struct WindowsVersionRow {
    std::uint32_t major;
    std::uint32_t minor;
    bool indexCoversWholeMajor; // the index applies to every minor version of this major one
    int index;
    const wchar_t* name;
};

// The first row of an index names it in the log; later rows of the same index name only their version code.
constexpr WindowsVersionRow kWindowsVersions[] = {
    {4, 0, true, 0, L"NT4"},    {5, 0, false, 1, L"WIN2000"},
    {5, 1, false, 2, L"WINXP"}, {5, 2, false, 2, L"Windows Server 2003"},
    {6, 0, false, 3, L"VISTA"}, {6, 1, false, 4, L"WIN7"},
    {6, 2, false, 5, L"WIN8"},  {6, 3, false, 5, L"WIN8.1"},
    {10, 0, true, 6, L"WIN10"},
};

constexpr const wchar_t* kUnknownName = L"Unknown";

constexpr int CodeOf(const WindowsVersionRow& row)
{
    return static_cast<int>(row.major * 256 + row.minor);
}

const wchar_t* NameOfCode(int code)
{
    for (const WindowsVersionRow& row : kWindowsVersions)
        if (CodeOf(row) == code)
            return row.name;
    return kUnknownName;
}

const wchar_t* NameOfIndex(int index)
{
    for (const WindowsVersionRow& row : kWindowsVersions)
        if (row.index == index)
            return row.name;
    return kUnknownName;
}

} // namespace

WindowsVersion ClassifyWindowsVersion(std::uint32_t major, std::uint32_t minor)
{
    WindowsVersion result;
    for (const WindowsVersionRow& row : kWindowsVersions) {
        if (row.major != major)
            continue;
        if (row.minor == minor) {
            result.index = row.index;
            result.code = CodeOf(row);
            return result;
        }
        if (row.indexCoversWholeMajor)
            result.index = row.index;
    }
    return result;
}

int CVersionInfoMgr::GetWindowsVersion(int* index, int* versionCode, int* servicePack) const
{
    const ports::OsVersionLookup answer = system_.RtlVersion();
    if (answer.lookup == ports::Lookup::Missing)
        return kVersionFunctionMissing;
    if (answer.lookup == ports::Lookup::Failed)
        return kVersionFunctionFailed;

    const ports::OsVersion& version = answer.version;
    debug_.Write(FormatText(255, L"GetWindowsVersion: Major = 0x%.8X, Minor = 0x%.8X\n", version.major, version.minor));
    const WindowsVersion classified = ClassifyWindowsVersion(version.major, version.minor);
    if (index)
        *index = classified.index;
    if (versionCode)
        *versionCode = classified.code;
    if (servicePack)
        *servicePack = static_cast<int>(version.servicePackMajor);
    return kVersionOk;
}

void CVersionInfoMgr::LogWindowsVersion(std::optional<int> index, std::optional<int> versionCode,
                                        std::optional<int> servicePack) const
{
    const wchar_t* name = versionCode ? NameOfCode(*versionCode) : index ? NameOfIndex(*index) : nullptr;
    if (name)
        debug_.Write(FormatText(255, L"##### The OS is %ls #####\n", name));
    if (servicePack)
        debug_.Write(FormatText(255, L"##### The service pack version = %d #####\n", *servicePack));
}

int CVersionInfoMgr::IsNative64(bool& isNative64) const
{
    switch (system_.NativeProcessorArchitecture()) {
    case ports::kArchitectureX86:
        isNative64 = false;
        return kArchitectureKnown;
    case ports::kArchitectureX64:
        isNative64 = true;
        return kArchitectureKnown;
    default:
        return kArchitectureUnknown;
    }
}

} // namespace VERSIONINFO_MGR
