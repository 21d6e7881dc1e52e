#pragma once
// The keys of one INI file against the keys its readers ask for: keys present that no reader reads
// (likely typos, with the nearest known key), keys the readers ask for that are missing (with what the
// program does then), repeated sections and keys that no read reaches, and lines that are no key.

#include "kitcheck/Finding.h"
#include "kitcheck/IniInventory.h"

#include <string>
#include <vector>

namespace kitcheck {

struct KnownKey {
    std::wstring section;
    std::wstring key;
    Severity whenMissing = Severity::Warning;
    std::wstring missingEffect; // what the program does without it, e.g. "the control is hidden"
    bool required = true;       // false: known, but its absence is no finding
};

struct KeySchema {
    std::vector<KnownKey> keys;
    std::vector<std::wstring> openSections; // sections whose key names are the OEM's own
};

void CheckKeys(const IniInventory& inventory, const std::wstring& file, const KeySchema& schema, Findings& findings);

// The place of a key in a file: its line when present, else its section's line.
Place KeyPlace(const IniInventory& inventory, const std::wstring& file, const std::wstring& section,
               const std::wstring& key);

} // namespace kitcheck
