#pragma once
// The key layer: one value of an INI file at a time, through the platform's private-profile functions.

#include "common/ports/PrivateProfile.h"

#include <cstddef>
#include <span>
#include <string>

// Room for a value read by ReadIniKey; a longer value is cut.
inline constexpr std::size_t kReadIniKeyCapacity = 1024;
// Largest capacity any caller of GetIniKey passes.
inline constexpr std::size_t kGetIniKeyMaxCapacity = 256;
// Each item of SplitIniList holds at most this many characters.
inline constexpr std::size_t kIniListItemChars = 127;

// 0 and `out` = the value when it is non-empty; 1 and `out` untouched when the key is missing or empty.
int ReadIniKey(const ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, std::wstring& out);

// Always 0; `out` = the value cut to capacity - 1 characters, the empty string when missing.
int GetIniKey(const ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
              const std::wstring& key, std::wstring& out, std::size_t capacity);

// 0 when written, 1 when the platform refused (the control panel ignores the result).
int SaveIniKey(ports::PrivateProfile& profile, const std::wstring& file, const std::wstring& section,
               const std::wstring& key, const std::wstring& value);

// Splits a comma-separated value into `slots`; returns the number of items in the text, which may be
// more than the slots filled. Every comma separates and spaces belong to the items; a trailing comma
// gives a final empty item. An item that begins with a double quote runs to its closing quote (commas
// inside belong to it, "" stands for one quote) and keeps what follows up to the next comma. Each slot
// gets at most kIniListItemChars characters.
std::size_t SplitIniList(const std::wstring& text, std::span<std::wstring> slots);
