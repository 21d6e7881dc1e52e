#include "platform/memory/IniFileProfile.h"

#include "common/Text.h"
#include "platform/memory/ProfileFileText.h"
#include "platform/memory/ProfileLines.h"

namespace memory {

// One file's text and its lines, which point into the text: made once, on the heap, and never changed.
struct ParsedProfileFile {
    ports::FileStamp stamp;
    std::wstring text;
    std::vector<ProfileLine> lines;
};

namespace {

std::wstring CacheKey(const std::wstring& path)
{
    std::wstring key = ToLowerAscii(path);
    for (wchar_t& c : key)
        if (c == L'/')
            c = L'\\';
    return key;
}

constexpr std::wstring_view kLineBreak = L"\r\n";

// One pair of matching quotes around the whole value is not part of it.
std::wstring_view WithoutSurroundingQuotes(std::wstring_view value)
{
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::wstring_view WithoutTrailingSpaces(std::wstring_view text)
{
    const auto last = text.find_last_not_of(L' ');
    return last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
}

bool EndsWithLineBreak(const std::wstring& text)
{
    return !text.empty() && (text.back() == L'\n' || text.back() == L'\r');
}

} // namespace

IniFileProfile::IniFileProfile(ports::FileSystem& files, std::wstring windowsFolder)
    : files_(files), windowsFolder_(std::move(windowsFolder))
{
}

std::wstring IniFileProfile::ResolvePath(const std::wstring& file) const
{
    if (file.find_first_of(L"\\/") != std::wstring::npos || windowsFolder_.empty())
        return file;
    const bool hasSeparator = windowsFolder_.back() == L'\\' || windowsFolder_.back() == L'/';
    return windowsFolder_ + (hasSeparator ? L"" : L"\\") + file;
}

std::wstring IniFileProfile::GetString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                       const std::wstring& defaultValue, std::size_t capacity) const
{
    if (capacity == 0)
        return {};
    // Trailing spaces of the default are dropped, as the platform does.
    std::wstring_view result = WithoutTrailingSpaces(defaultValue);
    if (file.empty())
        return CutText(result, capacity - 1);
    const std::scoped_lock locked(lock_);
    const std::shared_ptr<const ParsedProfileFile> parsed = Parsed(ResolvePath(file));
    if (parsed) {
        const std::vector<ProfileLine>& lines = parsed->lines;
        if (const auto range = FindProfileSection(lines, section)) {
            if (const auto keyLine = FindProfileKey(lines, *range, key))
                result = WithoutSurroundingQuotes(lines[*keyLine].value);
        }
    }
    return CutText(result, capacity - 1);
}

std::shared_ptr<const ParsedProfileFile> IniFileProfile::Parsed(const std::wstring& path) const
{
    const std::wstring key = CacheKey(path);
    const std::optional<ports::FileStamp> stamp = files_.Stamp(path);
    if (const auto known = parsed_.find(key); known != parsed_.end()) {
        if (stamp && known->second->stamp == *stamp)
            return known->second;
        parsed_.erase(known);
    }
    // Should the file change between its stamp and its read, the older stamp kept makes the next read
    // look again. A file without a stamp is read all the same, and not kept.
    const ports::FileBytes bytes = files_.ReadAll(path);
    if (bytes.status != ports::ReadStatus::Ok)
        return nullptr;
    auto fresh = std::make_shared<ParsedProfileFile>();
    fresh->text = DecodeProfileText(bytes.bytes).text;
    fresh->lines = ParseProfileLines(fresh->text);
    if (stamp) {
        fresh->stamp = *stamp;
        parsed_[key] = fresh;
    }
    return fresh;
}

bool IniFileProfile::WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                 const std::wstring& value)
{
    if (file.empty())
        return false;
    const std::wstring path = ResolvePath(file);
    const std::scoped_lock locked(lock_);
    parsed_.erase(CacheKey(path));
    const ports::FileBytes bytes = files_.ReadAll(path);
    ProfileText content; // a file that does not exist yet starts empty, in ANSI
    if (bytes.status == ports::ReadStatus::Ok)
        content = DecodeProfileText(bytes.bytes);
    else if (bytes.status != ports::ReadStatus::CannotOpen)
        return false; // never replace a file that exists but could not be read

    std::wstring& text = content.text;
    const std::wstring entry = key + L"=" + value;
    const std::vector<ProfileLine> lines = ParseProfileLines(text);
    const auto range = FindProfileSection(lines, section);
    if (range) {
        if (const auto keyLine = FindProfileKey(lines, *range, key)) {
            // The key keeps its name as written in the file; only its line changes.
            const ProfileLine& line = lines[*keyLine];
            text.replace(line.begin, line.end - line.begin, std::wstring(line.name) + L"=" + value);
        } else {
            // After the section's last non-blank line, so that blank lines between sections stay put.
            std::size_t last = range->end - 1;
            while (last > range->header && lines[last].kind == ProfileLine::Kind::Blank)
                --last;
            const ProfileLine& line = lines[last];
            const bool hasBreak = line.next > line.end;
            text.insert(line.next, (hasBreak ? L"" : std::wstring(kLineBreak)) + entry + std::wstring(kLineBreak));
        }
    } else {
        if (!text.empty() && !EndsWithLineBreak(text))
            text += kLineBreak;
        text += L"[" + section + L"]" + std::wstring(kLineBreak) + entry + std::wstring(kLineBreak);
    }
    return files_.WriteAll(path, EncodeProfileText(text, content.encoding));
}

} // namespace memory
