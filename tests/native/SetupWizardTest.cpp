#include "common/ResolutionFolder.h"
#include "setup/Background.h"
#include "setup/LabelRecords.h"
#include "setup/PerUserFiles.h"
#include "setup/Wizard.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

namespace {

using setup::ControlState;
using Value = memory::MemoryRegistry::Value;

// Writes a language's [Setup] section.
void Language(setuptest::SetupRig& rig, const std::wstring& folder, const std::string& body)
{
    rig.Kit(L"Language\\" + folder + L"\\Language.ini", "[Setup]\r\n" + body);
}

class SetupWizardTest : public ::testing::Test {
protected:
    SetupWizardTest()
    {
        rig.Kit(L"AudioConfig.cfg", std::string(setuptest::kKitConfig) +
                                        "[MultiLanguageFolderMap]\r\nEnglish=English\r\nGerman=Deutsch\r\n"
                                        "[DefaultSet]\r\nEncEnable=1\r\n");
        Language(rig, L"English", "LabelNextBtn=Next >\r\nLabelTitle=Acme Setup\r\nLabelSelectLang=Language:\r\n");
        Language(rig, L"German",
                 "LabelNextBtn=Weiter >\r\nLabelTitle=Acme Installation\r\n"
                 "LabelSelectLang=Sprache:,,,,14\r\n");
        Language(rig, L"French", "LabelNextBtn=Suivant >\r\n"); // no display name: not offered
        rig.os.files.CreateFolder(L"C:\\Setup\\Language\\1366x768\\English");
        rig.os.versions.PutVersion(setuptest::kSetupProgram, 1, 2, 3, 4);
    }

    setup::CWizard& Shown()
    {
        wizard.Construct();
        result = wizard.FormShow();
        return wizard;
    }

    const ControlState& Control(setup::WizardControl control) const { return wizard.State().controls[control]; }

