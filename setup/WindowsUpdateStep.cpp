#include "setup/WindowsUpdateStep.h"

#include "setup/PayloadResources.h"

namespace setup {

std::uint32_t CWindowsUpdateStep::Copy_KB3033929()
{
    debug_.Write(L"TonvioSetup:  ==> TMainForm::Copy_KB3033929\n");
    return manager_.ExtractUpdatePackage(kWindowsPatchId, L"WindowPatch") == kPackageWritten ? 0
                                                                                               : kCodeUpdatePackageNotWritten;
}

std::uint32_t CWindowsUpdateStep::Install_KB3033929()
{
    debug_.Write(L"TonvioSetup:  ==> TMainForm::Install_KB3033929\n");
    if (!facts_.wow64) {
        debug_.Write(L"##### The OS is 32-Bit #####\n");
        return 0;
    }
    if (facts_.windowsIndex != kWindows7Index) {
        debug_.Write(L"##### The OS is not Win7 #####\n");
        return 0;
    }
    if (facts_.servicePack == 0) {
        debug_.Write(L"##### The OS is Win7, but not install the service pack! #####\n");
        return 0;
    }
    debug_.Write(L"***** Service pack KDB3033929 not EXIST! *****\n");
    return manager_.InstallUpdate() == kUpdateDone ? 0 : kCodeUpdateNotInstalled;
}

} // namespace setup
