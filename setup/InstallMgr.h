#pragma once
// The Windows update KB3033929 that 64-bit Windows 7 with a service pack needs: the package written out of
// the setup program, the servicing store asked whether Windows has the update, and the package handed to
// Windows' own update installer. The Windows facts are taken once, at construction.

#include "common/ports/DebugOutput.h"
#include "common/ports/SystemInfo.h"
#include "setup/ports/InstallFileSystem.h"
#include "setup/ports/Payload.h"
#include "setup/ports/UpdateSystem.h"

#include <cstdint>
#include <optional>
#include <string>

namespace setup {

inline constexpr wchar_t kUpdateName[] = L"KB3033929";
inline constexpr wchar_t kUpdatePackageFileName[] = L"Windows6.1-KB3033929-x64.msu";
inline constexpr wchar_t kUpdatePackageIdentity[] = L"Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1";
inline constexpr wchar_t kApplicabilityCacheKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\ApplicabilityEvaluationCache\\";
inline constexpr wchar_t kServicingPackagesKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages";
inline constexpr int kWindows7Index = 4;

// Exit codes of Windows' update installer that mean the update is in place.
inline constexpr std::uint32_t kUpdateExitRestartNeeded = 3010;
inline constexpr std::uint32_t kUpdateExitAlreadyInstalled = 0x00240006;

// ExtractUpdatePackage results.
inline constexpr int kPackageWritten = 0;
inline constexpr int kPackageMissing = 1;
inline constexpr int kPackageNotWritten = 2;

// InstallUpdate results.
inline constexpr int kUpdateDone = 0;        // nothing to do, already present, or the package ran well
inline constexpr int kUpdateNotLaunched = 1; // the package could not be launched
inline constexpr int kUpdateFailed = 2;      // the update installer ended with a failure or was cancelled

struct UpdateFacts {
    bool native64 = false;
    int windowsIndex = 2;
    int servicePack = 0;
};

// The facts as Windows reports them: the native architecture and the version index and service pack.
UpdateFacts ReadUpdateFacts(const ports::SystemInfo& system, ports::DebugOutput& debug);

struct UpdatePorts {
    const ports::SystemInfo& system;
    ports::Payload& payload;
    ports::InstallFileSystem& files;
    ports::UpdateSystem& update;
    ports::DebugOutput& debug;
};

// The package file: the system folder as the running process sees it, so a 32-bit setup on 64-bit Windows
// writes and launches it in the 32-bit system folder.
std::wstring UpdatePackagePath(const ports::SystemInfo& system);

// True when the update installer's exit code says the update is in place.
bool UpdateExitMeansInstalled(std::uint32_t exitCode);

class CInstallMgr {
public:
    CInstallMgr(const UpdatePorts& ports, const UpdateFacts& facts) : ports_(ports), facts_(facts) {}

    int ExtractUpdatePackage(int resourceId, const std::wstring& resourceType);
    int InstallUpdate();
    bool IsUpdateCached(const std::wstring& packageIdentity);
    bool IsUpdatePackagePresent(const std::wstring& updateName);
    // 0 launched; 1 the launch failed. A negative wait waits for the process without limit.
    int RunAndWait(const std::wstring& file, int waitMs);

    // The last InstallUpdate handed the package to Windows and the update installer reported success.
    bool PackageInstalled() const { return packageInstalled_; }
    // The update installer's exit code from the last wait without limit.
    std::optional<std::uint32_t> LastExitCode() const { return lastExitCode_; }

private:
    bool UpdateNotNeeded();

    UpdatePorts ports_;
    const UpdateFacts facts_;
    bool packageInstalled_ = false;
    std::optional<std::uint32_t> lastExitCode_;
};

} // namespace setup
