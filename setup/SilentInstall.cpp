#include "setup/SilentInstall.h"

#include "common/Text.h"
#include "setup/InstallMgr.h"
#include "setup/InstallSequence.h"
#include "setup/Wizard.h"
#include "setup/WindowsUpdateStep.h"

namespace setup {

namespace {

constexpr std::size_t kLineChars = 1024;

// The wizard window of a silent run: its messages become log lines, its progress is not shown.
class LoggedWindow final : public ports::InstallerWindow {
public:
    explicit LoggedWindow(ports::DebugOutput& log) : log_(log) {}
    void PostProgress(int) override {}
    void PostFinished() override {}
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override
    {
        log_.Write(caption + L": " + text + L"\n");
    }

private:
    ports::DebugOutput& log_;
};

int ExitCodeOf(const CInstallSequence& sequence, const CInstallMgr& manager)
{
    switch (sequence.Outcome()) {
    case InstallOutcome::Completed:
        return manager.PackageInstalled() ? kExitRestartNeeded : kExitSuccess;
    case InstallOutcome::DriverStillLoaded:
        return kExitDriverStillLoaded;
    case InstallOutcome::StepFailed:
        return sequence.FailedStep();
    case InstallOutcome::NotRun:
        break;
    }
    return kExitCannotStart;
}

} // namespace

int RunSilentInstall(const SilentInstallPorts& ports, const std::wstring& programPath)
{
    ports::DebugOutput& log = ports.os.debug;
    LoggedWindow window(log);
    log.Write(L"TonvioSetup: silent installation from " + programPath + L"\n");

    CWizard wizard(ports.os, ports.installFiles, window, programPath);
    wizard.Construct();
    int exitCode = kExitCannotStart;
    if (wizard.FormShow() == ShowResult::Shown) {
        CInstallMgr manager({ports.os.system, ports.payload, ports.installFiles, ports.update, log},
                            ReadUpdateFacts(ports.os.system, log));
        CWindowsUpdateStep update(manager, log, {wizard.Wow64(), wizard.WindowsIndex(), wizard.ServicePack()});
        const InstallContext context{wizard.Config(),
                                     wizard.Options(),
                                     wizard.Uninstall(),
                                     wizard.Labels()[LabelWarning1].text,
                                     wizard.Labels()[LabelWarning2].text,
                                     wizard.Wow64()};
        CInstallSequence sequence({ports.os, ports.installFiles, ports.payload, ports.system, window}, update, context);
        sequence.Install();
        exitCode = ExitCodeOf(sequence, manager);
    } else {
        log.Write(L"***** The kit's device-ID groups cannot be read *****\n");
    }
    log.Write(FormatText(kLineChars, L"TonvioSetup: silent installation ended with exit code %d\n", exitCode));
    return exitCode;
}

} // namespace setup
