// Any bytes as an initialization file, then one key written through the portable private-profile store:
// the file keeps its encoding, the key reads back as written, every other key reads as before, and the
// text encodings themselves round-trip.
#include "FuzzSupport.h"
#include "common/Text.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ProfileLines.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

namespace {

const std::wstring kPath = L"C:\\data\\Settings.ini";

struct KeyName {
    std::wstring section;
    std::wstring key;
};

// Names that any file can take as they are: no blanks around them, nothing the format gives a meaning to.
bool Plain(std::wstring_view name)
{
    return !name.empty() && name.size() <= 64 &&
           std::all_of(name.begin(), name.end(),
                       [](wchar_t c) {
                           return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                                  c == L'_' || c == L'.' || c == L'-' || c == L' ';
                       }) &&
           name.front() != L' ' && name.back() != L' ';
}

// A value the store gives back as written: no line break or NUL, no blanks around it, not quoted.
bool Writable(std::wstring_view value)
{
    if (value.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos)
        return false;
    if (memory::TrimProfileBlanks(value) != value)
        return false;
    return value.size() < 2 || !((value.front() == L'"' || value.front() == L'\'') && value.back() == value.front());
}

void CheckEncodings(std::span<const std::uint8_t> bytes)
{
    const memory::ProfileText decoded = memory::DecodeProfileText(bytes);
    const std::vector<std::uint8_t> encoded = memory::EncodeProfileText(decoded.text, decoded.encoding);
    const memory::ProfileText again = memory::DecodeProfileText(encoded);
    FUZZ_CHECK(again.encoding == decoded.encoding && again.text == decoded.text);
    // A file without a mark is Windows-1252 byte for byte, so it comes back unchanged.
    if (decoded.encoding == memory::ProfileEncoding::Ansi)
        FUZZ_CHECK(std::equal(encoded.begin(), encoded.end(), bytes.begin(), bytes.end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto pick = input.ConsumeIntegral<std::uint8_t>();
    const auto valuePick = input.ConsumeIntegral<std::uint8_t>();
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
    CheckEncodings(bytes);

    fuzz::OneFile file(kPath, bytes);
    memory::MemoryFileSystem& files = file.files;
    memory::IniFileProfile& profile = file.profile;

    const memory::ProfileText before = memory::DecodeProfileText(bytes);
    const std::vector<memory::ProfileLine> lines = memory::ParseProfileLines(before.text);
    std::vector<KeyName> names;
    std::vector<std::wstring> values;
    std::wstring section;
    for (const memory::ProfileLine& line : lines) {
        if (line.kind == memory::ProfileLine::Kind::Header)
            section = line.name;
        else if (line.kind == memory::ProfileLine::Kind::Key && Plain(section) && Plain(line.name) && names.size() < 16)
            names.push_back({section, std::wstring(line.name)});
        if (line.kind == memory::ProfileLine::Kind::Key && Writable(line.value))
            values.push_back(std::wstring(line.value));
    }

    // An existing key, a new key in an existing section, or a new section.
    KeyName target{L"Fuzz Section", L"FuzzKey"};
    if (pick < names.size())
        target = names[pick];
    else if (pick % 2 == 0 && !names.empty())
        target = {names[pick % names.size()].section, L"FuzzKey"};
    values.push_back(L"plain value");
    values.push_back(L"");
    const std::wstring value = values[valuePick % values.size()];

    std::vector<std::wstring> readBefore;
    for (const KeyName& name : names)
        readBefore.push_back(profile.GetString(kPath, name.section, name.key, L"-", 4096));

    FUZZ_CHECK(profile.WriteString(kPath, target.section, target.key, value));
    FUZZ_CHECK(profile.GetString(kPath, target.section, target.key, L"-", 4096) == value);

    const memory::ProfileText after = memory::DecodeProfileText(files.ReadAll(kPath).bytes);
    FUZZ_CHECK(after.encoding == before.encoding);
    FUZZ_CHECK(memory::ParseProfileLines(after.text).size() <= lines.size() + 3);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool same =
            EqualsIgnoreAsciiCase(names[i].section, target.section) && EqualsIgnoreAsciiCase(names[i].key, target.key);
        if (!same)
            FUZZ_CHECK(profile.GetString(kPath, names[i].section, names[i].key, L"-", 4096) == readBefore[i]);
    }
    return 0;
}
