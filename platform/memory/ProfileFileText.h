#pragma once
// The text encodings of Windows initialization files: UTF-16LE and UTF-8 with their byte-order marks,
// and the ANSI code page (Windows-1252) for files without a mark. Text is held as UTF-16 code units.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace memory {

enum class ProfileEncoding { Ansi, Utf8, Utf16LE };

struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::Ansi;
    std::wstring text;
};

// Malformed UTF-8 becomes U+FFFD; characters beyond U+FFFF become surrogate pairs.
ProfileText DecodeProfileText(std::span<const std::uint8_t> bytes);

// The file's bytes, with the mark of its encoding. In ANSI a character outside Windows-1252 becomes "?".
std::vector<std::uint8_t> EncodeProfileText(const std::wstring& text, ProfileEncoding encoding);

// Windows-1252 as Windows maps it; the five unassigned bytes (81, 8D, 8F, 90, 9D) keep their value.
wchar_t Cp1252ToUnicode(std::uint8_t byte);

} // namespace memory
