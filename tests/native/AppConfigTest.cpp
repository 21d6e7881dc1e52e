#include "common/AppConfig.h"

#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Acme\\TonvioApp.exe";
constexpr wchar_t kConfig[] = L"C:\\Program Files\\Acme\\AudioConfig.cfg";

class AppConfigTest : public ::testing::Test {
protected:
    AppConfigTest()
    {
        auto& facts = rig.system.facts;
        facts.folders[ports::kCsidlProgramFiles] = L"C:\\Program Files";
        facts.specialFolders[ports::kCsidlSystem] = L"C:\\Windows\\system32";
        facts.specialFolders[ports::kCsidlSystemX86] = L"C:\\Windows\\syswow64";
        facts.systemDirectory = L"C:\\Windows\\system32";
        facts.environment[L"APPDATA"] = L"C:\\users\\ann\\AppData\\Roaming";
    }

    _APPLICATION_FOLDER_PATH Load(ConfigReader reader = ConfigReader::ControlPanel,
                                  const std::wstring& program = kProgram)
    {
        _APPLICATION_FOLDER_PATH record;
        LoadApplicationConfig(rig.Ports(), kAudioConfigFileName, program, record, reader);
        return record;
    }

    memory::MemoryPlatform rig;
};

} // namespace

TEST_F(AppConfigTest, EveryLoaderKeyReachesItsField)
{
    rig.files.Put(kConfig, "[Language]\r\nLanguageFolderName=Lang\r\n"
                           "[Skin]\r\nSkinFolderName=Skins\r\n"
                           "[Install]\r\nInstallAppTitle=Acme Audio\r\nInstallIconFileName=acme.ico\r\n"
                           "InstallFolderName=Acme\r\nShortcutFolderName=Acme Menu\r\nShortcutFolderNameUp=Acme Up\r\n"
                           "AppShortcutName=Acme Panel\r\nAPPFileName=TonvioApp.exe\r\n"
                           "UserManualShortcutName=Manual\r\nEffectAPPFileName=fx.exe\r\n"
                           "EffectAppShortcutName=FX\r\nSoundEffectAPPFileName=sfx.exe\r\n"
                           "[Uninstall]\r\nUninstallAppTitle=Remove\r\nUninstallIconFileName=un.ico\r\n"
                           "UninstallShortcutName=Uninstall Acme\r\nPublisher=Acme Inc.\r\n"
                           "UninstallDisplayName=Acme Audio Driver\r\nUninstallFileName=uninst.exe\r\n"
                           "[Application]\r\nDeviceActiveIconFileName=on.ico\r\nDeviceUnactiveIconFileName=off.ico\r\n"
                           "TrayIconRestorOn=1\r\n"
                           "[DebugLevel]\r\nApplication=3\r\nService=2\r\n"
                           "[Plugin]\r\nPluginFolderName=Plugins\r\n");

    struct Expected {
        std::wstring _APPLICATION_FOLDER_PATH::*field;
        const wchar_t* value;
    };
    using R = _APPLICATION_FOLDER_PATH;
    const Expected shared[] = {
        {&R::SourceAppFileName, L"TonvioApp.exe"},
        {&R::SourceFolderFullPath, L"C:\\Program Files\\Acme\\"},
        {&R::LanguageFolderName, L"Lang"},
        {&R::SkinFolderName, L"Skins"},
        {&R::InstallAppTitle, L"Acme Audio"},
        {&R::InstallIconFileName, L"acme.ico"},
        {&R::InstallFolderName, L"Acme"},
        {&R::ShortcutFolderName, L"Acme Menu"},
        {&R::AppShortcutName, L"Acme Panel"},
        {&R::UninstallAppTitle, L"Remove"},
        {&R::UninstallIconFileName, L"un.ico"},
        {&R::UninstallShortcutName, L"Uninstall Acme"},
        {&R::Publisher, L"Acme Inc."},
        {&R::UninstallDisplayName, L"Acme Audio Driver"},
        {&R::DeviceActiveIconFileName, L"on.ico"},
        {&R::DeviceUnactiveIconFileName, L"off.ico"},
        {&R::TrayIconRestorOn, L"1"},
        {&R::APPFileName, L"TonvioApp.exe"},
        {&R::UserManualShortcutName, L"Manual"},
        {&R::UninstallFileName, L"uninst.exe"},
        {&R::DebugLevelApplication, L"3"},
        {&R::DebugLevelService, L"2"},
        {&R::EffectAPPFileName, L"fx.exe"},
        {&R::EffectAppShortcutName, L"FX"},
        {&R::PluginFolderName, L"Plugins"},
        {&R::ProgramFilesFolder, L"C:\\Program Files\\"},
        {&R::InstallFolderPath, L"C:\\Program Files\\Acme\\"},
    };

    const R panel = Load(ConfigReader::ControlPanel);
    const R installer = Load(ConfigReader::Installer);
    for (const Expected& e : shared) {
        EXPECT_EQ(panel.*e.field, e.value);
        EXPECT_EQ(installer.*e.field, e.value);
    }
    EXPECT_EQ(panel.ShortcutFolderNameUp, L"") << "installer-only key";
    EXPECT_EQ(panel.SoundEffectAPPFileName, L"") << "installer-only key";
    EXPECT_EQ(installer.ShortcutFolderNameUp, L"Acme Up");
    EXPECT_EQ(installer.SoundEffectAPPFileName, L"sfx.exe");
}

