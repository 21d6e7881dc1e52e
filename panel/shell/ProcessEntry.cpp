#include "panel/shell/ProcessEntry.h"

#include "common/ServiceControl.h"
#include "common/Text.h"

namespace shell {

EntryOutcome DecideProcessStart(std::span<const std::wstring> arguments, ports::ServiceManager& services,
                                ports::Clock& clock, ports::DebugOutput& debug)
{
    EntryOutcome outcome;
    outcome.decision = DecideStartSwitch(arguments, debug);
    if (RunsPanel(outcome.decision)) {
        outcome.runPanel = true;
        return outcome;
    }
    const bool boot = outcome.decision == StartSwitch::Boot;
    debug.Write(boot ? L"===== Service Control Execution -boot =====\n"
                     : L"===== Service Control Execution no service =====\n");
    const int result =
        ControlTheService(services, clock, kCompanionServiceName, boot ? kServiceControlBoot : kServiceControlDefault);
    debug.Write(FormatText(255, L"ControlTheService ret = %d\n", result));
    return outcome;
}

InstanceDecision DecideSingleInstance(ports::SingleInstance& session, const std::wstring& title)
{
    if (!session.NamedMutexExists(kSingleInstanceMutexName)) {
        session.HoldNamedMutex(kSingleInstanceMutexName);
        return InstanceDecision::First;
    }
    // Our own application window must not be the one found.
    session.ClearOwnApplicationCaption();
    if (const auto running = session.FindTopLevelWindow(kApplicationWindowClass, title)) {
        if (session.IsWindowMinimized(*running))
            session.RestoreWindow(*running);
        else
            session.BringWindowForward(*running);
    }
    return InstanceDecision::AnotherRuns;
}

} // namespace shell
