#include "common/Text.h"

#include <cstdarg>
#include <cwchar>
#include <limits>
#include <vector>

std::wstring FormatText(std::size_t maxChars, const wchar_t* format, ...)
{
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    va_list args;
    va_start(args, format);
    const int written = std::vswprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    // vswprintf fails rather than cutting when the output does not fit; the buffer then holds the cut text
    // on some C libraries and nothing on others, so format again into a growing buffer and cut.
    if (written < 0) {
        std::vector<wchar_t> large(buffer.size());
        for (int attempt = 0; attempt < 16; ++attempt) {
            large.assign(large.size() * 2, L'\0');
            va_start(args, format);
            const int n = std::vswprintf(large.data(), large.size(), format, args);
            va_end(args);
            if (n >= 0)
                return CutText(std::wstring_view(large.data(), static_cast<std::size_t>(n)), maxChars);
        }
        return {};
    }
    return std::wstring(buffer.data(), static_cast<std::size_t>(written));
}

std::wstring CutText(std::wstring_view text, std::size_t maxChars)
{
    return std::wstring(text.substr(0, maxChars));
}

namespace {
wchar_t UpperAscii(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}
wchar_t LowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
} // namespace

std::wstring ToUpperAscii(std::wstring_view text)
{
    std::wstring result(text);
    for (wchar_t& c : result)
        c = UpperAscii(c);
    return result;
}

std::wstring ToLowerAscii(std::wstring_view text)
{
    std::wstring result(text);
    for (wchar_t& c : result)
        c = LowerAscii(c);
    return result;
}

bool EqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

std::wstring_view TrimChars(std::wstring_view text, std::wstring_view chars)
{
    const auto first = text.find_first_not_of(chars);
    if (first == std::wstring_view::npos)
        return {};
    const auto last = text.find_last_not_of(chars);
    return text.substr(first, last - first + 1);
}

namespace {
// Parses sign and digits from the start; `end` gets the index after the last digit (0 when none).
long long ParseLeading(std::wstring_view text, std::size_t& end)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    const std::size_t digitsStart = i;
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (value <= std::numeric_limits<int>::max())
            value = value * 10 + (text[i] - L'0');
    }
    end = (i == digitsStart) ? 0 : i;
    if (end == 0)
        return 0;
    if (value > std::numeric_limits<int>::max())
        value =
            negative ? -static_cast<long long>(std::numeric_limits<int>::max()) - 1 : std::numeric_limits<int>::max();
    else if (negative)
        value = -value;
    return value;
}
} // namespace

int LeadingInteger(std::wstring_view text)
{
    std::size_t end = 0;
    return static_cast<int>(ParseLeading(text, end));
}

bool WholeInteger(std::wstring_view text, int& value)
{
    std::size_t end = 0;
    const long long parsed = ParseLeading(text, end);
    if (end == 0 || end != text.size())
        return false;
    value = static_cast<int>(parsed);
    return true;
}

int HexDigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    return -1;
}
