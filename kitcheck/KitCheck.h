#pragma once
// Checks a whole OEM kit as the control panel and the installer read it, and lists what it finds,
// ordered by file and line.

#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"
#include "kitcheck/Finding.h"

#include <string>
#include <vector>

namespace kitcheck {

// `kitFolder` is the folder the programs lie in (with or without a trailing "\").
std::vector<Finding> CheckKit(const ports::FileSystem& files, const ports::PrivateProfile& profile,
                              const std::wstring& kitFolder);

} // namespace kitcheck
