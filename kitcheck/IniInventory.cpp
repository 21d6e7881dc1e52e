#include "kitcheck/IniInventory.h"

#include "common/Text.h"
#include "platform/memory/ProfileFileText.h"
#include "platform/memory/ProfileLines.h"

namespace kitcheck {

IniInventory IniInventory::Read(const ports::FileSystem& files, const std::wstring& path)
{
    IniInventory inventory;
    const ports::FileBytes file = files.ReadAll(path);
    if (file.status != ports::ReadStatus::Ok)
        return inventory;
    inventory.present_ = true;

    const memory::ProfileText text = memory::DecodeProfileText(file.bytes);
    const std::vector<memory::ProfileLine> lines = memory::ParseProfileLines(text.text);
    const IniSectionLine* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const memory::ProfileLine& line = lines[i];
        const int number = static_cast<int>(i + 1);
        switch (line.kind) {
        case memory::ProfileLine::Kind::Header: {
            const bool shadowed = inventory.SectionLine(line.name) != 0;
            inventory.sections_.push_back({std::wstring(line.name), number, shadowed});
            current = &inventory.sections_.back();
            break;
        }
        case memory::ProfileLine::Kind::Key:
            if (current == nullptr) {
                inventory.strays_.push_back({number, true});
                break;
            }
            inventory.keys_.push_back({current->name, std::wstring(line.name), std::wstring(line.value), number,
                                       current->shadowed || inventory.Find(current->name, line.name) != nullptr,
                                       current->shadowed});
            break;
        case memory::ProfileLine::Kind::Other:
            inventory.strays_.push_back({number, current == nullptr});
            break;
        case memory::ProfileLine::Kind::Blank:
        case memory::ProfileLine::Kind::Comment:
            break;
        }
    }
    return inventory;
}

const IniKeyLine* IniInventory::Find(std::wstring_view section, std::wstring_view key) const
{
    for (const IniKeyLine& entry : keys_)
        if (!entry.shadowed && EqualsIgnoreAsciiCase(entry.section, section) && EqualsIgnoreAsciiCase(entry.key, key))
            return &entry;
    return nullptr;
}

int IniInventory::SectionLine(std::wstring_view section) const
{
    for (const IniSectionLine& entry : sections_)
        if (EqualsIgnoreAsciiCase(entry.name, section))
            return entry.line;
    return 0;
}

std::vector<const IniKeyLine*> IniInventory::KeysOf(std::wstring_view section) const
{
    std::vector<const IniKeyLine*> keys;
    for (const IniKeyLine& entry : keys_)
        if (EqualsIgnoreAsciiCase(entry.section, section) && !entry.shadowed)
            keys.push_back(&entry);
    return keys;
}

} // namespace kitcheck
