#include "device/DeviceIdentification.h"

#include "ChipRecord.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/MemoryFileSystem.h"

#include <gtest/gtest.h>

using device::DeviceIds;

TEST(DeviceIdentification, ParsesVidAndPidFromHardwareIds)
{
    struct Case {
        const wchar_t* hardwareId;
        DeviceIds ids;
    };
    const Case cases[] = {
        {L"USB\\VID_4D2F&PID_4812&REV_0100&MI_00", {0x4D2F, 0x4812}},
        {L"USB\\Vid_4d2f&Pid_1a2b&MI_00", {0x4D2F, 0x1A2B}},
        {L"USB\\VID_4D2F&Pid_00FF", {0x4D2F, 0x00FF}},
        {L"USB\\VID_12&PID_3", {0x12, 0x3}},             // reading stops at the first non-digit
        {L"USB\\VID_12345&PID_67890", {0x1234, 0x6789}}, // four characters at most
        {L"USB\\PID_4812", {0, 0}},                      // no VID: nothing is read
        {L"USB\\VID_4D2F", {0x4D2F, 0}},
        {L"USB\\vid_4D2F&pid_4812", {0, 0}}, // only the two spellings count
        {L"", {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(device::ParseDeviceIds(c.hardwareId), c.ids) << c.hardwareId;
}

namespace {

constexpr wchar_t kConfig[] = L"C:\\Tonvio\\AudioConfig.cfg";

class IdentifyDeviceTest : public ::testing::Test {
protected:
    IdentifyDeviceTest() { files.Put(kConfig, "[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n"); }

    std::vector<emulator::RecordedRequest> SetActiveCalls()
    {
        std::vector<emulator::RecordedRequest> calls;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            if (request.entryPoint == static_cast<std::uint8_t>(sdk::EntryPoint::DLLQZ_SetActive_Device))
                calls.push_back(request);
        return calls;
    }

    memory::MemoryFileSystem files;
    emulator::EmulatedDevice device;
};

} // namespace

TEST_F(IdentifyDeviceTest, ActivatesThePresentAcceptedDevice)
{
    device.chip().SetIdentity(0x4D2F, 0x4812);
    const auto found = device::IdentifyDevice(files, device.enumeration(), device.sdk(), kConfig);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.hardwareId, L"USB\\VID_4D2F&PID_4812&REV_0100&MI_00");
    EXPECT_EQ(found.ids, (DeviceIds{0x4D2F, 0x4812}));
    EXPECT_EQ(found.setActiveResult, 0);
    const auto calls = SetActiveCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args[0], 0x4D2F);
    EXPECT_EQ(calls[0].args[1], 0x4812);
}

TEST_F(IdentifyDeviceTest, NothingFoundActivatesZeroIdsAfterEverySearch)
{
    struct Case {
        const char* config;
        bool plugged;
    };
    // Unplugged; plugged but not accepted; no section at all.
    const Case cases[] = {
        {"[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n", false},
        {"[USB_VID_PID]\r\n1=USB\\VID_1111&PID_48XX&REV_0100&MI_00\r\n", true},
        {"[Other]\r\n1=x\r\n", true},
    };
    for (const Case& c : cases) {
        files.Put(kConfig, c.config);
        c.plugged ? device.chip().Plug() : device.chip().Unplug();
        device.chip().ClearRequests();
        const auto found = device::IdentifyDevice(files, device.enumeration(), device.sdk(), kConfig, 2);
        EXPECT_FALSE(found.found) << c.config;
        EXPECT_EQ(found.hardwareId, L"");
        EXPECT_EQ(found.ids, (DeviceIds{0, 0}));
        const auto calls = SetActiveCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].args[0], 0);
        EXPECT_EQ(calls[0].args[1], 0);
    }
}
