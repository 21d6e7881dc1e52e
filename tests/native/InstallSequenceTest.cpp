#include "setup/InstallSequence.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using setuptest::kInstallFolder;
using Value = memory::MemoryRegistry::Value;
constexpr auto kLm = ports::RegistryRoot::LocalMachine;
constexpr auto kView32 = ports::RegistryView::Bits32;

const std::vector<std::wstring> kAllStages{
    L"===== Install STEP1 =====\n", L"===== Install STEP2 =====\n", L"===== Install STEP3 =====\n",
    L"===== Install STEP4 =====\n", L"===== Install STEP5 =====\n", L"===== Install STEP6 =====\n",
    L"===== Install STEP7 =====\n", L"===== Install STEP8 =====\n", L"===== Install STEP8.1 =====\n",
    L"===== Install STEP9 =====\n", L"===== Install STEP10 =====\n"};

class InstallSequenceTest : public ::testing::Test {
protected:
    InstallSequenceTest()
    {
        options.plugin = 1;
        options.desktopShortcut = 1;
    }

    void Run()
    {
        config = rig.LoadConfig();
        uninstall = setup::MakeUninstallInfo(config, L"1.0.0.1");
        const setup::InstallContext context{config, options, uninstall, warning1, warning2, wow64};
        setup::CInstallSequence sequence(rig.Ports(), rig.update, context);
        sequence.Install();
        updateInstalled = sequence.UpdateInstalled();
    }

    std::vector<std::wstring> Stages() const { return rig.LinesStartingWith(L"===== Install STEP"); }

    std::optional<Value> Software(const std::wstring& name) const
    {
        return rig.os.registry.Get(kLm, kView32, L"SOFTWARE\\KVQ 48xx Software", name);
    }

    setuptest::SetupRig rig;
    setup::InstallOptions options;
    _APPLICATION_FOLDER_PATH config;
    setup::_REG_UNINSTALL_INFO uninstall;
    std::wstring warning1 = L"An old driver is active.";
    std::wstring warning2 = L"Setup failed: ";
    bool wow64 = false;
    int updateInstalled = 0;
};

TEST_F(InstallSequenceTest, AFullInstallationPlacesThePayloadAndRegistersIt)
{
    Run();

    EXPECT_EQ(rig.window.progress, (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 98, 98, 100}));
    EXPECT_EQ(Stages(), kAllStages);
    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_EQ(rig.system.beeps, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{500, 100}}));
    EXPECT_EQ(updateInstalled, 1);

    const std::wstring install = kInstallFolder;
    EXPECT_EQ(rig.os.files.Get(L"C:\\Windows\\system32\\drivers\\Vexfl.sys"), "payload 102");
    EXPECT_EQ(rig.os.files.Get(L"C:\\Windows\\system32\\DeviceWatchService.exe"), "payload 105");
    EXPECT_EQ(rig.os.files.Get(install + L"AcmeApp.exe"), "payload 107");
    EXPECT_EQ(rig.os.files.Get(install + L"AcmeRemove.exe"), "payload 108");
    EXPECT_EQ(rig.os.files.Get(install + L"Plugin\\Echo\\Echo.exe"), "payload 111");
    EXPECT_EQ(rig.os.files.Get(install + L"Plugin\\Chorus\\Chorus.exe"), "payload 112");
    for (const wchar_t* copied : {L"AudioConfig.cfg", L"acme.ico", L"bee.wav", L"DLLQZ_Tonvio48xx_x32.dll",
                                  L"Skin\\1366x768\\Graphite\\SkinSetting.ini", L"Language\\English\\Language.ini",
                                  L"Plugin\\Echo\\readme.txt"})
        EXPECT_TRUE(rig.os.files.FileExists(install + copied)) << copied;
    EXPECT_EQ(rig.update.copies, 1);
    EXPECT_EQ(rig.update.installs, 1);

    // The service registered itself when run, and was started again at the end of its step.
    ASSERT_EQ(rig.system.runs.size(), 1u);
    EXPECT_EQ(rig.system.runs[0].commandLine, L"C:\\Windows\\system32\\DeviceWatchService.exe /Service");
    EXPECT_EQ(rig.system.runs[0].timeoutMs, 100'000u);
    EXPECT_EQ(rig.os.services.At(L"DeviceWatchService").state, ports::ServiceState::Running);
    for (const auto& open : rig.os.services.Opens())
        EXPECT_EQ(open.access, ports::ServiceAccess::All);
    EXPECT_EQ(rig.system.broadcasts, (std::vector<memory::MemoryInstallerSystem::Broadcast>{
                                         {L"WM_KVQ48xxAPP_EXIT", 100}, {L"WM_KVQ48xxAPP_EXIT", 100}}));
    EXPECT_EQ(rig.system.deviceChecks, std::vector<std::wstring>{L"\\\\.\\Class#VexflPort&4D2F&00"});

    const std::wstring driverKey = L"SYSTEM\\CurrentControlSet\\Services\\Vexfl";
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, driverKey, L"ErrorControl"), Value(1u));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, driverKey, L"Start"), Value(3u));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, driverKey, L"Type"), Value(1u));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, driverKey, L"ImagePath"),
              Value(memory::MemoryRegistry::ExpandString{L"System32\\DRIVERS\\Vexfl.sys"}));

    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"AcmeApp"),
              Value(L"\"" + install + L"AcmeApp.exe\" -boot"));
    const std::wstring uninstallKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt";
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"DisplayName"), Value(L"Acme Audio"));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"UninstallString"), Value(install + L"AcmeRemove.exe"));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"DisplayIcon"), Value(install + L"AcmeRemove.exe"));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"DisplayVersion"), Value(L"1.0.0.1"));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"Publisher"), Value(L"Acme Inc."));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"InstallLocation"), Value(install));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"QuietUninstallString"),
              Value(L"\"" + install + L"AcmeRemove.exe\" /S"));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"NoModify"), Value(1u));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"NoRepair"), Value(1u));
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, uninstallKey, L"EstimatedSize"), Value(1u)); // some 200 bytes, rounded up

    const std::wstring programs = std::wstring(setuptest::kCommonPrograms) + L"\\Acme\\";
    EXPECT_EQ(rig.system.links, (std::map<std::wstring, std::wstring>{
                                    {programs + L"Acme Panel.lnk", install + L"AcmeApp.exe"},
                                    {std::wstring(setuptest::kDesktop) + L"\\Acme Panel.lnk", install + L"AcmeApp.exe"},
                                    {programs + L"Remove Acme.lnk", install + L"AcmeRemove.exe"}}));
}

