#pragma once
// The line structure of a Windows initialization file: sections, keys, comments, and where each line
// lies in the text, so that a write can change one line and keep all others as they were.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace memory {

struct ProfileLine {
    enum class Kind { Blank, Comment, Header, Key, Other };

    Kind kind = Kind::Other;
    std::size_t begin = 0;   // first character of the line
    std::size_t end = 0;     // end of its text, before the line break
    std::size_t next = 0;    // first character after the line break
    std::wstring_view name;  // Header: the section name; Key: the key name (both without surrounding blanks)
    std::wstring_view value; // Key: the value without surrounding blanks, quotes kept
};

// Splits `text` (which must outlive the result) at CR LF, LF or CR.
std::vector<ProfileLine> ParseProfileLines(std::wstring_view text);

// The section that starts at the header line returned, and the index one past its last line.
struct ProfileSectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

// The first section called `section` (ASCII case ignored, surrounding blanks ignored).
std::optional<ProfileSectionRange> FindProfileSection(const std::vector<ProfileLine>& lines, std::wstring_view section);

// The index of the first key line called `key` inside `range`.
std::optional<std::size_t> FindProfileKey(const std::vector<ProfileLine>& lines, ProfileSectionRange range,
                                          std::wstring_view key);

// Blanks as the format trims them around names and values.
std::wstring_view TrimProfileBlanks(std::wstring_view text);

} // namespace memory
