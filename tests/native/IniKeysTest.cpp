#include "common/IniKeys.h"

#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::wstring kFile = L"C:\\Tonvio\\AudioConfig.cfg";

class IniKeysTest : public ::testing::Test {
protected:
    IniKeysTest()
    {
        files.Put(kFile, "[Start]\r\nLanguage=English\r\nEmpty=\r\nLong=" + std::string(2000, 'x') + "\r\n");
    }

    memory::MemoryFileSystem files;
    memory::IniFileProfile profile{files, L"C:\\Windows"};
};

} // namespace

TEST_F(IniKeysTest, ReadIniKeyKeepsThePriorValueUnlessTheKeyHasOne)
{
    std::wstring out = L"prior";
    EXPECT_EQ(ReadIniKey(profile, kFile, L"Start", L"Language", out), 0);
    EXPECT_EQ(out, L"English");

    const struct {
        std::wstring file, section, key;
    } missing[] = {
        {kFile, L"Start", L"Empty"},
        {kFile, L"Start", L"NoSuchKey"},
        {kFile, L"NoSuchSection", L"Language"},
        {L"C:\\missing.cfg", L"Start", L"Language"},
    };
    for (const auto& m : missing) {
        out = L"prior";
        EXPECT_EQ(ReadIniKey(profile, m.file, m.section, m.key, out), 1);
        EXPECT_EQ(out, L"prior");
    }

    EXPECT_EQ(ReadIniKey(profile, kFile, L"Start", L"Long", out), 0);
    EXPECT_EQ(out, std::wstring(1023, L'x'));
}

TEST_F(IniKeysTest, GetIniKeyCutsToTheBufferAndEmptiesWhenMissing)
{
    std::wstring out = L"prior";
    EXPECT_EQ(GetIniKey(profile, kFile, L"Start", L"Long", out, 32), 0);
    EXPECT_EQ(out, std::wstring(31, L'x'));
    EXPECT_EQ(GetIniKey(profile, kFile, L"Start", L"Long", out, kGetIniKeyMaxCapacity), 0);
    EXPECT_EQ(out, std::wstring(255, L'x'));
    EXPECT_EQ(GetIniKey(profile, kFile, L"Start", L"Language", out, 8), 0);
    EXPECT_EQ(out, L"English") << "7 characters fit 8";
    EXPECT_EQ(GetIniKey(profile, kFile, L"Start", L"Language", out, 7), 0);
    EXPECT_EQ(out, L"Englis");
    EXPECT_EQ(GetIniKey(profile, kFile, L"Start", L"NoSuchKey", out, 128), 0);
    EXPECT_EQ(out, L"") << "the default is the empty string";
}

TEST_F(IniKeysTest, SaveIniKeyReportsRefusedWrites)
{
    EXPECT_EQ(SaveIniKey(profile, kFile, L"Start", L"Skin", L"Blue"), 0);
    std::wstring out;
    EXPECT_EQ(ReadIniKey(profile, kFile, L"Start", L"Skin", out), 0);
    EXPECT_EQ(out, L"Blue");

    files.FailWrites(kFile);
    EXPECT_EQ(SaveIniKey(profile, kFile, L"Start", L"Skin", L"Red"), 1);
    EXPECT_EQ(SaveIniKey(profile, L"C:\\NoFolder\\x.ini", L"S", L"K", L"V"), 1);
}

TEST(SplitIniList, SplitsAtEveryCommaWithQuotedItems)
{
    const std::wstring item128(128, L'i');
    const struct {
        std::wstring text;
        std::size_t count;
        std::vector<std::wstring> items;
    } cases[] = {
        {L"", 0, {}},
        {L"a", 1, {L"a"}},
        {L"a,,b", 3, {L"a", L"", L"b"}},
        {L"a,", 2, {L"a", L""}},
        {L",", 2, {L"", L""}},
        {L" 1, 2", 2, {L" 1", L" 2"}},
        {L"\"x,y\",z", 2, {L"x,y", L"z"}},
        {L"\"say \"\"hi\"\"\",\"\"", 2, {L"say \"hi\"", L""}},
        {L" \"q\",r", 2, {L" \"q\"", L"r"}},
        {L"\"open,end", 1, {L"open,end"}},
        {L"\"a\"b,c", 2, {L"ab", L"c"}},
        {item128 + L",x", 2, {std::wstring(127, L'i'), L"x"}},
    };
    for (const auto& c : cases) {
        std::array<std::wstring, 4> slots;
        slots.fill(L"unused");
        EXPECT_EQ(SplitIniList(c.text, slots), c.count) << "text: " << testing::PrintToString(c.text);
        for (std::size_t i = 0; i < slots.size(); ++i)
            EXPECT_EQ(slots[i], i < c.items.size() ? c.items[i] : L"unused")
                << "text: " << testing::PrintToString(c.text) << ", slot " << i;
    }
}

TEST(SplitIniList, CountsItemsBeyondTheSlots)
{
    std::array<std::wstring, 3> slots{L"unused", L"unused", L"unused"};
    EXPECT_EQ(SplitIniList(L"a,b,c,d", std::span(slots).first(2)), 4u);
    EXPECT_EQ(slots, (std::array<std::wstring, 3>{L"a", L"b", L"unused"}));
    EXPECT_EQ(SplitIniList(L"a,b", {}), 2u);
}
