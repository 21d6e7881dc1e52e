// Byte-level results of the portable INI store; the reading rules it shares with the platform's
// functions are in tests/shared/PrivateProfileTableTest.cpp.
#include "platform/memory/IniFileProfile.h"

#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ProfileFileText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const std::wstring kFile = L"C:\\Data\\profile.ini";

class IniFileProfileTest : public ::testing::Test {
protected:
    IniFileProfileTest() { files.CreateFolder(L"C:\\Data"); }

    std::string WriteInto(std::string_view before, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value)
    {
        files.Put(kFile, before);
        EXPECT_TRUE(profile.WriteString(kFile, section, key, value));
        return files.Get(kFile);
    }

    memory::MemoryFileSystem files;
    memory::IniFileProfile profile{files, L"C:\\Windows"};
};

std::string Utf16(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

} // namespace

TEST_F(IniFileProfileTest, ReplacingAValueChangesOnlyItsLine)
{
    EXPECT_EQ(WriteInto("; head\r\n[A]\r\n  Key = old  \r\nother = x\n\n[B]\rKey=b\r\n", L"a", L"KEY", L"new"),
              "; head\r\n[A]\r\nKey=new\r\nother = x\n\n[B]\rKey=b\r\n");
    EXPECT_EQ(WriteInto("[A]\r\nK=1", L"A", L"K", L"2"), "[A]\r\nK=2") << "no line break added";
}

TEST_F(IniFileProfileTest, NewKeysGoAfterTheLastLineOfTheirSection)
{
    EXPECT_EQ(WriteInto("[A]\r\nx=1\r\n\r\n[B]\r\ny=2", L"A", L"z", L"3"), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2");
    EXPECT_EQ(WriteInto("[A]\r\nx=1\r\n\r\n[B]\r\ny=2", L"B", L"w", L"4"), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
    EXPECT_EQ(WriteInto("[A]\n;only a comment\n", L"A", L"k", L"v"), "[A]\n;only a comment\nk=v\r\n");
}

TEST_F(IniFileProfileTest, NewSectionsGoAtTheEndOfTheFile)
{
    EXPECT_EQ(WriteInto("[A]\r\nx=1", L"N", L"k", L"v"), "[A]\r\nx=1\r\n[N]\r\nk=v\r\n");
    EXPECT_EQ(WriteInto("[A]\r\nx=1\r\n", L"N", L"k", L"v"), "[A]\r\nx=1\r\n[N]\r\nk=v\r\n");
    EXPECT_EQ(WriteInto("", L"N", L"k", L"v"), "[N]\r\nk=v\r\n");
}

TEST_F(IniFileProfileTest, NewFilesAreWindows1252AndExistingFilesKeepTheirEncoding)
{
    ASSERT_TRUE(profile.WriteString(kFile, L"S", L"K", L"caf\u00E9 \u20AC \u4E2D \U0001F3B5"));
    EXPECT_EQ(files.Get(kFile), "[S]\r\nK=caf\xE9 \x80 ? ?\r\n");

    EXPECT_EQ(WriteInto(Utf16(u"[S]\r\nK=1\r\n"), L"S", L"L", L"\u4E2D"), Utf16(u"[S]\r\nK=1\r\nL=\u4E2D\r\n"));
    EXPECT_EQ(WriteInto("\xEF\xBB\xBF[S]\r\nK=\xC3\xA9\r\n", L"S", L"K", L"\u4E2D"),
              "\xEF\xBB\xBF[S]\r\nK=\xE4\xB8\xAD\r\n");
}

TEST_F(IniFileProfileTest, WritesFailWithoutTouchingWhatCannotBeRead)
{
    EXPECT_FALSE(profile.WriteString(L"C:\\NoFolder\\new.ini", L"S", L"K", L"V"));
    EXPECT_FALSE(profile.WriteString(L"", L"S", L"K", L"V"));

    files.Put(kFile, "[S]\r\nK=1\r\n");
    files.FailReads(kFile, ports::ReadStatus::ReadFailed);
    EXPECT_FALSE(profile.WriteString(kFile, L"S", L"K", L"2"));
    files.FailReads(kFile, ports::ReadStatus::Ok);
    EXPECT_EQ(files.Get(kFile), "[S]\r\nK=1\r\n");

    files.FailWrites(kFile);
    EXPECT_FALSE(profile.WriteString(kFile, L"S", L"K", L"2"));
}

TEST_F(IniFileProfileTest, ReadsWindows1252WithItsFullTable)
{
    const std::u16string expected =
        u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
        u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    std::string file = "[S]\r\nK=";
    for (int b = 0x80; b <= 0x9F; ++b)
        file.push_back(static_cast<char>(b));
    file += "\xA0\xE9\xFF";
    files.Put(kFile, file);
    const std::wstring value = profile.GetString(kFile, L"S", L"K", L"", 256);
    ASSERT_EQ(value.size(), expected.size() + 3);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(static_cast<char16_t>(value[i]), expected[i]) << "byte 0x" << std::hex << (0x80 + i);
    EXPECT_EQ(value.substr(expected.size()), L"\u00A0\u00E9\u00FF");

    // And back: a file rewritten in ANSI keeps every byte.
    ASSERT_TRUE(profile.WriteString(kFile, L"S", L"Other", L"1"));
    EXPECT_EQ(files.Get(kFile), file + "\r\nOther=1\r\n");
}

TEST_F(IniFileProfileTest, MalformedUtf8ReadsAsReplacementCharacters)
{
    files.Put(kFile, "\xEF\xBB\xBF[S]\r\nK=a\xC3(\xED\xA0\x80\xF0\x9F\x8E\xB5\r\n");
    EXPECT_EQ(profile.GetString(kFile, L"S", L"K", L"", 64),
              std::wstring(L"a\uFFFD(\uFFFD\uFFFD\uFFFD") + wchar_t(0xD83C) + wchar_t(0xDFB5));
}
