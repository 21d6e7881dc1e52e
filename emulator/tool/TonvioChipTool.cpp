// TonvioChipTool: drives the emulated chip that the stand-in SDK library and the panel's emulated
// adapters share, for tests and demos. One command per run; see emulator/ChipToolCommands.h.

#include "emulator/ChipToolCommands.h"
#include "emulator/win32/SharedChip.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (; *text != L'\0'; ++text)
        narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    return narrow;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Narrow(argv[i]));

    unsigned long error = 0;
    const auto shared = emulator::SharedChip::Open(error);
    if (!shared) {
        std::fprintf(stderr, "TonvioChipTool: cannot open the emulated chip (error %lu)\n", error);
        return emulator::kToolCannotOpenChip;
    }
    const emulator::ChipToolOutcome outcome = emulator::RunChipToolCommand(shared->chip(), args);
    std::fputs(outcome.output.c_str(), outcome.exitCode == emulator::kToolOk ? stdout : stderr);
    return outcome.exitCode;
}