    setuptest::SetupRig rig;
    setup::CWizard wizard{rig.os.Ports(), rig.installFiles, rig.window, setuptest::kSetupProgram};
    setup::ShowResult result = setup::ShowResult::Quit;
};

TEST_F(SetupWizardTest, ShowingPublishesTheGroupsAndDefaultsAndListsTheMappedLanguages)
{
    Shown();
    ASSERT_EQ(result, setup::ShowResult::Shown);
    constexpr auto lm = ports::RegistryRoot::LocalMachine;
    constexpr auto v32 = ports::RegistryView::Bits32;
    EXPECT_EQ(rig.os.registry.Get(lm, v32, L"SOFTWARE\\KVQ USB DeviceId Group", L"1"),
              Value(L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00"));
    EXPECT_EQ(rig.os.registry.Get(lm, v32, L"SOFTWARE\\KVQ HID DeviceId Group", L"1"),
              Value(L"HID\\VID_4D2F&PID_48XX&REV_0100&MI_03"));
    EXPECT_EQ(rig.os.registry.Get(lm, v32, L"SOFTWARE\\KVQ 48xx Software", L"EncEnable"), Value(1u));
    EXPECT_TRUE(rig.os.files.FileExists(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg"));

    const setup::WizardState& state = wizard.State();
    EXPECT_EQ(state.page, setup::LanguagePage);
    EXPECT_EQ(state.comboItems, (std::vector<std::wstring>{L"English", L"Deutsch"}));
    EXPECT_EQ(state.originalItems, (std::vector<std::wstring>{L"English", L"German"}));
    // The per-user copy names no language: the first is selected, yet the texts are those of no language.
    EXPECT_EQ(state.comboIndex, 0);
    EXPECT_EQ(Control(setup::NextBitBtn).caption, L"");
    EXPECT_FALSE(Control(setup::SelectLangLabel).visible);
    EXPECT_EQ(state.caption, L" (V1.2.3.4)");
    EXPECT_EQ(wizard.Options().plugin, 1);
    EXPECT_EQ(wizard.Options().desktopShortcut, 1);
    EXPECT_EQ(wizard.Options().installUpdate, 1);
    EXPECT_FALSE(Control(setup::RebootRadioButton).visible);
}

TEST_F(SetupWizardTest, TheDefaultLanguageOfThePerUserCopyIsSelectedAndASwitchIsSaved)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=German\r\n");
    Shown();
    EXPECT_EQ(wizard.State().comboIndex, 1);
    EXPECT_EQ(Control(setup::NextBitBtn).caption, L"Weiter >");
    EXPECT_EQ(wizard.State().caption, L"Acme Installation (V1.2.3.4)");
    EXPECT_EQ(Control(setup::SelectLangLabel).fontSize, 14);

    wizard.ComboBoxChange(0);
    EXPECT_EQ(Control(setup::NextBitBtn).caption, L"Next >");
    EXPECT_EQ(Control(setup::SelectLangLabel).caption, L"Language:");
    // English leaves the size empty: the German size stays in force.
    EXPECT_EQ(Control(setup::SelectLangLabel).fontSize, 14);
    EXPECT_EQ(setup::ReadDefaultLanguage(rig.os.profile, setuptest::kPerUserFolder), L"English");
}

TEST_F(SetupWizardTest, AMissingDeviceIdSectionEndsTheProgramQuietly)
{
    rig.Kit(L"AudioConfig.cfg", "[Install]\r\nInstallFolderName=Acme\r\n[USB_VID_PID]\r\n1=USB\\VID_1\r\n");
    Shown();
    EXPECT_EQ(result, setup::ShowResult::Quit);
    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_FALSE(rig.os.files.FileExists(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg"));
}

TEST_F(SetupWizardTest, ANonNumericItemShowsTheConversionErrorAndSkipsTheRestOfTheStart)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    Language(rig, L"English", "LabelNextBtn=Next >\r\nLabelSelectLang=Language:,red\r\n");
    Shown();
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages[0].text, L"'red' is not a valid integer value");
    EXPECT_FALSE(rig.os.registry.KeyExists(ports::RegistryRoot::LocalMachine, ports::RegistryView::Bits32,
                                           L"SOFTWARE\\KVQ 48xx Software"));
}

TEST_F(SetupWizardTest, ASwitchToALanguageWithABadItemChangesNothingButShowsTheError)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    Language(rig, L"German", "LabelNextBtn=Weiter >\r\nLabelVersion=Version,,,,gross\r\n");
    Shown();
    wizard.ComboBoxChange(1);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages[0].text, L"'gross' is not a valid integer value");
    EXPECT_EQ(Control(setup::NextBitBtn).caption, L"Next >");
    EXPECT_EQ(setup::ReadDefaultLanguage(rig.os.profile, setuptest::kPerUserFolder), L"English");
}

TEST_F(SetupWizardTest, NextShowsTheAntivirusTipOnceThenStartsTheInstallation)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    Language(rig, L"English", "AntivirusTip=Pause your antivirus.\r\n");
    Shown();

    EXPECT_EQ(wizard.NextBitBtnClick(), setup::NextResult::Stayed);
    EXPECT_EQ(rig.window.messages,
              (std::vector<memory::RecordingInstallerWindow::Message>{{L"Pause your antivirus.", L"Install"}}));
    EXPECT_EQ(wizard.State().page, setup::LanguagePage);

    EXPECT_EQ(wizard.NextBitBtnClick(), setup::NextResult::InstallStarted);
    EXPECT_EQ(wizard.State().page, setup::InstallPage);
    EXPECT_FALSE(Control(setup::NextBitBtn).enabled);
    EXPECT_TRUE(Control(setup::CancelBitBtn).enabled);
    EXPECT_EQ(rig.window.messages.size(), 1u);
}

TEST_F(SetupWizardTest, TheFinishPageLeavesOnlyFinishAndKeepsTheRestartChoiceHiddenUnlessOffered)
{
    Shown();
    ASSERT_EQ(wizard.NextBitBtnClick(), setup::NextResult::InstallStarted);
    wizard.InstallFinished(1);
    EXPECT_EQ(wizard.State().page, setup::FinishPage);
    EXPECT_FALSE(wizard.State().rebootChecked); // the choice is hidden: "No, reboot later" stays
    EXPECT_TRUE(Control(setup::FinishBitBtn).enabled);
    EXPECT_FALSE(Control(setup::NextBitBtn).visible);
    EXPECT_FALSE(Control(setup::CancelBitBtn).visible);

    setuptest::SetupRig offered;
    std::string kit = setuptest::kKitConfig;
    kit.insert(kit.find("DesktopShortcutEnable"), "ShowRebootScreen=1\r\n");
    offered.Kit(L"AudioConfig.cfg", kit);
    setup::CWizard withChoice(offered.os.Ports(), offered.installFiles, offered.window, setuptest::kSetupProgram);
    withChoice.Construct();
    withChoice.FormShow();
    EXPECT_TRUE(withChoice.State().controls[setup::RebootRadioButton].visible);
    withChoice.NextBitBtnClick();
    withChoice.InstallFinished(1);
    EXPECT_TRUE(withChoice.State().rebootChecked);
}

struct LabelCase {
    const wchar_t* value;
    std::wstring text;
    std::optional<int> colour;
    std::optional<std::wstring> fontName;
    std::optional<int> fontSize;
    std::optional<int> left;
    std::optional<int> height;
};

TEST(SetupLabelRecordTest, ItemsSetOnlyWhatTheyGive)
{
    const std::vector<LabelCase> cases{
        {L"Choose,255,,Arial,12", L"Choose", 255, L"Arial", 12, std::nullopt, std::nullopt},
        {L"Go,$FF00,7,,,0x10,,,-3", L"Go", 0xFF00, std::nullopt, std::nullopt, 16, -3},
        {L"", L"", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {L"Trailing,", L"Trailing", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {L"Ten,1,2,F,4,5,6,7,8,junk", L"Ten", 1, L"F", 4, 5, 8},
    };
    for (const LabelCase& c : cases) {
        setup::SetupLabelRecord record;
        EXPECT_EQ(setup::StoreLabelValue(c.value, record), std::nullopt) << c.value;
        EXPECT_EQ(record.text, c.text) << c.value;
        EXPECT_EQ(record.colour, c.colour) << c.value;
        EXPECT_EQ(record.fontName, c.fontName) << c.value;
        EXPECT_EQ(record.fontSize, c.fontSize) << c.value;
        EXPECT_EQ(record.left, c.left) << c.value;
        EXPECT_EQ(record.height, c.height) << c.value;
    }

    setup::SetupLabelRecord record;
    EXPECT_EQ(setup::StoreLabelValue(std::wstring(200, L't') + L",,," + std::wstring(80, L'f'), record), std::nullopt);
    EXPECT_EQ(record.text.size(), 127u);
    EXPECT_EQ(record.fontName->size(), 63u);
    EXPECT_EQ(setup::StoreLabelValue(L"A,,,Tahoma,12 ", record), std::wstring(L"12 "));
    EXPECT_EQ(record.fontName, L"Tahoma");
}

TEST(SetupLabelRecordTest, StrictIntegersAcceptOnlyWholeNumbers)
{
    EXPECT_EQ(setup::StrictInteger(L"-12"), -12);
    EXPECT_EQ(setup::StrictInteger(L"$ff"), 255);
    EXPECT_EQ(setup::StrictInteger(L"0x00FFFFFF"), 0x00FFFFFF);
    for (const wchar_t* bad : {L"", L"-", L"0x", L"$", L"1.5", L"12px", L" 3", L"99999999999", L"0x1FFFFFFFF"})
        EXPECT_EQ(setup::StrictInteger(bad), std::nullopt) << bad;
}

TEST_F(SetupWizardTest, NullHidesALabelAndARedArialLabelTakesItsLook)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    Language(rig, L"English", "LabelSelectLang=Choose,255,,Arial,12\r\nLabelVersion=(null)\r\nLabelTitle=T\r\n");
    Shown();
    EXPECT_TRUE(Control(setup::SelectLangLabel).visible);
    EXPECT_EQ(Control(setup::SelectLangLabel).caption, L"Choose");
    EXPECT_EQ(Control(setup::SelectLangLabel).colour, 255);
    EXPECT_EQ(Control(setup::SelectLangLabel).fontName, L"Arial");
    EXPECT_EQ(Control(setup::SelectLangLabel).fontSize, 12);
    EXPECT_FALSE(Control(setup::VersionLabel).visible);
}

struct ScreenCase {
    int width;
    int height;
    const wchar_t* folder;
};

TEST(SetupBackgroundTest, ResolutionFolderAndSizeFollowTheScreen)
{
    setuptest::SetupRig rig;
    rig.Kit(L"AudioConfig.cfg", "[Skin]\r\nSkinFolderName=Skin\r\n[Install]\r\nBackgroundWidth=800\r\n"
                                "InstallBackgroundFileName=back.bmp\r\n");
    for (const wchar_t* folder : {L"960x540\\", L"1920x1080\\", L"1366x768\\"})
        rig.Kit(L"Skin\\" + std::wstring(folder) + L"back.bmp", "BM");
    for (const ScreenCase& c : {ScreenCase{1366, 768, L"960x540\\"}, ScreenCase{2560, 1440, L"1920x1080\\"},
                                ScreenCase{1920, 1080, L"1366x768\\"}}) {
        const setup::BackgroundLayout layout = setup::ChooseBackground(rig.os.profile, rig.os.files, rig.os.debug,
                                                                       setuptest::kSetupFolder, c.width, c.height);
        EXPECT_EQ(layout.picturePath, std::wstring(L"C:\\Setup\\Skin\\") + c.folder + L"back.bmp");
        // Only a width is given: the window covers the screen.
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
    }
    // 800 x 600 has no resolution folder; the picture is then looked for in the program folder.
    EXPECT_EQ(setup::ChooseBackground(rig.os.profile, rig.os.files, rig.os.debug, setuptest::kSetupFolder, 800, 600)
                  .picturePath,
              L"C:\\Setup\\back.bmp");
    EXPECT_EQ(ChooseResolutionFolder(800, 600), L"");

    rig.Kit(L"AudioConfig.cfg", "[Install]\r\nBackgroundWidth=640\r\nBackgroundHeight=480\r\n");
    const setup::BackgroundLayout sized =
        setup::ChooseBackground(rig.os.profile, rig.os.files, rig.os.debug, setuptest::kSetupFolder, 1920, 1080);
    EXPECT_EQ(sized.width, 640);
    EXPECT_EQ(sized.height, 480);
    EXPECT_EQ(sized.picturePath, L""); // no picture named: a transparent window
}

} // namespace
