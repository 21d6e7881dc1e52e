#pragma once
// What an INI file of the kit holds, line by line, as the programs' private-profile store parses it:
// the sections and keys present, with their lines, so that a finding can name the line and a key the
// readers never ask for can be told from a key they miss.

#include "common/ports/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace kitcheck {

struct IniKeyLine {
    std::wstring section; // as written, without the blanks around it
    std::wstring key;
    std::wstring value; // without surrounding blanks; quotes kept
    int line = 0;       // 1-based
    bool shadowed = false;        // an earlier section or key of the same name answers every read
    bool sectionShadowed = false; // it lies in a repeated section, which no read reaches
};

struct IniSectionLine {
    std::wstring name;
    int line = 0;
    bool shadowed = false;
};

struct IniStrayLine {
    int line = 0;
    bool beforeFirstSection = false; // a key line no section holds
};

class IniInventory {
public:
    // nullopt-like: Present() is false when the file cannot be read.
    static IniInventory Read(const ports::FileSystem& files, const std::wstring& path);

    bool Present() const { return present_; }
    const std::vector<IniSectionLine>& Sections() const { return sections_; }
    const std::vector<IniKeyLine>& Keys() const { return keys_; }
    // Lines that are neither blank, comment, header nor key, and keys outside every section.
    const std::vector<IniStrayLine>& Strays() const { return strays_; }

    // The entry a read of section/key gets (names compare as the store compares them); nullptr when none.
    const IniKeyLine* Find(std::wstring_view section, std::wstring_view key) const;
    // The line of the section's first header; 0 when the file has no such section.
    int SectionLine(std::wstring_view section) const;
    // The keys of the first section of that name, in file order.
    std::vector<const IniKeyLine*> KeysOf(std::wstring_view section) const;

private:
    bool present_ = false;
    std::vector<IniSectionLine> sections_;
    std::vector<IniKeyLine> keys_;
    std::vector<IniStrayLine> strays_;
};

} // namespace kitcheck
