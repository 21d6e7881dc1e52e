#include "setup/InstallMgr.h"
#include "setup/InstallSequence.h"
#include "setup/SilentInstall.h"
#include "setup/WindowsUpdateStep.h"
#include "setup/Wizard.h"

#include "SetupRig.h"
#include "platform/memory/MemoryUpdateSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr wchar_t kPackage[] = L"C:\\Windows\\system32\\Windows6.1-KB3033929-x64.msu";
constexpr wchar_t kPackages[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages";
constexpr wchar_t kNotWin7[] = L"##### The OS is not Win7 #####\n";
constexpr wchar_t kNoServicePack[] = L"##### The OS is Win7, but not install the service pack! #####\n";
constexpr setup::UpdateFacts kWin7Sp1{true, 4, 1};

class WindowsUpdateTest : public ::testing::Test {
protected:
    WindowsUpdateTest() { rig.os.debug.Clear(); }

    setup::CInstallMgr Manager(const setup::UpdateFacts& facts)
    {
        return setup::CInstallMgr({rig.os.system, rig.payload, rig.installFiles, update, rig.os.debug}, facts);
    }

    // Step 10 on a machine whose wizard and manager both see `facts`.
    std::uint32_t InstallStep(const setup::UpdateFacts& facts)
    {
        setup::CInstallMgr manager = Manager(facts);
        setup::CWindowsUpdateStep step(manager, rig.os.debug, {facts.native64, facts.windowsIndex, facts.servicePack});
        const std::uint32_t result = step.Install_KB3033929();
        packageInstalled = manager.PackageInstalled();
        return result;
    }

    bool Logged(const std::wstring& line) const
    {
        const auto& lines = rig.os.debug.Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // The machine as the kit's reference Windows 7 SP1 x64 reports itself to the running setup.
    void MakeWindows7(std::uint32_t servicePack)
    {
        auto& facts = rig.os.system.facts;
        facts.wow64 = {ports::Lookup::Succeeded, true};
        facts.rtlVersion = {ports::Lookup::Succeeded, {6, 1, 7601, 2, servicePack}};
        facts.architecture = ports::kArchitectureX64;
    }

    setuptest::SetupRig rig;
    memory::MemoryUpdateSystem update;
    bool packageInstalled = false;
};

TEST_F(WindowsUpdateTest, OnWindows10TheSilentInstallWritesThePackageSkipsTheUpdateAndSucceeds)
{
    auto& facts = rig.os.system.facts;
    facts.wow64 = {ports::Lookup::Succeeded, true};
    facts.architecture = ports::kArchitectureX64; // Windows 10, 64-bit, as the rig's default version says

    const int exitCode = setup::RunSilentInstall({rig.os.Ports(), rig.installFiles, rig.payload, rig.system, update},
                                                 setuptest::kSetupProgram);

    EXPECT_EQ(exitCode, setup::kExitSuccess);
    EXPECT_EQ(rig.os.files.Get(kPackage), "payload 110");
    EXPECT_TRUE(Logged(L"TonvioSetup:  ==> TMainForm::Copy_KB3033929\n"));
    EXPECT_TRUE(Logged(L"===== Install STEP10 =====\n"));
    EXPECT_TRUE(Logged(L"TonvioSetup:  ==> TMainForm::Install_KB3033929\n"));
    EXPECT_TRUE(Logged(kNotWin7));
    EXPECT_TRUE(update.opens.empty());
    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_TRUE(Logged(L"TonvioSetup: silent installation ended with exit code 0\n"));
}

TEST_F(WindowsUpdateTest, OnWindows10WithTheRestartChoiceShownRebootNowIsPreselected)
{
    rig.Kit(L"AudioConfig.cfg", setuptest::KitConfigWith("ShowRebootScreen=1"));
    rig.os.system.facts.wow64 = {ports::Lookup::Succeeded, true};

    setup::CWizard wizard(rig.os.Ports(), rig.installFiles, rig.window, setuptest::kSetupProgram);
    wizard.Construct();
    ASSERT_EQ(wizard.FormShow(), setup::ShowResult::Shown);
    ASSERT_EQ(wizard.NextBitBtnClick(), setup::NextResult::InstallStarted);
    setup::CInstallMgr manager = Manager(setup::ReadUpdateFacts(rig.os.system, rig.os.debug));
    setup::CWindowsUpdateStep step(manager, rig.os.debug, {wizard.Wow64(), wizard.WindowsIndex(), wizard.ServicePack()});
    const std::wstring noWarning;
    setup::CInstallSequence sequence(rig.Ports(), step,
                                     {wizard.Config(), wizard.Options(), wizard.Uninstall(), noWarning, noWarning, wizard.Wow64()});
    sequence.Install();
    wizard.InstallFinished(sequence.UpdateInstalled());

    EXPECT_TRUE(Logged(kNotWin7));
    EXPECT_TRUE(wizard.State().rebootChecked);
    EXPECT_TRUE(wizard.State().controls[setup::RebootRadioButton].visible);
}

TEST_F(WindowsUpdateTest, OnlyA64BitWindows7WithAServicePackHandsThePackageToWindows)
{
    struct Case {
        setup::UpdateFacts facts;
        const wchar_t* line;
        bool launched;
    };
    for (const Case& c : {Case{{false, 4, 1}, L"##### The OS is 32-Bit #####\n", false},
                          Case{{true, 6, 0}, kNotWin7, false},
                          Case{{true, 4, 0}, kNoServicePack, false},
                          Case{kWin7Sp1, L"***** Service pack KDB3033929 not EXIST! *****\n", true}}) {
        rig.os.debug.Clear();
        update.opens.clear();
        EXPECT_EQ(InstallStep(c.facts), 0u) << c.line;
        EXPECT_TRUE(Logged(c.line)) << c.line;
        EXPECT_EQ(update.opens.size(), c.launched ? 1u : 0u) << c.line;
    }
    ASSERT_EQ(update.opens.size(), 1u);
    EXPECT_EQ(update.opens[0], (memory::MemoryUpdateSystem::OpenRecord{kPackage, L"", ports::kWaitWithoutLimit}));
}

TEST_F(WindowsUpdateTest, TheServicingStoreTellsAnInstalledUpdateByItsExactlySpelledPackage)
{
    const std::wstring identity = L"Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1";
    struct Case {
        const char* what;
        std::vector<std::wstring> packages; // none: the key is missing
        bool cached;
        bool present;
    };
    for (const Case& c :
         {Case{"exact package", {L"Package_for_KB2999226~x", identity}, false, true},
          Case{"lower-case package", {L"package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1"}, false, false},
          Case{"prefix without its tilde", {L"Package_for_KB30339290~31bf"}, false, false},
          Case{"applicability cache", {}, true, false}}) {
        update = {};
        if (!c.packages.empty())
            update.subkeys[kPackages] = c.packages;
        if (c.cached)
            update.keys.insert(std::wstring(setup::kApplicabilityCacheKey) + identity);
        setup::CInstallMgr manager = Manager(kWin7Sp1);
        EXPECT_EQ(manager.IsUpdatePackagePresent(L"KB3033929"), c.present) << c.what;
        EXPECT_EQ(manager.IsUpdateCached(identity), c.cached) << c.what;
        EXPECT_EQ(manager.InstallUpdate(), setup::kUpdateDone) << c.what;
        EXPECT_EQ(update.opens.size(), c.present || c.cached ? 0u : 1u) << c.what;
    }
}

TEST_F(WindowsUpdateTest, OnlyAnUpdateInstallerThatSucceededPassesTheStep)
{
    struct Case {
        std::optional<std::uint32_t> exitCode;
        std::uint32_t result;
        bool packageInstalled;
    };
    for (const Case& c : {Case{0, 0, true}, Case{3010, 0, true}, Case{0x00240006, 0, false},
                          Case{0x80240017, setup::kCodeUpdateNotInstalled, false}, // not applicable
                          Case{0x800704C7, setup::kCodeUpdateNotInstalled, false}, // cancelled
                          Case{1, setup::kCodeUpdateNotInstalled, false},
                          Case{std::nullopt, setup::kCodeUpdateNotInstalled, false}}) {
        update.exitCode = c.exitCode;
        EXPECT_EQ(InstallStep(kWin7Sp1), c.result) << c.exitCode.value_or(~0u);
        EXPECT_EQ(packageInstalled, c.packageInstalled) << c.exitCode.value_or(~0u);
    }

    update.launches = false;
    rig.os.debug.Clear();
    EXPECT_EQ(InstallStep(kWin7Sp1), setup::kCodeUpdateNotInstalled);
    EXPECT_TRUE(Logged(L"***** InstallKB3033929 *****\n"));
}

TEST_F(WindowsUpdateTest, ACancelledUpdateFailsStep10AndProposesNoRestart)
{
    MakeWindows7(1);
    update.exitCode = 0x800704C7;

    const int exitCode = setup::RunSilentInstall({rig.os.Ports(), rig.installFiles, rig.payload, rig.system, update},
                                                 setuptest::kSetupProgram);

    EXPECT_EQ(exitCode, 10);
    ASSERT_EQ(rig.window.messages.size(), 0u); // a silent run logs its message
    EXPECT_EQ(std::count_if(rig.os.debug.Lines().begin(), rig.os.debug.Lines().end(),
                            [](const std::wstring& line) { return line.ends_with(L"(Code = 0x80000006)\n"); }),
              1);
    EXPECT_TRUE(Logged(L"***** The update installer ended with code 0x800704C7 *****\n"));
}

TEST_F(WindowsUpdateTest, AnUpdateThatNeedsARestartEndsTheSilentInstallWith3010)
{
    MakeWindows7(1);
    update.exitCode = 3010;
    EXPECT_EQ(setup::RunSilentInstall({rig.os.Ports(), rig.installFiles, rig.payload, rig.system, update},
                                      setuptest::kSetupProgram),
              setup::kExitRestartNeeded);
    EXPECT_EQ(update.opens.size(), 1u);
}

TEST_F(WindowsUpdateTest, WithInstallWindowsKBOffStep10NeverRuns)
{
    rig.Kit(L"AudioConfig.cfg", setuptest::KitConfigWith("InstallWindowsKB=0"));
    MakeWindows7(1);

    EXPECT_EQ(setup::RunSilentInstall({rig.os.Ports(), rig.installFiles, rig.payload, rig.system, update},
                                      setuptest::kSetupProgram),
              setup::kExitSuccess);
    EXPECT_FALSE(Logged(L"===== Install STEP10 =====\n"));
    EXPECT_FALSE(Logged(L"TonvioSetup:  ==> TMainForm::Install_KB3033929\n"));
    EXPECT_TRUE(update.opens.empty());
    EXPECT_EQ(rig.os.files.Get(kPackage), "payload 110"); // the package is written all the same
}

TEST_F(WindowsUpdateTest, APackageThatCannotBeWrittenFailsTheCopy)
{
    setup::CInstallMgr manager = Manager(kWin7Sp1);
    setup::CWindowsUpdateStep step(manager, rig.os.debug, {true, 4, 1});
    EXPECT_EQ(step.Copy_KB3033929(), 0u);
    EXPECT_EQ(manager.ExtractUpdatePackage(110, L"windowpatch"), setup::kPackageWritten);

    rig.os.files.FailWrites(kPackage);
    EXPECT_EQ(manager.ExtractUpdatePackage(110, L"WindowPatch"), setup::kPackageNotWritten);
    EXPECT_EQ(step.Copy_KB3033929(), setup::kCodeUpdatePackageNotWritten);
    rig.payload.Remove(L"WINDOWPATCH", 110);
    EXPECT_EQ(manager.ExtractUpdatePackage(110, L"WindowPatch"), setup::kPackageMissing);
}

TEST_F(WindowsUpdateTest, FinishRestartsWindowsOrStartsTheInstalledPanelWithoutASwitch)
{
    rig.Kit(L"AudioConfig.cfg", setuptest::KitConfigWith("ShowRebootScreen=1"));
    setup::CWizard wizard(rig.os.Ports(), rig.installFiles, rig.window, setuptest::kSetupProgram);
    wizard.Construct();
    wizard.FormShow();
    wizard.NextBitBtnClick();
    wizard.InstallFinished(1);

    wizard.FinishBitBtnClick(update);
    EXPECT_EQ(update.restarts, 1);
    EXPECT_TRUE(update.opens.empty());

    wizard.RebootChoiceClick(false);
    wizard.FinishBitBtnClick(update);
    EXPECT_EQ(update.restarts, 1);
    const std::wstring panel = L"C:\\Program Files\\Acme\\AcmeApp.exe";
    EXPECT_EQ(update.opens, (std::vector<memory::MemoryUpdateSystem::OpenRecord>{{panel, panel, 0}}));
}

} // namespace
