#pragma once
// The control panel's command line: which switch decides how the process goes on.

#include "common/ports/DebugOutput.h"

#include <cstdint>
#include <span>
#include <string>

namespace shell {

enum class StartSwitch {
    Boot,         // ask the companion service for its boot-time work, then end
    ServiceStart, // run the panel
    ServiceBoot,  // run the panel and hide it in the tray on its first activation
    None,         // ask the companion service for its default work, then end
};

struct SwitchEntry {
    const wchar_t* text; // lower case
    StartSwitch decides;
};

inline constexpr SwitchEntry kStartSwitches[] = {
    {L"-boot", StartSwitch::Boot},
    {L"-servicestart", StartSwitch::ServiceStart},
    {L"-serviceboot", StartSwitch::ServiceBoot},
};

inline constexpr wchar_t kServiceBootSwitch[] = L"-serviceboot";

// Argument 0 is the program. Writes every argument, then every argument examined, to `debug`; the first
// argument from 1 on that equals a switch in any letter case decides, empty and unknown ones are skipped.
StartSwitch DecideStartSwitch(std::span<const std::wstring> arguments, ports::DebugOutput& debug);

bool RunsPanel(StartSwitch decision);

} // namespace shell
