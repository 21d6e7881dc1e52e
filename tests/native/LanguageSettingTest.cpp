#include "panel/language/LanguageKeys.h"
#include "panel/language/LanguageMenu.h"
#include "panel/language/LanguageSetting.h"
#include "panel/skin/FileNumbers.h"

#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

using panel::LabelRecord;

constexpr wchar_t kLanguagePath[] = L"C:\\Program Files\\Tonvio\\Language\\1366x768\\English\\Language.ini";
constexpr wchar_t kConfigPath[] = L"C:\\Program Files\\Tonvio\\AudioConfig.cfg";

template <typename T> panel::GivenValue<T> Given(T value)
{
    return {value, true};
}

class LanguageSettingTest : public ::testing::Test {
protected:
    panel::LanguageSetting Load(const std::string& ini, bool oldStyle = false)
    {
        rig.files.Put(kLanguagePath, ini);
        panel::LanguageSetting language;
        panel::LoadLanguage(rig.profile, kLanguagePath, oldStyle, language);
        return language;
    }

    memory::MemoryPlatform rig;
};

} // namespace

TEST(LanguageFile, PathJoinsFolderResolutionAndLanguage)
{
    EXPECT_EQ(panel::LanguageFilePath(L"C:\\App\\", L"Language", L"960x540\\", L"German"),
              L"C:\\App\\Language\\960x540\\German\\Language.ini");
    EXPECT_EQ(panel::LanguageFilePath(L"C:\\App\\", L"Language", L"", L"German"),
              L"C:\\App\\Language\\German\\Language.ini");
}

TEST(LanguageFile, NumbersAreDecimalOrDollarHex)
{
    EXPECT_EQ(panel::ParseFileNumber(L"255"), 255);
    EXPECT_EQ(panel::ParseFileNumber(L"$00FF00"), 0x00FF00);
    EXPECT_EQ(panel::ParseFileNumber(L"$c0ffee"), 0xC0FFEE);
    EXPECT_EQ(panel::ParseFileNumber(L"-12"), -12);
    EXPECT_EQ(panel::ParseFileNumber(L" 7 "), 7);
    for (const wchar_t* bad : {L"", L"$", L"0x10", L"12px", L"$xyz", L"-", L"99999999999"})
        EXPECT_FALSE(panel::ParseFileNumber(bad).has_value()) << std::wstring(bad).size();
}

TEST(LanguageFile, LabelItemsFillOnlyWhatTheyGive)
{
    LabelRecord save;
    save.text = L"Save";
    save.upColour = Given<std::uint32_t>(255);
    save.downColour = Given<std::uint32_t>(65280);
    save.page = 1;
    EXPECT_EQ(panel::ParseLabelValue(L"Save,255,65280", 1), save);

    LabelRecord full;
    full.text = L"Bass";
    full.upColour = Given<std::uint32_t>(0xA0A0A0);
    full.fontName = Given<std::wstring>(L"Segoe UI");
    full.fontSize = Given(9);
    full.left = Given(10);
    full.top = Given(20);
    full.width = Given(30);
    full.height = Given(40);
    full.page = 0;
    EXPECT_EQ(panel::ParseLabelValue(L"Bass,$A0A0A0,,Segoe UI,9,10,20,30,40,0,extra", 1), full);

    LabelRecord invalid;
    invalid.text = L"Odd";
    invalid.page = 3;
    EXPECT_EQ(panel::ParseLabelValue(L"Odd,red,,,big,1x,,,,p", 3), invalid);

    EXPECT_FALSE(panel::ParseLabelValue(L"(null)", 0).Visible());
    EXPECT_FALSE(panel::ParseLabelValue(L"", 0).Visible());
    EXPECT_TRUE(panel::ParseLabelValue(L"x", 0).Visible());

    const std::wstring longText(130, L't');
    const std::wstring longFont(70, L'f');
    const LabelRecord cut = panel::ParseLabelValue(longText + L",,," + longFont, 0);
    EXPECT_EQ(cut.text.size(), 127u);
    EXPECT_EQ(cut.fontName.value.size(), 63u);
}

TEST(LanguageKeyTable, EveryKeyIsReadOnce)
{
    std::set<std::wstring> seen;
    for (const panel::LanguageKey& key : panel::LanguageKeys())
        EXPECT_TRUE(seen.insert(key.key).second) << "twice: " << key.key;
}

TEST_F(LanguageSettingTest, GlobalFontAndLabelsWithTheirPages)
{
    const panel::LanguageSetting language = Load("[GlobalFont]\r\nColorUp=$C8C8C8\r\nColorDown=16777215\r\n"
                                                 "Font=Segoe UI\r\nFontSize=9\r\n"
                                                 "[Main]\r\nLabelMenu1=Save\r\nLabelWarning=Plug in the headset.\r\n"
                                                 "[EQ]\r\nLabelEQS1=Flat\r\n[VoiceMagic]\r\nVMEffect1Label=Robot\r\n");
    EXPECT_EQ(language.font, (panel::GlobalFont{0xC8C8C8, 0xFFFFFF, L"Segoe UI", 9}));
    EXPECT_EQ(language.Label(L"LabelMenu1").text, L"Save");
    EXPECT_EQ(language.Label(L"LabelMenu1").page, 0);
    EXPECT_EQ(language.Label(L"LabelWarning").text, L"Plug in the headset.");
    EXPECT_EQ(language.Label(L"LabelEQS1").page, 1);
    EXPECT_EQ(language.Label(L"VMEffect1Label").page, 8);
    EXPECT_FALSE(language.Label(L"LabelEQS2").Visible());
    EXPECT_EQ(language.labels.size(), panel::LanguageKeys().size());
}

