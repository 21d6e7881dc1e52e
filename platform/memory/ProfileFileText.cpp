#include "platform/memory/ProfileFileText.h"

#include <array>

namespace memory {

namespace {

constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::wstring& text, char32_t codePoint)
{
    if (codePoint <= 0xFFFF) {
        text.push_back(static_cast<wchar_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    text.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
    text.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
}

std::wstring DecodeUtf8(std::span<const std::uint8_t> bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::uint8_t lead = bytes[pos];
        std::size_t length = 0;
        char32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07u;
        }
        bool valid = length != 0 && length <= bytes.size() - pos;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (bytes[pos + k] & 0xC0) == 0x80;
            codePoint = codePoint << 6 | (bytes[pos + k] & 0x3Fu);
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed.
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid &&
            (codePoint < kSmallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)))
            valid = false;
        if (!valid) {
            text.push_back(static_cast<wchar_t>(kReplacement));
            ++pos; // resynchronise on the next byte
            continue;
        }
        AppendUtf16(text, codePoint);
        pos += length;
    }
    return text;
}

void AppendUtf8(std::vector<std::uint8_t>& bytes, char32_t codePoint)
{
    const auto byte = [&bytes](char32_t value) { bytes.push_back(static_cast<std::uint8_t>(value)); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | codePoint >> 6);
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | codePoint >> 12);
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | codePoint >> 18);
        byte(0x80 | (codePoint >> 12 & 0x3F));
        byte(0x80 | (codePoint >> 6 & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

// The code point at `i` (a surrogate pair counts once); `i` moves past it. A lone surrogate is U+FFFD.
char32_t NextCodePoint(const std::wstring& text, std::size_t& i)
{
    const char32_t unit = static_cast<char32_t>(text[i++]) & 0xFFFF;
    if (unit >= 0xD800 && unit <= 0xDBFF && i < text.size()) {
        const char32_t low = static_cast<char32_t>(text[i]) & 0xFFFF;
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : unit;
}

std::uint8_t UnicodeToCp1252(char32_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<std::uint8_t>(unit);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == unit)
            return static_cast<std::uint8_t>(0x80 + i);
    return '?';
}

} // namespace

wchar_t Cp1252ToUnicode(std::uint8_t byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? static_cast<wchar_t>(kCp1252High[byte - 0x80]) : static_cast<wchar_t>(byte);
}

ProfileText DecodeProfileText(std::span<const std::uint8_t> bytes)
{
    ProfileText result;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        result.encoding = ProfileEncoding::Utf16LE;
        result.text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            result.text.push_back(static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8));
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        result.encoding = ProfileEncoding::Utf8;
        result.text = DecodeUtf8(bytes.subspan(3));
    } else {
        result.text.reserve(bytes.size());
        for (const std::uint8_t byte : bytes)
            result.text.push_back(Cp1252ToUnicode(byte));
    }
    return result;
}

std::vector<std::uint8_t> EncodeProfileText(const std::wstring& text, ProfileEncoding encoding)
{
    std::vector<std::uint8_t> bytes;
    switch (encoding) {
    case ProfileEncoding::Ansi:
        bytes.reserve(text.size());
        for (std::size_t i = 0; i < text.size();)
            bytes.push_back(UnicodeToCp1252(NextCodePoint(text, i)));
        break;
    case ProfileEncoding::Utf8:
        bytes = {0xEF, 0xBB, 0xBF};
        for (std::size_t i = 0; i < text.size();)
            AppendUtf8(bytes, NextCodePoint(text, i));
        break;
    case ProfileEncoding::Utf16LE:
        bytes = {0xFF, 0xFE};
        for (const wchar_t c : text) {
            const auto unit = static_cast<std::uint16_t>(c);
            bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        break;
    }
    return bytes;
}

} // namespace memory
