#pragma once
// What "DeviceWatchService" does with its own control codes: 193 starts the control panel for the user,
// 196 (sent by the panel started at log-on) starts it to sit in the tray, 128 announces an installation.
// The command lines are the start-up entries the installer wrote; a panel that runs already is left alone.

#include "common/RegistryStore.h"
#include "common/ports/DebugOutput.h"
#include "common/ports/Registry.h"
#include "setup/ports/SessionLauncher.h"

#include <cstdint>
#include <string>

namespace setup {

inline constexpr std::uint32_t kControlBeforeInstall = 128;
inline constexpr std::uint32_t kControlStartPanel = 193;
inline constexpr std::uint32_t kControlLogOn = 196;
inline constexpr wchar_t kPanelInstanceMutex[] = L"{196BFF53-13AC-4BB7-8F82-D7E5E55E19F7}";
inline constexpr wchar_t kPanelStartEntry[] = L"UserPrivilegeExecution_C0";
inline constexpr wchar_t kPanelLogOnEntry[] = L"AdminPrivilegeExecutionOnBoot_C4";

// Outcomes of a control, for the service's answer and its tests.
enum class ControlOutcome {
    NotOwn,         // not one of the service's own codes
    Noted,          // 128: nothing to start
    Started,        // the panel was started
    AlreadyRunning, // a panel runs in the user's session
    NoEntry,        // the start-up entry is missing or empty
    StartFailed,    // Windows refused to start it
};

class CompanionService {
public:
    CompanionService(ports::Registry& registry, ports::SessionLauncher& launcher, ports::DebugOutput& debug)
        : registry_(registry), launcher_(launcher), debug_(debug)
    {
    }

    ControlOutcome OnControl(std::uint32_t code);

private:
    ControlOutcome StartPanel(const wchar_t* entry);

    ports::Registry& registry_;
    ports::SessionLauncher& launcher_;
    ports::DebugOutput& debug_;
};

} // namespace setup
