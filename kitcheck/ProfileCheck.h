#pragma once
// "DefaultProfile.ini", the factory sound profile, against the profile key schema.

#include "kitcheck/Finding.h"
#include "kitcheck/KeyCheck.h"
#include "kitcheck/Kit.h"

#include <optional>
#include <string>

namespace kitcheck {

// The profile's integers: decimal, or hexadecimal after "0x".
std::optional<long long> ProfileInteger(const std::wstring& text);

KeySchema ProfileKeySchema();

void CheckDefaultProfile(const Kit& kit, Findings& findings);

} // namespace kitcheck
