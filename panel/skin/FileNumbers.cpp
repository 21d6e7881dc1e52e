#include "panel/skin/FileNumbers.h"

#include "common/Text.h"

#include <limits>

namespace panel {

namespace {

std::optional<std::int64_t> ParseDigits(std::wstring_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const wchar_t c : digits) {
        const int digit = base == 16 ? HexDigitValue(c) : (c >= L'0' && c <= L'9' ? c - L'0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int64_t> ParseFileNumber(std::wstring_view text)
{
    text = TrimChars(text, L" \t");
    if (!text.empty() && text.front() == L'$')
        return ParseDigits(text.substr(1), 16);
    const bool negative = !text.empty() && text.front() == L'-';
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+'))
        text.remove_prefix(1);
    const auto value = ParseDigits(text, 10);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<std::uint32_t> ParseColour(std::wstring_view text)
{
    const auto value = ParseFileNumber(text);
    if (!value || *value < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

} // namespace panel
