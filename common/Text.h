#pragma once
// Small text helpers shared by both programs. Strings are UTF-16 on Windows; on other platforms
// wchar_t holds the same code units.

#include <cstddef>
#include <string>
#include <string_view>

// printf-style formatting into at most `maxChars` characters (longer output is cut).
// Use %ls for wide strings: it means the same on every C library.
std::wstring FormatText(std::size_t maxChars, const wchar_t* format, ...);

// The first `maxChars` characters of `text`.
std::wstring CutText(std::wstring_view text, std::size_t maxChars);

// ASCII letters upper- or lower-cased; every other character kept.
std::wstring ToUpperAscii(std::wstring_view text);
std::wstring ToLowerAscii(std::wstring_view text);

// Case-insensitive comparison of ASCII letters, code unit by code unit otherwise.
bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b);

// `text` without the given characters at either end.
std::wstring_view TrimChars(std::wstring_view text, std::wstring_view chars);

// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(wchar_t c);

// The leading-integer rule of the configuration files: optional sign, then digits; no digits gives 0.
int LeadingInteger(std::wstring_view text);

// True when the whole text is an integer (optional sign, at least one digit); `value` gets it.
bool WholeInteger(std::wstring_view text, int& value);
