#pragma once
// The installer's view of the Windows version: an index and a version code from the kernel's own report
// (not subject to compatibility shims), their log lines, and whether Windows itself is 64-bit.

#include "common/ports/DebugOutput.h"
#include "common/ports/SystemInfo.h"

#include <optional>
#include <string>

namespace VERSIONINFO_MGR {

// GetWindowsVersion results.
inline constexpr int kVersionOk = 0;
inline constexpr int kVersionFunctionMissing = 1; // RtlGetVersion is not in ntdll.dll
inline constexpr int kVersionFunctionFailed = 2;

inline constexpr int kUnknownWindows = -1; // index and version code of a version not in the table

// IsNative64 results.
inline constexpr int kArchitectureKnown = 0;
inline constexpr int kArchitectureUnknown = 1;

struct WindowsVersion {
    int index = kUnknownWindows;
    int code = kUnknownWindows; // major * 256 + minor for the versions in the table
};

// The index and version code of major.minor.
WindowsVersion ClassifyWindowsVersion(std::uint32_t major, std::uint32_t minor);

class CVersionInfoMgr {
public:
    CVersionInfoMgr(const ports::SystemInfo& system, ports::DebugOutput& debug) : system_(system), debug_(debug) {}

    // Each out argument may be null; none is touched unless the result is 0.
    int GetWindowsVersion(int* index, int* versionCode, int* servicePack) const;

    // The OS line of the version code when one is given, else of the index; then the service-pack line
    // when a service pack is given.
    void LogWindowsVersion(std::optional<int> index, std::optional<int> versionCode,
                           std::optional<int> servicePack) const;

    // `isNative64` is set for x86 (false) and x64 (true); any other architecture gives 1 and leaves it.
    int IsNative64(bool& isNative64) const;

private:
    const ports::SystemInfo& system_;
    ports::DebugOutput& debug_;
};

} // namespace VERSIONINFO_MGR
