#pragma once
// Every skin of every resolution folder: "SkinSetting.ini", the pictures it names and the region file.

#include "kitcheck/Finding.h"
#include "kitcheck/KeyCheck.h"
#include "kitcheck/Kit.h"

namespace kitcheck {

// The keys of "SkinSetting.ini", from the skin reader's own table.
KeySchema SkinKeySchema();

void CheckSkins(const Kit& kit, Findings& findings);

} // namespace kitcheck
