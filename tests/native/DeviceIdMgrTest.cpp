#include "common/DeviceIdMgr.h"

#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

using DEVICEID_MGR::CDeviceIdMgr;

namespace {

constexpr wchar_t kConfig[] = L"C:\\Tonvio\\AudioConfig.cfg";
constexpr wchar_t kId4812[] = L"USB\\VID_4D2F&PID_4812&REV_0100&MI_00";

class DeviceIdMgrTest : public ::testing::Test {
protected:
    int Load(const std::string& text, const wchar_t* section = DEVICEID_MGR::kUsbIdSection)
    {
        rig.files.Put(kConfig, text);
        return ids.LoadFromIniFile(kConfig, section);
    }

    memory::MemoryPlatform rig;
    CDeviceIdMgr ids{rig.files};
};

} // namespace

TEST_F(DeviceIdMgrTest, LoadResults)
{
    struct Case {
        const char* file;
        int result;
    };
    const Case cases[] = {
        {"[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n", 0},
        {"[USB_VID_PID]\r\n1=\r\n2=   \r\n", 0},
        {"[Other]\r\n1=x\r\n", 2},
        {"[usb_vid_pid]\r\n1=x\r\n", 2}, // section names are exact
        {"[USB_VID_PID]\r\n", 3},
        {"[USB_VID_PID]\r\n; only a comment\r\n", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Load(c.file), c.result) << c.file;

    EXPECT_EQ(ids.LoadFromIniFile(L"C:\\missing.cfg", DEVICEID_MGR::kUsbIdSection), 1);
    rig.files.Put(L"C:\\bad.cfg", "\xEF\xBB\xBF[USB_VID_PID]\n1=\xFF\n");
    EXPECT_EQ(ids.LoadFromIniFile(L"C:\\bad.cfg", DEVICEID_MGR::kUsbIdSection), 1) << "undecodable file";
}

TEST_F(DeviceIdMgrTest, EntriesAreTrimmedDeduplicatedAndSorted)
{
    ASSERT_EQ(Load("[USB_VID_PID]\r\n"
                   "b=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n"
                   "a= USB\\VID_1111&PID_2222&REV_0100&MI_00 \r\n"
                   "c=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n"
                   "d=\r\n"
                   "b=ignored: the first entry of a name wins\r\n"),
              0);
    EXPECT_EQ(ids.Entries().size(), 5u);
    EXPECT_EQ(ids.Entries()[4], L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00") << "a repeated name yields the first value";
    const std::vector<std::wstring> accepted(ids.Accepted().begin(), ids.Accepted().end());
    EXPECT_EQ(accepted, (std::vector<std::wstring>{L"USB\\VID_1111&PID_2222&REV_0100&MI_00",
                                                   L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00"}));

    EXPECT_EQ(Load("[USB_VID_PID]\r\n"), 3);
    EXPECT_TRUE(ids.Accepted().empty()) << "a failed load past the file read empties the lists";
}

TEST_F(DeviceIdMgrTest, PatternMatching)
{
    ASSERT_EQ(Load("[USB_VID_PID]\r\n1=usb\\vid_4d2f&pid_48xx&rev_0100&mi_00\r\n2=AB\r\n"), 0);
    struct Case {
        const wchar_t* id;
        bool accepted;
    };
    const Case cases[] = {
        {kId4812, true},
        {L"usb\\vid_4d2f&pid_48ab&rev_0100&mi_00", true},
        {L"USB\\VID_4D2F&PID_4812&REV_0100", false}, // different length
        {L"USB\\VID_4D2F&PID_4912&REV_0100&MI_00", false},
        {L"ab", true},
        {L"xB", false}, // an "x" in the ID is no wildcard
        {L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ids.IsAcceptedDeviceId(c.id), c.accepted) << c.id;
}

TEST_F(DeviceIdMgrTest, FindPresentDeviceTakesTheFirstAcceptedDeviceOfTheTemplateLength)
{
    ASSERT_EQ(Load("[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n2=USB\\VID_4D2F&PID_48XX\r\n"), 0);
    rig.devices.Add({});                                         // no hardware ID at all
    rig.devices.Add({L"USB\\VID_4D2F&PID_4812"});                // accepted, but not of the template's length
    rig.devices.Add({L"ACPI\\PNP0303", kId4812});                // only the first ID counts
    rig.devices.Add({L"USB\\VID_4D2F&PID_4855&REV_0100&MI_00"}); // the first that matches
    rig.devices.Add({kId4812});

    std::wstring found = L"unchanged";
    ASSERT_TRUE(ids.FindPresentDevice(rig.devices, DEVICEID_MGR::kHardwareIdTemplate, found));
    EXPECT_EQ(found, L"USB\\VID_4D2F&PID_4855&REV_0100&MI_00");

    rig.devices.FailListing();
    found = L"unchanged";
    EXPECT_FALSE(ids.FindPresentDevice(rig.devices, DEVICEID_MGR::kHardwareIdTemplate, found));
    EXPECT_EQ(found, L"unchanged");
}

TEST_F(DeviceIdMgrTest, SaveToRegistryNumbersThePatternsAndLeavesOtherValues)
{
    const std::wstring key = std::wstring(L"SOFTWARE\\") + DEVICEID_MGR::kUsbIdGroup;
    {
        auto stale = rig.registry.CreateKey(ports::RegistryRoot::LocalMachine, key, ports::RegistryView::Bits32);
        stale.key->WriteString(L"5", L"left from a longer list");
    }
    ASSERT_EQ(Load("[USB_VID_PID]\r\n1=USB\\VID_2&PID_2\r\n2=USB\\VID_1&PID_1\r\n3=USB\\VID_1&PID_1\r\n"), 0);
    EXPECT_EQ(ids.SaveToRegistry(rig.registry, DEVICEID_MGR::kUsbIdGroup), 0);

    const auto saved = rig.registry.OpenKey(ports::RegistryRoot::LocalMachine, key, ports::RegistryView::Bits32);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->ReadString(L"1"), L"USB\\VID_1&PID_1");
    EXPECT_EQ(saved->ReadString(L"2"), L"USB\\VID_2&PID_2");
    EXPECT_EQ(saved->ReadString(L"3"), std::nullopt);
    EXPECT_EQ(saved->ReadString(L"5"), L"left from a longer list");
}
