#include "common/Text.h"

#include <gtest/gtest.h>

TEST(Text, FormatTextCutsAtTheCapacity)
{
    EXPECT_EQ(FormatText(255, L"##### %ls = %d\n", L"Key", 42), L"##### Key = 42\n");
    EXPECT_EQ(FormatText(5, L"%ls", L"abcdefgh"), L"abcde");
    const std::wstring longText(600, L'x');
    EXPECT_EQ(FormatText(255, L"%ls", longText.c_str()), std::wstring(255, L'x'));
}

TEST(Text, LeadingIntegerTakesSignAndDigitsOnly)
{
    struct Case {
        const wchar_t* text;
        int value;
    };
    for (const Case& c : {Case{L"15", 15}, Case{L"-3x", -3}, Case{L"+7", 7}, Case{L"abc", 0}, Case{L"", 0},
                          Case{L" 5", 0}, Case{L"99999999999", 2147483647}})
        EXPECT_EQ(LeadingInteger(c.text), c.value) << c.text;
}

TEST(Text, WholeIntegerRejectsTrailingText)
{
    int value = 9;
    EXPECT_TRUE(WholeInteger(L"-12", value));
    EXPECT_EQ(value, -12);
    for (const wchar_t* text : {L"12a", L"", L"-", L" 1"}) {
        value = 9;
        EXPECT_FALSE(WholeInteger(text, value)) << text;
        EXPECT_EQ(value, 9);
    }
}

TEST(Text, AsciiCaseRulesLeaveOtherCharactersAlone)
{
    EXPECT_EQ(ToUpperAscii(L"usb\\vid_4d2f\u00e9"), L"USB\\VID_4D2F\u00e9");
    EXPECT_TRUE(EqualsIgnoreAsciiCase(L"Skin", L"sKIN"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase(L"\u00e9", L"\u00c9"));
    EXPECT_EQ(TrimChars(L"  a b \r", L" \r"), L"a b");
    EXPECT_EQ(TrimChars(L"   ", L" "), L"");
}
