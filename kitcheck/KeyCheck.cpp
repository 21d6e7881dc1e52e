#include "kitcheck/KeyCheck.h"

#include "common/Text.h"
#include "kitcheck/NearestName.h"

#include <algorithm>

namespace kitcheck {

namespace {

bool Contains(const std::vector<std::wstring>& names, std::wstring_view name)
{
    return std::any_of(names.begin(), names.end(), [name](const std::wstring& n) { return EqualsIgnoreAsciiCase(n, name); });
}

std::vector<std::wstring> KnownSections(const KeySchema& schema)
{
    std::vector<std::wstring> sections = schema.openSections;
    for (const KnownKey& key : schema.keys)
        if (!Contains(sections, key.section))
            sections.push_back(key.section);
    return sections;
}

std::vector<std::wstring> KeysIn(const KeySchema& schema, std::wstring_view section)
{
    std::vector<std::wstring> keys;
    for (const KnownKey& key : schema.keys)
        if (EqualsIgnoreAsciiCase(key.section, section))
            keys.push_back(key.key);
    return keys;
}

std::wstring DidYouMean(const std::wstring& nearest, const wchar_t* open, const wchar_t* close)
{
    return nearest.empty() ? std::wstring() : L"; did you mean " + std::wstring(open) + nearest + close + L"?";
}

} // namespace

Place KeyPlace(const IniInventory& inventory, const std::wstring& file, const std::wstring& section,
               const std::wstring& key)
{
    const IniKeyLine* entry = inventory.Find(section, key);
    return {file, section, key, entry != nullptr ? entry->line : inventory.SectionLine(section)};
}

void CheckKeys(const IniInventory& inventory, const std::wstring& file, const KeySchema& schema, Findings& findings)
{
    const std::vector<std::wstring> sections = KnownSections(schema);
    for (const IniSectionLine& section : inventory.Sections()) {
        if (section.shadowed) {
            findings.Warning({file, section.name, L"", section.line},
                             L"section repeated: every read stops at its first header, on line " +
                                 std::to_wstring(inventory.SectionLine(section.name)));
        } else if (!Contains(sections, section.name)) {
            findings.Warning({file, section.name, L"", section.line},
                             L"unknown section, no program reads it" +
                                 DidYouMean(NearestName(section.name, sections), L"[", L"]"));
        }
    }

    for (const IniKeyLine& entry : inventory.Keys()) {
        if (!Contains(sections, entry.section) || Contains(schema.openSections, entry.section))
            continue;
        const Place place{file, entry.section, entry.key, entry.line};
        if (entry.sectionShadowed)
            continue; // the repeated section is the finding
        if (entry.shadowed) {
            findings.Warning(place, L"key repeated: every read takes the one on line " +
                                        std::to_wstring(inventory.Find(entry.section, entry.key)->line));
            continue;
        }
        const std::vector<std::wstring> known = KeysIn(schema, entry.section);
        if (!Contains(known, entry.key))
            findings.Warning(place, L"unknown key, no program reads it" + DidYouMean(NearestName(entry.key, known), L"", L""));
    }

    for (const KnownKey& key : schema.keys) {
        if (!key.required || inventory.Find(key.section, key.key) != nullptr)
            continue;
        findings.Add(key.whenMissing, {file, key.section, key.key, inventory.SectionLine(key.section)},
                     L"missing key: " + key.missingEffect);
    }

    for (const IniStrayLine& stray : inventory.Strays())
        findings.Warning({file, L"", L"", stray.line},
                         stray.beforeFirstSection ? L"line before the first section: no read reaches it"
                                                  : L"line is neither a key nor a section header: no read reaches it");
}

} // namespace kitcheck
