#include "panel/shell/CommandLine.h"

#include "common/Text.h"

namespace shell {

StartSwitch DecideStartSwitch(std::span<const std::wstring> arguments, ports::DebugOutput& debug)
{
    for (std::size_t i = 0; i < arguments.size(); ++i)
        debug.Write(FormatText(1023, L"ParamStr(%d) = %ls\n", static_cast<int>(i), arguments[i].c_str()));

    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring lowered = ToLowerAscii(arguments[i]);
        debug.Write(lowered + L"\n");
        if (lowered.empty())
            continue;
        for (const SwitchEntry& entry : kStartSwitches)
            if (lowered == entry.text)
                return entry.decides;
    }
    return StartSwitch::None;
}

bool RunsPanel(StartSwitch decision)
{
    return decision == StartSwitch::ServiceStart || decision == StartSwitch::ServiceBoot;
}

} // namespace shell
