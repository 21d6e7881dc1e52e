#pragma once
// TonvioKitCheck's command line: [--json] [--strict] <kit folder>.

#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"

#include <string>
#include <vector>

namespace kitcheck {

struct CommandResult {
    int exitCode = 0;
    std::string output; // UTF-8, for standard output
    std::string errors; // UTF-8, for standard error
};

// `arguments` without the program's own name.
CommandResult RunKitCheckCommand(const std::vector<std::wstring>& arguments, const ports::FileSystem& files,
                                 const ports::PrivateProfile& profile);

} // namespace kitcheck
