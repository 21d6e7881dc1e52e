#include "setup/Uninstaller.h"

#include "setup/InstallSequence.h"
#include "setup/Registration.h"

#include "SetupRig.h"
#include "platform/memory/MemoryUninstallSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

namespace {

using setuptest::kInstallFolder;
constexpr auto kLm = ports::RegistryRoot::LocalMachine;
constexpr auto kView32 = ports::RegistryView::Bits32;
constexpr wchar_t kProfile[] = L"C:\\users\\ann\\AppData\\Roaming\\Acme\\LastProfile.ini";
constexpr wchar_t kSavedProfile[] = L"C:\\users\\ann\\Acme\\Party.ini";

// Every file and folder on the rig's drive, by its normalized path.
void Walk(const memory::MemoryFileSystem& files, const std::wstring& folder, std::set<std::wstring>& found)
{
    for (const std::wstring& name : files.Files(folder))
        found.insert(memory::MemoryFileSystem::Normalize(folder + L"\\" + name));
    for (const std::wstring& name : files.Subfolders(folder)) {
        found.insert(memory::MemoryFileSystem::Normalize(folder + L"\\" + name));
        Walk(files, folder + L"\\" + name, found);
    }
}

class UninstallerTest : public ::testing::Test {
protected:
    UninstallerTest()
    {
        rig.os.system.facts.environment[L"USERPROFILE"] = L"C:\\users\\ann";
        Walk(rig.os.files, L"C:", before);

        options.plugin = 1;
        options.desktopShortcut = 1;
        config = rig.LoadConfig();
        uninstall = setup::MakeUninstallInfo(config, L"1.0.0.1");
        setup::CInstallSequence(rig.Ports(), rig.update, {config, options, uninstall, L"", L"", false}).Install();
        for (const auto& [link, target] : rig.system.links) // the shell's link files
            rig.os.files.Put(link, "link to " + std::string(target.begin(), target.end()));
        rig.os.files.Put(kProfile, "[EQ]");
        rig.os.files.Put(kSavedProfile, "[EQ]");
    }

    setup::UninstallReport Uninstall(bool removeProfiles = false)
    {
        setup::CUninstaller uninstaller({rig.os.Ports(), rig.installFiles, rig.system, removal},
                                        std::wstring(kInstallFolder) + L"AcmeRemove.exe");
        return uninstaller.Uninstall(removeProfiles);
    }

    bool Key(const std::wstring& path) const { return rig.os.registry.KeyExists(kLm, kView32, path); }

    setuptest::SetupRig rig;
    memory::MemoryUninstallSystem removal{rig.os.files, rig.os.registry, rig.os.services};
    std::set<std::wstring> before;
    setup::InstallOptions options;
    _APPLICATION_FOLDER_PATH config;
    setup::_REG_UNINSTALL_INFO uninstall;
};

TEST_F(UninstallerTest, EverythingTheInstallationPlacedGoesAndTheProfilesStay)
{
    ASSERT_TRUE(Key(setup::kUninstallKey));
    ASSERT_TRUE(rig.os.services.Exists(L"DeviceWatchService"));

    const setup::UninstallReport report = Uninstall();

    EXPECT_EQ(report.exitCode, 0);
    EXPECT_TRUE(report.left.empty());
    std::set<std::wstring> after;
    Walk(rig.os.files, L"C:", after);
    std::set<std::wstring> expected = before;
    for (const wchar_t* kept : {L"C:\\users", L"C:\\users\\ann", L"C:\\users\\ann\\AppData", L"C:\\users\\ann\\AppData\\Roaming",
                                L"C:\\users\\ann\\AppData\\Roaming\\Acme", kProfile, L"C:\\users\\ann\\Acme", kSavedProfile})
        expected.insert(memory::MemoryFileSystem::Normalize(kept));
    std::vector<std::wstring> extra;
    std::set_symmetric_difference(after.begin(), after.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    EXPECT_EQ(extra, std::vector<std::wstring>{}); // left behind, or removed though not the installation's

    EXPECT_FALSE(rig.os.services.Exists(L"DeviceWatchService"));
    for (const std::wstring& key : {std::wstring(setup::kUninstallKey), std::wstring(L"SOFTWARE\\KVQ 48xx Software"),
                                   std::wstring(L"SOFTWARE\\KVQ 48xx Software\\EncValueMap"),
                                   std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\Vexfl")})
        EXPECT_FALSE(Key(key)) << key;
    EXPECT_FALSE(rig.os.registry.Get(kLm, kView32, setup::kRunKey, L"AcmeApp"));
    EXPECT_EQ(rig.system.broadcasts.back(),
              (memory::MemoryInstallerSystem::Broadcast{L"WM_AUDIO_EFFECT_EXIT", 100}));
}

TEST_F(UninstallerTest, AskedForItTheProfilesGoToo)
{
    EXPECT_EQ(Uninstall(true).exitCode, 0);
    EXPECT_FALSE(rig.os.files.FileExists(kProfile));
    EXPECT_FALSE(rig.os.files.FolderExists(L"C:\\users\\ann\\Acme"));
    EXPECT_TRUE(rig.os.files.FolderExists(L"C:\\users\\ann\\AppData\\Roaming"));
}

TEST_F(UninstallerTest, AFileThatStaysIsReportedWithItsStageAndTheRestStillGoes)
{
    const std::wstring panel = std::wstring(kInstallFolder) + L"AcmeApp.exe";
    removal.Stick(panel);

    const setup::UninstallReport report = Uninstall();

    EXPECT_EQ(report.exitCode, setup::kUninstallFiles);
    EXPECT_EQ(report.left, (std::vector<std::wstring>{panel, L"C:\\Program Files\\Acme"}));
    EXPECT_FALSE(Key(setup::kUninstallKey));
    EXPECT_FALSE(rig.os.files.FileExists(std::wstring(kInstallFolder) + L"AudioConfig.cfg"));
    EXPECT_NE(DescribeUninstall(report).find(L"Could not remove " + panel), std::wstring::npos);
}

TEST_F(UninstallerTest, WithoutItsConfigurationItRemovesNothing)
{
    rig.os.files.RemoveFile(std::wstring(kInstallFolder) + L"AudioConfig.cfg");

    EXPECT_EQ(Uninstall().exitCode, setup::kUninstallCannotStart);
    EXPECT_TRUE(rig.os.files.FileExists(std::wstring(kInstallFolder) + L"AcmeApp.exe"));
    EXPECT_TRUE(Key(setup::kUninstallKey));
    EXPECT_TRUE(rig.os.services.Exists(L"DeviceWatchService"));
}

} // namespace
