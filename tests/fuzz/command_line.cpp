// Any arguments as the control panel's command line: the first argument after the program that is a
// switch in any letter case decides, the program's own name never does, and every argument is written
// to the debug output before anything else.
#include "FuzzSupport.h"
#include "common/Text.h"
#include "panel/shell/CommandLine.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::wstring> arguments = fuzz::SplitAt(fuzz::DecodedText(fuzz::Bytes(data, size)), L'\n');

    shell::StartSwitch expected = shell::StartSwitch::None;
    std::size_t deciding = arguments.size();
    for (std::size_t i = 1; i < arguments.size() && deciding == arguments.size(); ++i)
        for (const shell::SwitchEntry& entry : shell::kStartSwitches)
            if (EqualsIgnoreAsciiCase(arguments[i], entry.text)) {
                expected = entry.decides;
                deciding = i;
            }

    memory::RecordingDebugOutput debug;
    const shell::StartSwitch decision = shell::DecideStartSwitch(arguments, debug);
    FUZZ_CHECK(decision == expected);
    FUZZ_CHECK(shell::RunsPanel(decision) ==
               (decision == shell::StartSwitch::ServiceStart || decision == shell::StartSwitch::ServiceBoot));

    const std::vector<std::wstring>& lines = debug.Lines();
    const std::size_t examined = arguments.empty() ? 0 : std::min(deciding, arguments.size() - 1);
    FUZZ_CHECK(lines.size() == arguments.size() + examined);
    for (std::size_t i = 0; i < arguments.size(); ++i)
        FUZZ_CHECK(lines[i].starts_with(L"ParamStr(" + std::to_wstring(i) + L") = ") && lines[i].size() <= 1023);
    for (std::size_t i = 1; i <= examined; ++i)
        FUZZ_CHECK(lines[arguments.size() + i - 1] == ToLowerAscii(arguments[i]) + L"\n");

    // The program's name alone never decides, whatever it is.
    if (!arguments.empty())
        FUZZ_CHECK(shell::DecideStartSwitch(std::span(arguments).first(1), debug) == shell::StartSwitch::None);
    return 0;
}
