#include "common/IniKeys.h"

#include "common/Text.h"

#include <algorithm>

int ReadIniKey(const ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, std::wstring& out)
{
    std::wstring value = profile.GetString(file, section, key, L"", kReadIniKeyCapacity);
    if (value.empty())
        return 1; // the field keeps its prior value
    out = std::move(value);
    return 0;
}

int GetIniKey(const ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
              const std::wstring& key, std::wstring& out, std::size_t capacity)
{
    // A buffer without room for the terminating zero holds nothing.
    out = capacity == 0 ? std::wstring() : profile.GetString(file, section, key, L"", capacity);
    return 0;
}

int SaveIniKey(ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, const std::wstring& value)
{
    return profile.WriteString(file, section, key, value) ? 0 : 1;
}

namespace {

// Reads one item starting at `pos`; afterwards `pos` is at the comma that ends it or at the end of the text.
std::wstring NextListItem(const std::wstring& text, std::size_t& pos)
{
    std::wstring item;
    if (text[pos] != L'"') {
        const std::size_t comma = std::min(text.find(L',', pos), text.size());
        item = text.substr(pos, comma - pos);
        pos = comma;
        return item;
    }
    // Quoted: commas inside belong to the item, "" stands for one quote. An unclosed quote runs to the end.
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == L'"') {
            if (pos + 1 < text.size() && text[pos + 1] == L'"') {
                item += L'"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    // Whatever follows the closing quote up to the next comma is kept, as written.
    const std::size_t comma = std::min(text.find(L',', pos), text.size());
    item.append(text, pos, comma - pos);
    pos = comma;
    return item;
}

} // namespace

std::size_t SplitIniList(const std::wstring& text, std::span<std::wstring> slots)
{
    if (text.empty())
        return 0;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (true) {
        std::wstring item = pos < text.size() ? NextListItem(text, pos) : std::wstring();
        if (count < slots.size())
            slots[count] = CutText(item, kIniListItemChars);
        ++count;
        if (pos >= text.size())
            break;
        ++pos; // the comma; a comma at the very end leaves one more, empty item
    }
    return count;
}
