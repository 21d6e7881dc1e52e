#pragma once
// The update prerequisite as steps of the installation: the package written during the files step, the
// update installed as the last step. The wizard's own Windows facts are checked first, then the manager's.

#include "common/ports/DebugOutput.h"
#include "setup/InstallMgr.h"
#include "setup/UpdateStep.h"

namespace setup {

inline constexpr std::uint32_t kCodeUpdatePackageNotWritten = 0x10000701;
inline constexpr std::uint32_t kCodeUpdateNotInstalled = 0x80000501;

// The wizard's copies: the Wow64 flag, the version index and the service pack.
struct WizardWindowsFacts {
    bool wow64 = false;
    int windowsIndex = 2;
    int servicePack = 0;
};

class CWindowsUpdateStep final : public UpdateStep {
public:
    CWindowsUpdateStep(CInstallMgr& manager, ports::DebugOutput& debug, const WizardWindowsFacts& facts)
        : manager_(manager), debug_(debug), facts_(facts)
    {
    }

    std::uint32_t Copy_KB3033929() override;
    std::uint32_t Install_KB3033929() override;

private:
    CInstallMgr& manager_;
    ports::DebugOutput& debug_;
    const WizardWindowsFacts facts_;
};

} // namespace setup