TEST_F(InstallSequenceTest, TheServiceEntriesNameTheThreeProgramsWithTheirSwitches)
{
    Run();

    const std::wstring install = kInstallFolder;
    const std::vector<std::pair<std::wstring, std::wstring>> programs{{L"C", install + L"AcmeApp.exe"},
                                                                      {L"B", install + L"Plugin\\Echo\\Echo.exe"},
                                                                      {L"D", install + L"Plugin\\Chorus\\Chorus.exe"}};
    std::vector<std::wstring> expectedNames;
    for (const auto& [letter, path] : programs) {
        const std::vector<std::pair<std::wstring, std::wstring>> entries{
            {L"UserPrivilegeExecution_" + letter + L"0", L" -servicestart"},
            {L"AdminPrivilegeExecution_" + letter + L"1", L" -servicestart"},
            {L"SystemPrivilegeExecution_" + letter + L"2", L" -servicestart"},
            {L"SystemPrivilegeExecutionOnBoot_" + letter + L"3", L" -serviceboot"},
            {L"AdminPrivilegeExecutionOnBoot_" + letter + L"4", L" -serviceboot"}};
        for (const auto& [name, commandSwitch] : entries) {
            EXPECT_EQ(Software(name), Value(L"\"" + path + L"\"" + commandSwitch)) << name;
            expectedNames.push_back(name);
        }
    }
    auto key = rig.os.registry.OpenKey(kLm, L"SOFTWARE\\KVQ 48xx Software", kView32);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ValueNames(), expectedNames); // in writing order, nothing else
}

// One injected fault per failing step: the message names the step's fixed code, the progress stops
// where that step stops, and no later step runs.
struct StepFailure {
    const char* name;
    std::function<void(setuptest::SetupRig&)> inject;
    const wchar_t* codeText;
    std::vector<int> progress;
    std::size_t stagesRun;
    friend void PrintTo(const StepFailure& failure, std::ostream* out) { *out << failure.name; }
};

class StepFailureTest : public InstallSequenceTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(StepFailureTest, StopsWithTheStepsCodeText)
{
    GetParam().inject(rig);
    Run();