TEST_F(AppConfigTest, WritesTheTwoDiagnosticLines)
{
    Load();
    ASSERT_GE(rig.debug.Lines().size(), 2u);
    EXPECT_EQ(rig.debug.Lines()[0], L"##### SourceAppFileName = TonvioApp.exe\n");
    EXPECT_EQ(rig.debug.Lines()[1], L"##### SourceFolderFullPath = C:\\Program Files\\Acme\\\n");

    rig.debug.Clear();
    const std::wstring longFolder = L"C:\\" + std::wstring(300, L'd') + L"\\";
    Load(ConfigReader::ControlPanel, longFolder + L"TonvioApp.exe");
    EXPECT_EQ(rig.debug.Lines()[1].size(), 255u) << "diagnostic lines hold at most 255 characters";
}

TEST_F(AppConfigTest, MissingFileLeavesFieldsEmptyButDerivesFolders)
{
    const _APPLICATION_FOLDER_PATH record = Load();
    EXPECT_EQ(record.InstallAppTitle, L"");
    EXPECT_EQ(record.LanguageFolderName, L"");
    EXPECT_EQ(record.DebugLevelApplication, L"0");
    EXPECT_EQ(record.DebugLevelService, L"0");
    EXPECT_EQ(record.ProgramFilesFolder, L"C:\\Program Files\\");
    EXPECT_EQ(record.InstallFolderPath, L"C:\\Program Files\\\\") << "no install folder name";
    EXPECT_EQ(record.SystemFolder, L"C:\\Windows\\system32\\");
    EXPECT_EQ(record.NativeSystemFolder, L"C:\\Windows\\system32\\");
}

TEST_F(AppConfigTest, EmptyDebugLevelBecomesZero)
{
    rig.files.Put(kConfig, "[DebugLevel]\r\nApplication=\r\nService=2\r\n");
    const _APPLICATION_FOLDER_PATH record = Load();
    EXPECT_EQ(record.DebugLevelApplication, L"0");
    EXPECT_EQ(record.DebugLevelService, L"2");
}

TEST_F(AppConfigTest, ProgramPathWithoutBackslashReadsTheBareFileName)
{
    // The platform resolves a bare file name in the Windows folder.
    rig.files.Put(L"C:\\Windows\\AudioConfig.cfg", "[Install]\r\nInstallFolderName=Bare\r\n");
    const _APPLICATION_FOLDER_PATH record = Load(ConfigReader::ControlPanel, L"TonvioApp.exe");
    EXPECT_EQ(record.SourceAppFileName, L"TonvioApp.exe");
    EXPECT_EQ(record.SourceFolderFullPath, L"");
    EXPECT_EQ(record.InstallFolderName, L"Bare");
}

