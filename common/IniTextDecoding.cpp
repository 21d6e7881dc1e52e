#include "common/IniTextDecoding.h"

namespace REGINI_MGR {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark)
{
    if (bytes.size() < mark.size())
        return false;
    std::size_t i = 0;
    for (const std::uint8_t b : mark)
        if (bytes[i++] != b)
            return false;
    return true;
}

wchar_t Unit(std::uint32_t value)
{
    return static_cast<wchar_t>(value);
}

// Code 0: no code page; bytes 80-FF are taken as signed and become U+FF80-U+FFFF.
std::wstring DecodeEightBit(std::span<const std::uint8_t> bytes)
{
    std::wstring text(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = Unit(static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<std::int8_t>(bytes[i]))));
    return text;
}

// `highFirst` reads big-endian pairs, which is the same as swapping every pair and reading little-endian.
std::wstring DecodeUtf16(std::span<const std::uint8_t> bytes, bool highFirst)
{
    std::wstring text(bytes.size() / 2, L'\0'); // a trailing odd byte is ignored
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint8_t first = bytes[2 * i];
        const std::uint8_t second = bytes[2 * i + 1];
        text[i] = highFirst ? Unit(static_cast<std::uint32_t>(first) << 8 | second)
                            : Unit(static_cast<std::uint32_t>(second) << 8 | first);
    }
    return text;
}

std::optional<std::wstring> DecodeUtf32(std::span<const std::uint8_t> bytes, bool highFirst)
{
    if (bytes.size() % 4 != 0)
        return std::nullopt;
    std::wstring text(bytes.size() / 4, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::uint32_t byte = bytes[4 * i + (highFirst ? k : 3 - k)];
            value = value << 8 | byte;
        }
        if (value > 0xFFFF)
            return std::nullopt;
        text[i] = Unit(value);
    }
    return text;
}

// Sequence length from the lead byte; 0 for a byte that cannot lead.
std::size_t SequenceLength(std::uint8_t lead)
{
    if (lead <= 0x7F)
        return 1;
    if (lead >= 0xC0 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xF8 && lead <= 0xFB)
        return 5;
    if (lead >= 0xFC && lead <= 0xFD)
        return 6;
    return 0;
}

} // namespace

DetectedEncoding DetectIniEncoding(std::span<const std::uint8_t> bytes)
{
    if (StartsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}))
        return {IniEncoding::Utf32LE, 4};
    if (StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return {IniEncoding::Utf32BE, 4};
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return {IniEncoding::Utf8, 3};
    if (StartsWith(bytes, {0xFF, 0xFE}))
        return {IniEncoding::Utf16LE, 2};
    if (StartsWith(bytes, {0xFE, 0xFF}))
        return {IniEncoding::Utf16BE, 2};
    return {IniEncoding::Ansi, 0};
}

std::optional<std::wstring> DecodeIniUtf8(std::span<const std::uint8_t> bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::uint8_t lead = bytes[pos];
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || length > bytes.size() - pos)
            return std::nullopt;
        // Payload bits of the lead: 7 for one byte, then 5, 4, 3, 2, 1.
        const std::uint32_t leadMask = length == 1 ? 0x7Fu : (0x7Fu >> length);
        std::uint32_t codePoint = lead & leadMask;
        for (std::size_t k = 1; k < length; ++k) {
            const std::uint8_t next = bytes[pos + k];
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            codePoint = codePoint << 6 | (next & 0x3Fu);
        }
        // Nothing outside the Basic Multilingual Plane: no surrogate pairs are formed.
        if (codePoint > 0xFFFF)
            return std::nullopt;
        text.push_back(Unit(codePoint));
        pos += length;
    }
    return text;
}

std::optional<std::wstring> DecodeIniText(std::span<const std::uint8_t> bytes, IniEncoding encoding)
{
    std::optional<std::wstring> text;
    switch (encoding) {
    case IniEncoding::Ansi:
        text = DecodeEightBit(bytes);
        break;
    case IniEncoding::Utf8:
        text = DecodeIniUtf8(bytes);
        break;
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE:
        text = DecodeUtf16(bytes, encoding == IniEncoding::Utf16BE);
        break;
    case IniEncoding::Utf32LE:
    case IniEncoding::Utf32BE:
        text = DecodeUtf32(bytes, encoding == IniEncoding::Utf32BE);
        break;
    }
    // The whole data is checked first; the text itself stops at its first zero.
    if (text) {
        const auto zero = text->find(L'\0');
        if (zero != std::wstring::npos)
            text->resize(zero);
    }
    return text;
}

} // namespace REGINI_MGR