    EXPECT_EQ(rig.window.messages, (std::vector<memory::RecordingInstallerWindow::Message>{
                                       {L"Setup failed: " + std::wstring(GetParam().codeText), L"Install"}}));
    EXPECT_EQ(rig.window.progress, GetParam().progress);
    EXPECT_EQ(Stages(), std::vector<std::wstring>(kAllStages.begin(), kAllStages.begin() + GetParam().stagesRun));
    EXPECT_TRUE(rig.system.beeps.empty());
    EXPECT_EQ(updateInstalled, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, StepFailureTest,
    ::testing::Values(
        StepFailure{
            "DriverKeyRefused",
            [](auto& r) { r.os.registry.FailOpen(kLm, kView32, L"SYSTEM\\CurrentControlSet\\Services\\Vexfl"); },
            L"(Code = 0x80000001)",
            {1},
            1},
        StepFailure{"DriverResourceMissing",
                    [](auto& r) { r.payload.Remove(L"DRIVER", 102); },
                    L"(Code = 0x80000001)",
                    {1, 10},
                    1},
        StepFailure{"DriverFileCutShort",
                    [](auto& r) { r.installFiles.CutWrites(L"C:\\Windows\\system32\\drivers\\Vexfl.sys"); },
                    L"(Code = 0x80000001)",
                    {1, 10},
                    1},
        StepFailure{"ServiceResourceMissing",
                    [](auto& r) { r.payload.Remove(L"SERVICE", 105); },
                    L"(Code = 0x80000002)",
                    {1, 10, 20, 30},
                    2},
        StepFailure{
            "ServiceProgramDoesNotStart",
            [](auto& r) { r.system.onRun = [](const std::wstring&) { return ports::ProcessWait::NotStarted; }; },
            L"(Code = 0x80000002)",
            {1, 10, 20, 30, 40},
            2},
        StepFailure{"ServiceRegistrationHangs",
                    [](auto& r) { r.system.onRun = [](const std::wstring&) { return ports::ProcessWait::TimedOut; }; },
                    L"(Code = 0x80000002)",
                    {1, 10, 20, 30, 40},
                    2},
        StepFailure{"AppResourceMissing",
                    [](auto& r) { r.payload.Remove(L"APP", 107); },
                    L"(Code = 0x80000003)",
                    {1, 10, 20, 30, 40, 50, 60},
                    3},
        StepFailure{"AppFileRefused",
                    [](auto& r) { r.os.files.FailWrites(L"C:\\Program Files\\Acme\\AcmeApp.exe"); },
                    L"(Code = 0x80000003)",
                    {1, 10, 20, 30, 40, 50, 60},
                    3},
        StepFailure{
            "LogonKeyRefused",
            [](auto& r) { r.os.registry.FailOpen(kLm, kView32, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"); },
            L"(Code = 0x80000003)",
            {1, 10, 20, 30, 40, 50, 60},
            3},
        StepFailure{"UninstallerResourceMissing",
                    [](auto& r) { r.payload.Remove(L"UNINSTALL", 108); },
                    L"(Code = 0x80000004)",
                    {1, 10, 20, 30, 40, 50, 60, 70},
                    4},
        StepFailure{"EffectAppMissing",
                    [](auto& r) { r.payload.Remove(L"APP", 111); },
                    L"(Code = 0x80000008)",
                    {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95},
                    8},
        StepFailure{"SoundEffectAppMissing",
                    [](auto& r) { r.payload.Remove(L"APP", 112); },
                    L"(Code = 0x80000008)",
                    {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 98},
                    9},
        StepFailure{"UpdateFails",
                    [](auto& r) { r.update.installResult = 0x80000501; },
                    L"(Code = 0x80000006)",
                    {1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 98, 98},
                    11}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(InstallSequenceTest, AStillLoadedFilterDriverStopsBeforeAnyStep)
{
    rig.system.openableDevices = {L"\\\\.\\Class#VexflPort&4D2F&00"};
    Run();

    EXPECT_EQ(rig.window.messages,
              (std::vector<memory::RecordingInstallerWindow::Message>{{L"An old driver is active.", L"Install"}}));
    EXPECT_TRUE(Stages().empty());
    EXPECT_TRUE(rig.window.progress.empty());
    EXPECT_FALSE(rig.os.files.FileExists(L"C:\\Windows\\system32\\drivers\\Vexfl.sys"));
}

// The panel takes the exit broadcast but may still be ending: its program file is held for a while.
TEST_F(InstallSequenceTest, APanelStillEndingIsWaitedForAWhileBeforeItsStepFails)
{
    const std::wstring panel = std::wstring(setuptest::kInstallFolder) + L"AcmeApp.exe";
    rig.installFiles.HoldFile(panel, 10);
    Run();
    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_EQ(rig.os.files.Get(panel), "payload 107");
}

TEST_F(InstallSequenceTest, APanelThatNeverEndsFailsItsStepAfterFiveSeconds)
{
    const std::wstring panel = std::wstring(setuptest::kInstallFolder) + L"AcmeApp.exe";
    rig.installFiles.HoldFile(panel, 1000);
    const std::uint64_t before = rig.os.clock.TotalSleptMs();
    Run();
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_NE(rig.window.messages[0].text.find(L"0x80000003"), std::wstring::npos);
    EXPECT_GE(rig.os.clock.TotalSleptMs() - before, 4900u);
}

TEST_F(InstallSequenceTest, WithoutPluginFolderThePluginStepsAreSkipped)
{
    options.plugin = 0;
    Run();

    EXPECT_EQ(rig.window.progress, (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(Stages(), (std::vector<std::wstring>{kAllStages[0], kAllStages[1], kAllStages[2], kAllStages[3],
                                                   kAllStages[4], kAllStages[5], kAllStages[9], kAllStages[10]}));
    EXPECT_FALSE(rig.os.files.FileExists(std::wstring(kInstallFolder) + L"Plugin\\Echo\\Echo.exe"));
}

TEST_F(InstallSequenceTest, WithoutTheUpdateStepTheProgressStopsAtItsLastStep)
{
    options.installUpdate = 0;
    Run();
    EXPECT_EQ(rig.window.progress.back(), 98);
    EXPECT_EQ(rig.update.installs, 0);
    EXPECT_EQ(updateInstalled, 0);
    EXPECT_EQ(Stages().back(), kAllStages[9]);

    options.plugin = 0;
    rig.window.progress.clear();
    Run();
    EXPECT_EQ(rig.window.progress.back(), 90);
}

TEST_F(InstallSequenceTest, OnWow64TheNativeVariantsAreWrittenWithRedirectionOffOnlyInsideTheirSteps)
{
    wow64 = true;
    rig.os.system.facts.wow64 = {ports::Lookup::Succeeded, true};
    rig.payload.Remove(L"DRIVER", 102);
    rig.payload.Remove(L"SERVICE", 105);
    Run();

    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_EQ(rig.os.files.Get(L"C:\\Windows\\system32\\drivers\\Vexfl.sys"), "payload 103");
    EXPECT_EQ(rig.os.files.Get(L"C:\\Windows\\system32\\DeviceWatchService.exe"), "payload 106");
    EXPECT_FALSE(rig.os.system.RedirectionOff());
    std::vector<std::wstring> switches;
    for (const std::wstring& call : rig.os.system.Calls())
        if (call.find(L"Wow64FsRedirection") != std::wstring::npos)
            switches.push_back(call);
    // LoadApplicationConfig switches once for the native system folder; then the driver and service steps.
    EXPECT_EQ(switches.size(), 6u);
}

TEST_F(InstallSequenceTest, AManualFolderWithoutFilesInstallsNoManual)
{
    rig.os.files.RemoveFile(std::wstring(setuptest::kSetupFolder) + L"Manual\\English\\Acme Manual.html");
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    Run();
    EXPECT_FALSE(rig.os.files.FolderExists(std::wstring(kInstallFolder) + L"Manual"));
    EXPECT_EQ(rig.system.links.size(), 3u);
}

TEST_F(InstallSequenceTest, TheManualOfTheChosenLanguageGetsItsShortcutBesideTheProgramFolder)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg",
                     "[Language]\r\nDefaultLanguage=English\r\n");
    std::string kit = setuptest::kKitConfig;
    kit.replace(kit.find("ShortcutFolderNameUp="), 21, "ShortcutFolderNameUp=Acme Audio");
    rig.Kit(L"AudioConfig.cfg", kit);
    Run();

    const std::wstring manual = std::wstring(kInstallFolder) + L"Manual\\English\\Acme Manual.html";
    EXPECT_TRUE(rig.os.files.FileExists(manual));
    // The manual's shortcut lies in the shortcut folder itself, without the upper folder.
    const std::wstring programs = setuptest::kCommonPrograms;
    EXPECT_EQ(rig.system.links[programs + L"\\Acme\\Acme Manual.lnk"], manual);
    EXPECT_EQ(rig.system.links[programs + L"\\Acme Audio\\Acme\\Acme Panel.lnk"],
              std::wstring(kInstallFolder) + L"AcmeApp.exe");
    EXPECT_TRUE(rig.os.files.FolderExists(programs + L"\\Acme Audio\\Acme"));
}

} // namespace
