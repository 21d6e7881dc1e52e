#pragma once
// The names in "AudioConfig.cfg" that the installer turns into folders, files and shortcuts: each must
// make a path Windows can create.

#include "kitcheck/Finding.h"
#include "kitcheck/IniInventory.h"
#include "kitcheck/Kit.h"

#include <optional>
#include <string>

namespace kitcheck {

// Why a name cannot be a file or folder name (nullopt when it can). With `folders`, "\" separates
// folder names, each of which must be valid.
std::optional<std::wstring> ImpossibleName(const std::wstring& name, bool folders);

void CheckInstallNames(const Kit& kit, const IniInventory& config, Findings& findings);

} // namespace kitcheck
