#include "platform/memory/ProfileLines.h"

#include "common/Text.h"

namespace memory {

namespace {

// Space and tab, the other ASCII white space, and the end-of-file mark (Ctrl+Z) of old editors.
constexpr std::wstring_view kBlanks = L" \t\v\f\x1A";

ProfileLine ClassifyLine(std::wstring_view text, std::size_t begin, std::size_t end, std::size_t next)
{
    ProfileLine line{ProfileLine::Kind::Other, begin, end, next, {}, {}};
    const std::wstring_view trimmed = TrimProfileBlanks(text.substr(begin, end - begin));
    if (trimmed.empty()) {
        line.kind = ProfileLine::Kind::Blank;
    } else if (trimmed.front() == L';') {
        line.kind = ProfileLine::Kind::Comment;
    } else if (const auto close = trimmed.rfind(L']'); trimmed.front() == L'[' && close != std::wstring_view::npos) {
        line.kind = ProfileLine::Kind::Header;
        line.name = TrimProfileBlanks(trimmed.substr(1, close - 1));
    } else if (const auto equals = trimmed.find(L'='); equals != std::wstring_view::npos) {
        line.kind = ProfileLine::Kind::Key;
        line.name = TrimProfileBlanks(trimmed.substr(0, equals));
        line.value = TrimProfileBlanks(trimmed.substr(equals + 1));
    }
    return line;
}

} // namespace

std::wstring_view TrimProfileBlanks(std::wstring_view text)
{
    return TrimChars(text, kBlanks);
}

std::vector<ProfileLine> ParseProfileLines(std::wstring_view text)
{
    std::vector<ProfileLine> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", begin);
        std::size_t next = end;
        if (end == std::wstring_view::npos) {
            end = next = text.size();
        } else {
            next = end + 1;
            if (text[end] == L'\r' && next < text.size() && text[next] == L'\n')
                ++next;
        }
        lines.push_back(ClassifyLine(text, begin, end, next));
        begin = next;
    }
    return lines;
}

std::optional<ProfileSectionRange> FindProfileSection(const std::vector<ProfileLine>& lines, std::wstring_view section)
{
    const std::wstring_view wanted = TrimProfileBlanks(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != ProfileLine::Kind::Header || !EqualsIgnoreAsciiCase(lines[i].name, wanted))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != ProfileLine::Kind::Header)
            ++end;
        return ProfileSectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindProfileKey(const std::vector<ProfileLine>& lines, ProfileSectionRange range,
                                          std::wstring_view key)
{
    const std::wstring_view wanted = TrimProfileBlanks(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (lines[i].kind == ProfileLine::Kind::Key && EqualsIgnoreAsciiCase(lines[i].name, wanted))
            return i;
    return std::nullopt;
}

} // namespace memory
