#pragma once
// Turning the bytes of an INI file into UTF-16 text: the byte-order marks the section reader knows and
// its decoders. Every decoded code unit fits 16 bits, also where wchar_t is wider.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace REGINI_MGR {

// Codes as stored by the section reader.
enum class IniEncoding : int { Ansi = 0, Utf8 = 1, Utf16LE = 2, Utf16BE = 3, Utf32LE = 4, Utf32BE = 5 };

struct DetectedEncoding {
    IniEncoding encoding = IniEncoding::Ansi;
    std::size_t markBytes = 0; // bytes of the mark, skipped before decoding
};

// The encoding a file's leading bytes select; longer marks are tried first, so FF FE 00 00 is UTF-32.
DetectedEncoding DetectIniEncoding(std::span<const std::uint8_t> bytes);

// UTF-8 as the section reader accepts it: sequences of up to six bytes, overlong forms allowed, every
// code point at most U+FFFF. Nothing when any sequence is malformed or truncated or a code point is larger.
std::optional<std::wstring> DecodeIniUtf8(std::span<const std::uint8_t> bytes);

// The bytes after the mark decoded in `encoding`, cut at the first zero code unit. Nothing when they
// cannot be decoded (UTF-8 errors, a UTF-32 length that is no multiple of 4, a unit above U+FFFF).
// Throws std::bad_alloc when there is no memory for the text.
std::optional<std::wstring> DecodeIniText(std::span<const std::uint8_t> bytes, IniEncoding encoding);

} // namespace REGINI_MGR
