#include "common/IniTextDecoding.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using REGINI_MGR::DecodeIniText;
using REGINI_MGR::DecodeIniUtf8;
using REGINI_MGR::DetectIniEncoding;
using REGINI_MGR::IniEncoding;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (const int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

} // namespace

TEST(IniTextDecoding, DetectsMarksLongestFirst)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        IniEncoding encoding;
        std::size_t markBytes;
    };
    const Case cases[] = {
        {Bytes({}), IniEncoding::Ansi, 0},
        {Bytes({0xFF}), IniEncoding::Ansi, 0},
        {Bytes({0xFF, 0xFE}), IniEncoding::Utf16LE, 2},
        {Bytes({0xFE, 0xFF, 0x00, 0x41}), IniEncoding::Utf16BE, 2},
        {Bytes({0xEF, 0xBB}), IniEncoding::Ansi, 0},
        {Bytes({0xEF, 0xBB, 0xBF}), IniEncoding::Utf8, 3},
        {Bytes({0xFF, 0xFE, 0x00}), IniEncoding::Utf16LE, 2},
        {Bytes({0xFF, 0xFE, 0x00, 0x00}), IniEncoding::Utf32LE, 4},
        {Bytes({0x00, 0x00, 0xFE, 0xFF}), IniEncoding::Utf32BE, 4},
        {Bytes({0x00, 0x00, 0xFE}), IniEncoding::Ansi, 0},
    };
    for (const Case& c : cases) {
        const auto detected = DetectIniEncoding(c.bytes);
        EXPECT_EQ(detected.encoding, c.encoding) << "bytes: " << c.bytes.size();
        EXPECT_EQ(detected.markBytes, c.markBytes) << "bytes: " << c.bytes.size();
    }
}

TEST(IniTextDecoding, Utf8SequencesOfOneToSixBytesUpToFFFF)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::optional<std::wstring> text;
    };
    const Case cases[] = {
        {Bytes({0x41, 0xC3, 0xA9}), L"A\u00E9"},
        {Bytes({0xC2, 0xBF}), L"\u00BF"},
        {Bytes({0xE2, 0x82, 0xAC}), L"\u20AC"},
        {Bytes({0xEF, 0xBF, 0xBF}), std::wstring(1, static_cast<wchar_t>(0xFFFF))},
        // Overlong forms are accepted, also of five and six bytes.
        {Bytes({0xC1, 0x81}), L"A"},
        {Bytes({0xF0, 0x80, 0x81, 0x81}), L"A"},
        {Bytes({0xF8, 0x80, 0x80, 0x81, 0x81}), L"A"},
        {Bytes({0xFC, 0x80, 0x80, 0x80, 0x81, 0x81}), L"A"},
        // Beyond U+FFFF: no surrogate pairs, the decoding fails.
        {Bytes({0xF0, 0x9F, 0x8E, 0xB5}), std::nullopt},
        {Bytes({0xF8, 0x88, 0x80, 0x80, 0x80}), std::nullopt},
        {Bytes({0xFD, 0xBF, 0xBF, 0xBF, 0xBF, 0xBF}), std::nullopt},
        // Bytes that cannot lead, bad continuations, sequences cut by the end of the data.
        {Bytes({0x80}), std::nullopt},
        {Bytes({0xBF}), std::nullopt},
        {Bytes({0xFE}), std::nullopt},
        {Bytes({0xFF}), std::nullopt},
        {Bytes({0xC3, 0x41}), std::nullopt},
        {Bytes({0xE2, 0x82}), std::nullopt},
        {Bytes({0x41, 0xC3}), std::nullopt},
        {Bytes({0xFC, 0x80, 0x80, 0x80, 0x80}), std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(DecodeIniUtf8(cases[i].bytes), cases[i].text) << "case " << i;
}

TEST(IniTextDecoding, TextEndsAtFirstZeroButWholeDataIsChecked)
{
    EXPECT_EQ(DecodeIniText(Bytes({'a', 0, 'b'}), IniEncoding::Ansi), L"a");
    EXPECT_EQ(DecodeIniText(Bytes({'a', 0xC0, 0x80, 'b'}), IniEncoding::Utf8), L"a") << "overlong zero ends the text";
    EXPECT_EQ(DecodeIniText(Bytes({'a', 0, 0xFF}), IniEncoding::Utf8), std::nullopt);
    EXPECT_EQ(DecodeIniText(Bytes({'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}), IniEncoding::Utf32LE), std::nullopt);
    EXPECT_EQ(DecodeIniText(Bytes({'a', 0, 0, 0, 0, 0, 'b', 0}), IniEncoding::Utf16LE), L"a");
}

TEST(IniTextDecoding, EachEncodingGivesTheSameUnits)
{
    const std::wstring expected = L"A\u00E9\u4E2D";
    EXPECT_EQ(DecodeIniText(Bytes({0x41, 0xC3, 0xA9, 0xE4, 0xB8, 0xAD}), IniEncoding::Utf8), expected);
    EXPECT_EQ(DecodeIniText(Bytes({0x41, 0, 0xE9, 0, 0x2D, 0x4E, 0x99}), IniEncoding::Utf16LE), expected)
        << "odd trailing byte ignored";
    EXPECT_EQ(DecodeIniText(Bytes({0, 0x41, 0, 0xE9, 0x4E, 0x2D}), IniEncoding::Utf16BE), expected);
    EXPECT_EQ(DecodeIniText(Bytes({0x41, 0, 0, 0, 0xE9, 0, 0, 0, 0x2D, 0x4E, 0, 0}), IniEncoding::Utf32LE), expected);
    EXPECT_EQ(DecodeIniText(Bytes({0, 0, 0, 0x41, 0, 0, 0, 0xE9, 0, 0, 0x4E, 0x2D}), IniEncoding::Utf32BE), expected);
    EXPECT_EQ(DecodeIniText(Bytes({0x41, 0, 0, 0, 0xE9}), IniEncoding::Utf32LE), std::nullopt) << "length";
    EXPECT_EQ(DecodeIniText(Bytes({0, 0, 0, 0x41, 0, 0}), IniEncoding::Utf32BE), std::nullopt) << "length";
    EXPECT_EQ(DecodeIniText(Bytes({0, 0, 1, 0}), IniEncoding::Utf32LE), std::nullopt) << "above U+FFFF";
    EXPECT_EQ(DecodeIniText(Bytes({0, 1, 0, 0}), IniEncoding::Utf32BE), std::nullopt) << "above U+FFFF";
    // No code page for 8-bit text: bytes 80-FF are sign-extended.
    EXPECT_EQ(DecodeIniText(Bytes({0x41, 0xE9, 0x80, 0x7F}), IniEncoding::Ansi),
              (std::wstring{L'A', static_cast<wchar_t>(0xFFE9), static_cast<wchar_t>(0xFF80), L'\x7F'}));
}
