// Any text as comma-separated items and any bytes as an INI file read through the key layer: items never
// exceed their length, quoting round-trips, unquoted text splits at every comma, and each key function
// keeps its documented result and capacity.
#include "FuzzSupport.h"
#include "common/IniKeys.h"
#include "common/Text.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ProfileLines.h"

#include <algorithm>
#include <array>

namespace {

const std::wstring kPath = L"C:\\app\\AudioConfig.cfg";

void CheckSplit(const std::wstring& text)
{
    std::array<std::wstring, 8> slots;
    const std::size_t count = SplitIniList(text, slots);
    const std::size_t commas = static_cast<std::size_t>(std::count(text.begin(), text.end(), L','));
    FUZZ_CHECK(text.empty() ? count == 0 : count >= 1 && count <= commas + 1);
    for (const std::wstring& slot : slots)
        FUZZ_CHECK(slot.size() <= kIniListItemChars);
    if (text.find(L'"') == std::wstring::npos) {
        const std::vector<std::wstring> pieces = fuzz::SplitAt(text, L',');
        FUZZ_CHECK(count == pieces.size());
        for (std::size_t i = 0; i < pieces.size() && i < slots.size(); ++i)
            FUZZ_CHECK(slots[i] == CutText(pieces[i], kIniListItemChars));
    }
    // Fewer slots than items: the count still tells them all, and the slots given are the same.
    std::array<std::wstring, 2> few;
    FUZZ_CHECK(SplitIniList(text, few) == count);
    FUZZ_CHECK(few[0] == slots[0] && few[1] == slots[1]);
}

// Any items, each quoted, read back as they were (cut to the item length).
void CheckQuotedRoundTrip(const std::vector<std::wstring>& items)
{
    std::wstring joined;
    for (std::size_t i = 0; i < items.size(); ++i)
        joined += (i == 0 ? L"" : L",") + fuzz::Quoted(items[i]);
    std::array<std::wstring, 12> slots;
    FUZZ_CHECK(SplitIniList(joined, slots) == items.size());
    for (std::size_t i = 0; i < items.size() && i < slots.size(); ++i)
        FUZZ_CHECK(slots[i] == CutText(items[i], kIniListItemChars));
}

void CheckKey(const ports::PrivateProfile& profile, const std::wstring& section, const std::wstring& key)
{
    const std::wstring full = profile.GetString(kPath, section, key, L"", 4096);
    for (const std::size_t capacity :
         {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{128}, kGetIniKeyMaxCapacity}) {
        std::wstring out = L"old";
        FUZZ_CHECK(GetIniKey(profile, kPath, section, key, out, capacity) == 0);
        FUZZ_CHECK(out == CutText(full, capacity == 0 ? 0 : capacity - 1));
    }
    std::wstring out = L"old";
    const int result = ReadIniKey(profile, kPath, section, key, out);
    if (full.empty())
        FUZZ_CHECK(result == 1 && out == L"old");
    else
        FUZZ_CHECK(result == 0 && out == CutText(full, kReadIniKeyCapacity - 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = fuzz::DecodedText(fuzz::Bytes(data, size));
    const std::vector<std::wstring> lines = fuzz::SplitAt(text, L'\n');
    for (const std::wstring& line : lines)
        CheckSplit(line);
    CheckQuotedRoundTrip(
        std::vector<std::wstring>(lines.begin(), lines.begin() + std::min<std::size_t>(lines.size(), 14)));

    fuzz::OneFile file(kPath, fuzz::Bytes(data, size));
    memory::IniFileProfile& profile = file.profile;
    std::wstring section;
    std::size_t keys = 0;
    for (const memory::ProfileLine& line : memory::ParseProfileLines(text)) {
        if (line.kind == memory::ProfileLine::Kind::Header)
            section = line.name;
        else if (line.kind == memory::ProfileLine::Kind::Key && keys++ < 8)
            CheckKey(profile, section, std::wstring(line.name));
    }
    CheckKey(profile, L"NoSuchSection", L"NoSuchKey");

    // Writing through the key layer: what was saved reads back, cut to what the reader can hold.
    if (!lines.empty()) {
        const std::wstring value(TrimChars(lines.front(), L" \t\v\f\r\x1A\"'"));
        if (value.find_first_of(std::wstring_view(L"\r\n\0", 3)) == std::wstring::npos &&
            std::all_of(value.begin(), value.end(), [](wchar_t c) { return c < 0x80; })) {
            FUZZ_CHECK(SaveIniKey(profile, kPath, L"Language", L"DefaultLanguage", value) == 0);
            std::wstring out;
            FUZZ_CHECK(GetIniKey(profile, kPath, L"Language", L"DefaultLanguage", out, 128) == 0);
            FUZZ_CHECK(out == CutText(value, 127));
        }
    }
    return 0;
}
