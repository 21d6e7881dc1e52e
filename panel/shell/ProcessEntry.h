#pragma once
// Process entry of the control panel up to the point where the window would be created: the command
// line, the request to the companion service, and the single-instance rule.

#include "common/ports/Clock.h"
#include "common/ports/DebugOutput.h"
#include "common/ports/ServiceManager.h"
#include "panel/ports/SingleInstance.h"
#include "panel/shell/CommandLine.h"

#include <cstdint>
#include <span>
#include <string>

namespace shell {

inline constexpr wchar_t kCompanionServiceName[] = L"DeviceWatchService";
// The companion service's own control codes.
inline constexpr std::uint32_t kServiceControlBoot = 196;
inline constexpr std::uint32_t kServiceControlDefault = 193;

inline constexpr wchar_t kSingleInstanceMutexName[] = L"{196BFF53-13AC-4BB7-8F82-D7E5E55E19F7}";
// The class of the window that carries the application title; a second instance looks for it.
inline constexpr wchar_t kApplicationWindowClass[] = L"TApplication";

struct EntryOutcome {
    StartSwitch decision = StartSwitch::None;
    bool runPanel = false;
    int exitCode = 0; // when the panel does not run
};

// Decides from the command line; without a switch that runs the panel, sends the companion service its
// control code and says the process ends with 0. The service's answer is only logged.
EntryOutcome DecideProcessStart(std::span<const std::wstring> arguments, ports::ServiceManager& services,
                                ports::Clock& clock, ports::DebugOutput& debug);

enum class InstanceDecision {
    First,       // this process holds the mutex now and runs the panel
    AnotherRuns, // another panel runs: its window was brought forward (when found); end with 0
};

// The single-instance rule. `title` is the application title the running panel shows as its caption.
InstanceDecision DecideSingleInstance(ports::SingleInstance& session, const std::wstring& title);

} // namespace shell
