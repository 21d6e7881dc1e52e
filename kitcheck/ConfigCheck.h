#pragma once
// "AudioConfig.cfg": its keys, the values the programs convert or cut, and the files it names.

#include "kitcheck/Finding.h"
#include "kitcheck/IniInventory.h"
#include "kitcheck/KeyCheck.h"
#include "kitcheck/Kit.h"

namespace kitcheck {

// Every key either program reads: the configuration loader's own table and the keys the features read
// themselves.
KeySchema ConfigKeySchema();

void CheckConfig(const Kit& kit, const IniInventory& config, Findings& findings);

} // namespace kitcheck
