// Any words as one run of the chip tool: the exit code is one of the tool's own, a refused command
// names itself and shows the usage, and only an accepted command changes the chip.
#include "FuzzSupport.h"
#include "emulator/ChipToolCommands.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto state = std::make_unique<emulator::ChipState>();
    static const auto before = std::make_unique<emulator::ChipState>();
    static emulator::InProcessStateLock lock;
    emulator::ResetChipState(*state);
    emulator::Chip chip(*state, lock);
    // Something in the record, as the adapters leave it, so that "requests" has requests to describe.
    chip.SdkRequest(sdk::EntryPoint::DLLQZ_SetActive_Device, {0x4D2F, 0x4802}, {}, emulator::SdkAccess::Anytime,
                    [](emulator::ChipState&) { return 0; });
    if (const auto handle = chip.OpenHid(0x4D2F, 0x4802)) {
        const std::uint8_t report[] = {0x00, 0x60, 0x20, 0x01, 0x10};
        chip.TakeHidOutputReport(*handle, report);
    }

    // Words separated by NUL, as the tool gets its arguments; a second command may follow a newline,
    // so that a sequence (arm a fault, then look at the status) is reachable.
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : fuzz::SplitAt(text, '\n')) {
        std::vector<std::string> args = fuzz::SplitAt(line, '\0');
        std::memcpy(before.get(), state.get(), sizeof(emulator::ChipState));
        const emulator::ChipToolOutcome outcome = emulator::RunChipToolCommand(chip, args);
        switch (outcome.exitCode) {
        case emulator::kToolOk:
            break;
        case emulator::kToolBadUsage:
            FUZZ_CHECK(outcome.output.ends_with(emulator::ChipToolUsage()));
            FUZZ_CHECK(std::memcmp(before.get(), state.get(), sizeof(emulator::ChipState)) == 0);
            break;
        case emulator::kToolNoFaultSlot:
            FUZZ_CHECK(!args.empty() && args[0] == "fault");
            FUZZ_CHECK(std::memcmp(before.get(), state.get(), sizeof(emulator::ChipState)) == 0);
            break;
        default:
            FUZZ_CHECK(false); // kToolCannotOpenChip is the tool's own, never a command's
        }
        // Reading commands never change the chip.
        if (!args.empty() && (args[0] == "status" || args[0] == "registers" || args[0] == "requests"))
            FUZZ_CHECK(std::memcmp(before.get(), state.get(), sizeof(emulator::ChipState)) == 0);
    }
    return 0;
}
