#include "setup/InstallMgr.h"

#include "common/Text.h"
#include "common/VersionInfoMgr.h"
#include "setup/FileOperations.h"

namespace setup {

namespace {

constexpr std::size_t kPrefixChars = 255;
constexpr std::size_t kDiagnosticLineChars = 1024;

} // namespace

UpdateFacts ReadUpdateFacts(const ports::SystemInfo& system, ports::DebugOutput& debug)
{
    UpdateFacts facts;
    const VERSIONINFO_MGR::CVersionInfoMgr versions(system, debug);
    versions.IsNative64(facts.native64);
    int code = 0;
    versions.GetWindowsVersion(&facts.windowsIndex, &code, &facts.servicePack);
    return facts;
}

std::wstring UpdatePackagePath(const ports::SystemInfo& system)
{
    return system.SystemDirectory() + L"\\" + kUpdatePackageFileName;
}

bool UpdateExitMeansInstalled(std::uint32_t exitCode)
{
    return exitCode == 0 || exitCode == kUpdateExitRestartNeeded || exitCode == kUpdateExitAlreadyInstalled;
}

int CInstallMgr::ExtractUpdatePackage(int resourceId, const std::wstring& resourceType)
{
    const auto package = ports_.payload.Load(resourceType, resourceId);
    if (!package)
        return kPackageMissing;
    const std::wstring path = UpdatePackagePath(ports_.system);
    if (WriteFileData(ports_.files, path, *package) != kWriteOk)
        return kPackageNotWritten;
    ports_.files.SetNormalAttributes(path);
    return kPackageWritten;
}

bool CInstallMgr::UpdateNotNeeded()
{
    if (!facts_.native64) {
        ports_.debug.Write(L"##### The OS is 32-Bit #####\n");
        return true;
    }
    if (facts_.windowsIndex != kWindows7Index) {
        ports_.debug.Write(L"##### The OS is not Win7 #####\n");
        return true;
    }
    if (facts_.servicePack == 0) {
        ports_.debug.Write(L"##### The OS is Win7, but not install the service pack! #####\n");
        return true;
    }
    return false;
}

int CInstallMgr::InstallUpdate()
{
    packageInstalled_ = false;
    if (UpdateNotNeeded() || IsUpdateCached(kUpdatePackageIdentity) || IsUpdatePackagePresent(kUpdateName))
        return kUpdateDone;
    ports_.debug.Write(L"***** Service pack KDB3033929 not EXIST! *****\n");
    if (RunAndWait(UpdatePackagePath(ports_.system), ports::kWaitWithoutLimit) != 0) {
        ports_.debug.Write(L"***** InstallKB3033929 *****\n");
        return kUpdateNotLaunched;
    }
    // A failed or cancelled update must not pass for an installed one: the restart would be proposed for
    // nothing and the panel would run without the update it needs.
    if (!lastExitCode_ || !UpdateExitMeansInstalled(*lastExitCode_)) {
        ports_.debug.Write(lastExitCode_ ? FormatText(kDiagnosticLineChars,
                                                      L"***** The update installer ended with code 0x%08X *****\n",
                                                      static_cast<unsigned>(*lastExitCode_))
                                         : std::wstring(L"***** The update installer's exit code is unknown *****\n"));
        return kUpdateFailed;
    }
    packageInstalled_ = *lastExitCode_ != kUpdateExitAlreadyInstalled;
    return kUpdateDone;
}

bool CInstallMgr::IsUpdateCached(const std::wstring& packageIdentity)
{
    return ports_.update.NativeKeyExists(kApplicabilityCacheKey + packageIdentity);
}

bool CInstallMgr::IsUpdatePackagePresent(const std::wstring& updateName)
{
    const auto names = ports_.update.NativeSubkeyNames(kServicingPackagesKey);
    if (!names)
        return false;
    const std::wstring prefix = FormatText(kPrefixChars, L"Package_for_%ls~", updateName.c_str());
    for (const std::wstring& name : *names)
        if (name.starts_with(prefix)) // case-sensitive, as the servicing store spells its packages
            return true;
    return false;
}

int CInstallMgr::RunAndWait(const std::wstring& file, int waitMs)
{
    const ports::ShellRun run = ports_.update.Open(file, L"", waitMs);
    lastExitCode_ = run.exitCode;
    return run.launched ? 0 : 1;
}

} // namespace setup
