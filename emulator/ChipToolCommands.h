#pragma once
// The commands of the emulated chip's control tool, on any Chip: the tool runs them on the chip that
// every process shares, tests on an in-process one. One command per run; its text output and exit code
// come back to the caller.
//
//   reset | plug | unplug | identity VID PID | press B0 B1 B2 B3 B4 | report-lengths OUT IN
//   driver present|missing | probe-failures N|never | clear-faults | clear-requests
//   fault KIND N [fail|unplug|empty] [COUNT|forever] [ENTRY-POINT]
//   status | registers ADDRESS [COUNT] | requests
//
// VID, PID, bytes and addresses are hexadecimal (with or without 0x); lengths and counts decimal.
// KIND: sdk, hid-open, hid-output, hid-input, driver-open, driver-control, button.

#include "emulator/Chip.h"

#include <string>
#include <vector>

namespace emulator {

enum ChipToolExit : int {
    kToolOk = 0,
    kToolCannotOpenChip = 1, // the tool's own: the shared chip did not open
    kToolBadUsage = 2,
    kToolNoFaultSlot = 3,
};

struct ChipToolOutcome {
    int exitCode = kToolOk;
    std::string output;
};

ChipToolOutcome RunChipToolCommand(Chip& chip, const std::vector<std::string>& args);

std::string ChipToolUsage();

} // namespace emulator
