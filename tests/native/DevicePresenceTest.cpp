#include "device/DevicePresence.h"

#include "ChipRecord.h"
#include "emulator/EmulatedDevice.h"
#include "emulator/Faults.h"
#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

using device::DeviceOutcome;
using device::ProbeResult;
using sdk::EntryPoint;

namespace {

constexpr wchar_t kConfig[] = L"C:\\Tonvio\\AudioConfig.cfg";
constexpr device::DeviceIds kIds{0x4D2F, 0x4812};

class DevicePresenceTest : public ::testing::Test {
protected:
    DevicePresenceTest()
    {
        files.Put(kConfig, "[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n");
        device.chip().SetIdentity(kIds.vid, kIds.pid);
    }

    device::DevicePorts Ports()
    {
        return {files, device.enumeration(), device.sdk(), device.hid(), channel, clock, debug};
    }

    std::size_t CallsOf(EntryPoint entry)
    {
        std::size_t count = 0;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            count += request.entryPoint == static_cast<std::uint8_t>(entry);
        return count;
    }

    memory::MemoryFileSystem files;
    emulator::EmulatedDevice device;
    device::FilterDriverChannel channel{device.filterDriver()};
    memory::ManualClock clock;
    memory::RecordingDebugOutput debug;
};

} // namespace

TEST_F(DevicePresenceTest, StartupOutcomes)
{
    struct Case {
        bool plugged;
        bool driverChannel;
        DeviceOutcome outcome;
    };
    const Case cases[] = {
        {true, true, DeviceOutcome::Active},
        {true, false, DeviceOutcome::MissingDriver},
        {false, true, DeviceOutcome::NoHid},
    };
    for (const Case& c : cases) {
        c.plugged ? device.chip().Plug() : device.chip().Unplug();
        device.chip().SetDriverChannelPresent(c.driverChannel);
        const auto detection = device::DetectAtStartup(Ports(), kConfig);
        EXPECT_EQ(detection.outcome, c.outcome) << c.plugged << c.driverChannel;
        EXPECT_EQ(detection.keptHandle != nullptr, c.plugged) << "the HID handle is kept when the device is there";
        EXPECT_EQ(detection.identification.ids, c.plugged ? kIds : device::DeviceIds{});
    }
}

TEST_F(DevicePresenceTest, FailedActivationIsLoggedAndRetriedOnceAfter10Ms)
{
    device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetActive_Device, 1));
    const auto detection = device::DetectAtStartup(Ports(), kConfig);
    EXPECT_EQ(CallsOf(EntryPoint::DLLQZ_SetActive_Device), 2u);
    EXPECT_EQ(detection.identification.setActiveResult, 0);
    EXPECT_EQ(clock.TotalSleptMs(), 10u);
    ASSERT_EQ(debug.Lines().size(), 1u);
    EXPECT_EQ(debug.Lines()[0].rfind(L"***** fnDLLQZ_SetActive_Device, ret = ", 0), 0u);
    EXPECT_EQ(detection.outcome, DeviceOutcome::Active);
}

TEST_F(DevicePresenceTest, ProbeAsksUpToNTimesInARow)
{
    struct Case {
        std::uint32_t unanswered;
        int attempts;
        ProbeResult result;
        std::size_t commands;
    };
    const Case cases[] = {
        {0, device::kArrivalProbeAttempts, ProbeResult::Ready, 1},
        {4, device::kArrivalProbeAttempts, ProbeResult::Ready, 5},
        {5, device::kArrivalProbeAttempts, ProbeResult::NoAnswer, 5},
        {5, device::kPollProbeAttempts, ProbeResult::Ready, 6},
        {emulator::kForever, device::kPollProbeAttempts, ProbeResult::NoAnswer, 10},
    };
    // Arrival and poll identify the device, which makes it the SDK's active device, before they probe.
    ASSERT_EQ(device.sdk().DLLQZ_SetActive_Device(kIds.vid, kIds.pid), 0);
    for (const Case& c : cases) {
        device.chip().ClearRequests();
        device.chip().SetProbeFailures(c.unanswered);
        EXPECT_EQ(device::ProbeReadiness(device.hid(), device.sdk(), kIds, c.attempts), c.result) << c.unanswered;
        EXPECT_EQ(CallsOf(EntryPoint::DLLQZ_AudioCommand), c.commands) << c.unanswered;
        device.chip().SetProbeFailures(0);
    }
}

TEST_F(DevicePresenceTest, ProbeWithoutHidInterfaceAsksNothing)
{
    device.chip().Unplug();
    EXPECT_EQ(device::ProbeReadiness(device.hid(), device.sdk(), kIds, device::kPollProbeAttempts), ProbeResult::NoHid);
    EXPECT_EQ(CallsOf(EntryPoint::DLLQZ_AudioCommand), 0u);
}

TEST(DeviceRemoval, OnlyTheHidInterfaceOfTheSameDeviceCounts)
{
    struct Case {
        bool hidClass;
        const wchar_t* path;
        bool ours;
    };
    const Case cases[] = {
        {true, L"\\\\?\\HID#VID_4D2F&PID_4812&MI_03#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", true},
        {true, L"\\\\?\\HID#Vid_4d2f&Pid_4812#1", true},
        {true, L"\\\\?\\HID#VID_4D2F&PID_4813&MI_03#1", false}, // another device of the family
        {true, L"\\\\?\\HID#VID_046D&PID_4812#1", false},
        {false, L"\\\\?\\USB#VID_4D2F&PID_4812&MI_00#1", false}, // the audio interface, not the HID one
        {true, L"\\\\?\\ROOT#SYSTEM#0000", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(device::IsRemovalOfDevice(c.hidClass, c.path, kIds), c.ours) << c.path;
}
