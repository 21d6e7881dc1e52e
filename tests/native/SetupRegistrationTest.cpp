#include "setup/Registration.h"
#include "setup/Shortcuts.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

namespace {

using Value = memory::MemoryRegistry::Value;
constexpr auto kLm = ports::RegistryRoot::LocalMachine;
constexpr auto kView32 = ports::RegistryView::Bits32;

class SetupRegistrationTest : public ::testing::Test {
protected:
    void Defaults(const std::string& sections)
    {
        rig.Kit(L"AudioConfig.cfg", sections);
        setup::WriteRegistryDefaults(rig.os.profile, rig.os.registry, setuptest::kSetupFolder);
    }

    std::optional<Value> Software(const std::wstring& name) const
    {
        return rig.os.registry.Get(kLm, kView32, L"SOFTWARE\\KVQ 48xx Software", name);
    }
    std::optional<Value> EncValue(const std::wstring& name) const
    {
        return rig.os.registry.Get(kLm, kView32, L"SOFTWARE\\KVQ 48xx Software\\EncValueMap", name);
    }

    setuptest::SetupRig rig;
};

TEST_F(SetupRegistrationTest, EncValueMapKeysOneToNineteenWithTwoItemsAreWritten)
{
    Defaults("[EncValueMap]\r\n1=VID_4D2F&PID_4801,3\r\n3=VID_4D2F&PID_4802,5\r\n5=VID_4D2F&PID_4803\r\n"
             "19=VID_4D2F&PID_4819,7,extra\r\n20=VID_4D2F&PID_4820,9\r\n");
    EXPECT_EQ(EncValue(L"VID_4D2F&PID_4801"), Value(3u));
    EXPECT_EQ(EncValue(L"VID_4D2F&PID_4802"), Value(5u));
    EXPECT_EQ(EncValue(L"VID_4D2F&PID_4819"), Value(7u));
    EXPECT_EQ(rig.os.registry.ValueCount(kLm, kView32, L"SOFTWARE\\KVQ 48xx Software\\EncValueMap"), 3u);
}

TEST_F(SetupRegistrationTest, DefaultSetValuesAreWrittenOnlyWhenGiven)
{
    Defaults("[DefaultSet]\r\nV7ch1Scalar=15,x\r\nVoiceMagicLevel=-2\r\nEncScalar=abc\r\n");
    EXPECT_EQ(Software(L"EncEnable"), Value(0u)); // missing: written as 0
    EXPECT_EQ(Software(L"Virtual7ch1Scalar"), Value(15u));
    EXPECT_EQ(Software(L"VoiceMagicLevel"), Value(static_cast<std::uint32_t>(-2)));
    EXPECT_EQ(Software(L"EncScalar"), Value(0u)); // no leading digits
    EXPECT_FALSE(Software(L"EncGpio"));
    EXPECT_FALSE(Software(L"VoiceMagicEnable"));

    Defaults("[DefaultSet]\r\nEncEnable=1,2\r\nEncGpio=8\r\n");
    EXPECT_EQ(Software(L"EncEnable"), Value(1u));
    EXPECT_EQ(Software(L"EncGpio"), Value(8u));
}

TEST_F(SetupRegistrationTest, DeviceIdGroupsAreCopiedOrTheCopyFails)
{
    DEVICEID_MGR::CDeviceIdMgr group(rig.os.files);
    EXPECT_EQ(setup::CopyDeviceIdGroup(group, rig.os.registry, setuptest::kSetupFolder, L"KVQ USB DeviceId Group",
                                       L"USB_VID_PID", L"AudioConfig.cfg"),
              0);
    EXPECT_EQ(rig.os.registry.Get(kLm, kView32, L"SOFTWARE\\KVQ USB DeviceId Group", L"1"),
              Value(L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00"));

    const std::wstring folder = setuptest::kSetupFolder;
    EXPECT_EQ(setup::CopyDeviceIdGroup(group, rig.os.registry, folder, L"KVQ HID DeviceId Group", L"NO_SUCH_SECTION",
                                       L"AudioConfig.cfg"),
              1);
    EXPECT_EQ(setup::CopyDeviceIdGroup(group, rig.os.registry, folder, L"KVQ HID DeviceId Group", L"HID_VID_PID",
                                       L"Missing.cfg"),
              1);
    EXPECT_FALSE(rig.os.registry.KeyExists(kLm, kView32, L"SOFTWARE\\KVQ HID DeviceId Group"));
}

TEST_F(SetupRegistrationTest, AnUnwritableUninstallKeyIsReported)
{
    const setup::_REG_UNINSTALL_INFO info = setup::MakeUninstallInfo(rig.LoadConfig(), L"2.1.0.7");
    EXPECT_EQ(info.UninstallString, L"C:\\Program Files\\Acme\\AcmeRemove.exe");
    rig.os.registry.FailOpen(kLm, kView32, info.key);
    EXPECT_FALSE(setup::WriteUninstallEntry(rig.os.registry, info));
}

TEST_F(SetupRegistrationTest, ShortcutFoldersWithAndWithoutTheUpperFolder)
{
    const std::wstring programs = setuptest::kCommonPrograms;
    setup::CreateProgramsShortcut(rig.Shortcuts(), L"Acme", L"C:\\a.exe", L"Panel", L"");
    setup::CreateProgramsShortcut(rig.Shortcuts(), L"Acme", L"C:\\b.exe", L"Panel", L"Vendor");
    setup::CreateDesktopShortcut(rig.Shortcuts(), L"C:\\a.exe", L"Panel");

    EXPECT_EQ(rig.system.links, (std::map<std::wstring, std::wstring>{
                                    {programs + L"\\Acme\\Panel.lnk", L"C:\\a.exe"},
                                    {programs + L"\\Vendor\\Acme\\Panel.lnk", L"C:\\b.exe"},
                                    {std::wstring(setuptest::kDesktop) + L"\\Panel.lnk", L"C:\\a.exe"}}));
    EXPECT_TRUE(rig.os.files.FolderExists(programs + L"\\Vendor\\Acme"));
}

TEST_F(SetupRegistrationTest, ALinkPathTooLongForTheShellIsNotSaved)
{
    setup::CreateProgramsShortcut(rig.Shortcuts(), L"Acme", L"C:\\a.exe", std::wstring(250, L'p'), L"");
    EXPECT_TRUE(rig.system.links.empty());
    EXPECT_EQ(rig.LinesStartingWith(L"***** Shortcut path too long").size(), 1u);
}

} // namespace