TEST_F(LanguageSettingTest, GlobalFontDefaultsWhenMissingOrInvalid)
{
    const panel::LanguageSetting language = Load("[GlobalFont]\r\nColorUp=teal\r\nFontSize=\r\n");
    EXPECT_EQ(language.font, (panel::GlobalFont{0, 0, L"", -1}));
}

TEST_F(LanguageSettingTest, OldLayoutMovesOnlyPageLabels)
{
    const std::string ini = "[Main]\r\nLabelMenu1=Save,,,,,10,20\r\n[EQ]\r\nLabelEQEnable=Enable,,,,,10,20\r\n"
                            "LabelEQReset=Reset\r\n";
    const panel::LanguageSetting old = Load(ini, true);
    EXPECT_EQ(old.Label(L"LabelEQEnable").left, Given(206));
    EXPECT_EQ(old.Label(L"LabelEQEnable").top, Given(72));
    EXPECT_EQ(old.Label(L"LabelMenu1").left, Given(10));
    EXPECT_EQ(old.Label(L"LabelMenu1").top, Given(20));
    EXPECT_FALSE(old.Label(L"LabelEQReset").left.given);
}

TEST_F(LanguageSettingTest, OldLayoutOffsetsStopAtTheLimitsOfAnInt)
{
    // Found by fuzzing: the offsets overflowed for positions near the limits.
    const panel::LanguageSetting old = Load(
        "[EQ]\r\nLabelEQEnable=Enable,,,,,2147483647,2147483600\r\nLabelEQReset=Reset,,,,,-2147483648,0\r\n", true);
    EXPECT_EQ(old.Label(L"LabelEQEnable").left, Given(std::numeric_limits<int>::max()));
    EXPECT_EQ(old.Label(L"LabelEQEnable").top, Given(std::numeric_limits<int>::max()));
    EXPECT_EQ(old.Label(L"LabelEQReset").left, Given(std::numeric_limits<int>::min() + 196));
}

TEST_F(LanguageSettingTest, MenuCaptionsFallBackOneByOne)
{
    const panel::LanguageSetting language = Load("[Main]\r\nLabelPlugin=Erweiterungen\r\n");
    EXPECT_EQ(language.TextOr(L"LabelPlugin", L"Plugin"), L"Erweiterungen");
    EXPECT_EQ(language.TextOr(L"LabelLanguage", L"Language"), L"Language");
}

TEST_F(LanguageSettingTest, ReloadFromMissingFileClearsEveryLabel)
{
    panel::LanguageSetting language = Load("[GlobalFont]\r\nFontSize=9\r\n[Main]\r\nLabelMenu1=Save\r\n");
    panel::LoadLanguage(rig.profile, L"C:\\nowhere\\Language.ini", false, language);
    EXPECT_EQ(language.font, panel::GlobalFont{});
    for (const auto& label : language.labels)
        EXPECT_FALSE(label.record.Visible()) << label.record.text.size();
}

TEST_F(LanguageSettingTest, MenuListsSortedFoldersUnderTheirDisplayNames)
{
    rig.files.Put(kConfigPath, "[MultiLanguageFolderMap]\r\nEnglish=English\r\nGerman=Deutsch\r\n"
                               "Portuguese_Braz=Portugues (Brasil) - edicao longa demais\r\nOldEnglish=English\r\n");
    const panel::LanguageMenu menu = panel::BuildLanguageMenu(
        rig.profile, kConfigPath, {L"German", L"Portuguese_Brazil", L"english", L"Klingon", L"OldEnglish"}, L"German");

    EXPECT_EQ(menu.folders,
              (std::vector<std::wstring>{L"english", L"German", L"Klingon", L"OldEnglish", L"Portuguese_Braz"}));
    const std::vector<panel::LanguageMenuItem> expected = {
        {L"English", false}, {L"Deutsch", true},
        {L"", false}, // no display name
        {L"English", false}, {L"Portugues (Brasil) - edicao lon", false},
    };
    EXPECT_EQ(menu.items, expected);
    // Two folders under one display name: either item leads to the first.
    EXPECT_EQ(panel::LanguageForItem(menu, 3), L"english");
    EXPECT_EQ(panel::LanguageForItem(menu, 1), L"German");
    EXPECT_FALSE(panel::LanguageForItem(menu, 5).has_value());
}

TEST_F(LanguageSettingTest, MenuChecksTheFirstItemWhenTheCurrentLanguageIsUnknown)
{
    rig.files.Put(kConfigPath, "[MultiLanguageFolderMap]\r\nEnglish=English\r\nGerman=Deutsch\r\n");
    const panel::LanguageMenu menu = panel::BuildLanguageMenu(rig.profile, kConfigPath, {L"German", L"English"}, L"");
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_TRUE(menu.items[0].checked);
    EXPECT_FALSE(menu.items[1].checked);

    EXPECT_TRUE(panel::BuildLanguageMenu(rig.profile, kConfigPath, {}, L"English").items.empty());
}