TEST_F(AppConfigTest, ProgramFilesFolderGetsOneTrailingBackslash)
{
    rig.files.Put(kConfig, "[Install]\r\nInstallFolderName=Acme\r\n");
    rig.system.facts.folders[ports::kCsidlProgramFiles] = L"D:\\Apps\\";
    EXPECT_EQ(Load().InstallFolderPath, L"D:\\Apps\\Acme\\");
}

TEST_F(AppConfigTest, Wow64TakesTheX86SystemFolderAndAsksTheNativeOneWithRedirectionOff)
{
    rig.system.facts.wow64 = {ports::Lookup::Succeeded, true};
    const _APPLICATION_FOLDER_PATH record = Load();
    EXPECT_EQ(record.SystemFolder, L"C:\\Windows\\syswow64\\");
    EXPECT_EQ(record.NativeSystemFolder, L"C:\\Windows\\system32\\");
    const auto& calls = rig.system.Calls();
    const auto asked = std::find(calls.begin(), calls.end(), L"SystemDirectory (redirection off)");
    EXPECT_NE(asked, calls.end()) << "the native system folder is asked with redirection off";
    EXPECT_FALSE(rig.system.RedirectionOff()) << "redirection must be back on";
}

TEST_F(AppConfigTest, WithoutWow64RedirectionIsLeftAlone)
{
    rig.system.facts.wow64 = {ports::Lookup::Missing, true};
    const _APPLICATION_FOLDER_PATH record = Load();
    EXPECT_EQ(record.SystemFolder, L"C:\\Windows\\system32\\");
    for (const std::wstring& call : rig.system.Calls())
        EXPECT_EQ(call.find(L"redirection off"), std::wstring::npos) << call;
}

TEST_F(AppConfigTest, UserChoicesComeFromThePerUserCopyOnlyWhenItExists)
{
    rig.files.Put(kConfig, "[Install]\r\nInstallFolderName=Acme\r\n");
    const _APPLICATION_FOLDER_PATH record = Load();
    const std::wstring userCopy = L"C:\\users\\ann\\AppData\\Roaming\\Acme\\AudioConfig.cfg";
    EXPECT_EQ(UserConfigPath(rig.Ports(), record), userCopy);

    std::wstring language = L"English";
    std::wstring skin = L"Dark";
    ReadUserChoices(rig.Ports(), record, language, skin);
    SaveUserChoices(rig.Ports(), record, L"Deutsch", L"Light");
    EXPECT_EQ(language, L"English");
    EXPECT_EQ(skin, L"Dark");
    EXPECT_FALSE(rig.files.FileExists(userCopy)) << "a missing copy is not created";

    rig.files.Put(userCopy, "[Language]\r\nDefaultLanguage=Deutsch\r\n[Skin]\r\nDefaultSkin=Blue\r\n");
    ReadUserChoices(rig.Ports(), record, language, skin);
    EXPECT_EQ(language, L"Deutsch");
    EXPECT_EQ(skin, L"Blue");

    SaveUserChoices(rig.Ports(), record, L"English", L"Dark");
    ReadUserChoices(rig.Ports(), record, language, skin);
    EXPECT_EQ(language, L"English");
    EXPECT_EQ(skin, L"Dark");
}

TEST_F(AppConfigTest, UserChoiceNamesAreCutTo127Characters)
{
    rig.files.Put(kConfig, "[Install]\r\nInstallFolderName=Acme\r\n");
    const _APPLICATION_FOLDER_PATH record = Load();
    rig.files.Put(L"C:\\users\\ann\\AppData\\Roaming\\Acme\\AudioConfig.cfg",
                  "[Language]\r\nDefaultLanguage=" + std::string(200, 'L') + "\r\n");
    std::wstring language;
    std::wstring skin = L"Dark";
    ReadUserChoices(rig.Ports(), record, language, skin);
    EXPECT_EQ(language, std::wstring(127, L'L'));
    EXPECT_EQ(skin, L"") << "a missing key in an existing copy reads as empty";
}
