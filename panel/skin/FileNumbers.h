#pragma once
// Numbers as the skin and language files write them: decimal with an optional sign, or hexadecimal
// after a leading "$"; blanks around them are forgiven, anything else makes no number.

#include <cstdint>
#include <optional>
#include <string_view>

namespace panel {

std::optional<std::int64_t> ParseFileNumber(std::wstring_view text);

// A colour, 0x00BBGGRR: a number of the form above that is not negative.
std::optional<std::uint32_t> ParseColour(std::wstring_view text);

} // namespace panel
