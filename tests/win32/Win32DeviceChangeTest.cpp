// Device changes as the window host hears them: WM_DEVICECHANGE read into the form's event, the pump after
// it, the registration for interface broadcasts, and the emulated chip's plug-ins and removals broadcast
// to the window as the system would.

#include "device/DevicePresence.h"
#include "emulator/win32/EmulatedDeviceNotifier.h"
#include "emulator/win32/SharedEmulatedDevice.h"
#include "panel/form/MainFormComponents.h"
#include "panel/ports/WindowEvents.h"
#include "platform/win32/Win32DeviceNotifications.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Event = ports::DeviceChange::Event;

class RecordingEvents final : public ports::WindowEvents {
public:
    void OnActivate() override {}
    // Notes how many device changes had come before, to tell when the pump ran.
    void OnRegisteredMessage(std::uint32_t) override { registeredAfter.push_back(changes.size()); }
    void OnSystemMinimize() override {}
    void OnSystemRestore() override {}
    void OnMouseDown(int, int) override {}
    void OnMouseUp(int, int) override {}
    void OnHookedMouse(const ports::HookedMouse&) override {}
    void OnDeviceChange(const ports::DeviceChange& change) override { changes.push_back(change); }
    void OnTrayDoubleClick() override {}
    void OnTrayRightButtonUp() override {}
    void OnDestroy() override {}

    std::vector<ports::DeviceChange> changes;
    std::vector<std::size_t> registeredAfter;
};

// A device-interface broadcast; `sizeOverride` replaces the size the block claims.
std::vector<std::byte> InterfaceBlock(const GUID& interfaceClass, const std::wstring& name, DWORD sizeOverride = 0)
{
    const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    std::vector<std::byte> block(nameOffset + (name.size() + 1) * sizeof(wchar_t) + sizeof(DWORD));
    DEV_BROADCAST_DEVICEINTERFACE_W head{};
    head.dbcc_size =
        sizeOverride != 0 ? sizeOverride : static_cast<DWORD>(nameOffset + (name.size() + 1) * sizeof(wchar_t));
    head.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    head.dbcc_classguid = interfaceClass;
    std::memcpy(block.data(), &head, nameOffset);
    std::memcpy(block.data() + nameOffset, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    return block;
}

std::vector<std::byte> VolumeBlock()
{
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << 4;
    std::vector<std::byte> block(sizeof(volume));
    std::memcpy(block.data(), &volume, sizeof(volume));
    return block;
}

constexpr wchar_t kHidPath[] =
    L"\\\\?\\HID#VID_4D2F&PID_4812&MI_03#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr wchar_t kAudioPath[] =
    L"\\\\?\\USB#VID_4D2F&PID_4812&MI_00#6&2b3c4d5e&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}\\global";

class DeviceChangeTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Created());
        window.Attach(form, events);
    }

    // Runs the window's messages until `count` device changes have come, or `rounds` times 10 ms passed.
    void PumpUntilChanges(std::size_t count, int rounds = 200)
    {
        for (int i = 0; i < rounds && events.changes.size() < count; ++i) {
            ::Sleep(10);
            window.ProcessPendingMessages();
        }
    }

    form::Form form = form::BuildMainForm(L"Device change test");
    RecordingEvents events;
    win32::Win32MainWindow window{::GetModuleHandleW(nullptr)};
};

} // namespace

TEST_F(DeviceChangeTest, InterfaceArrivalsAndRemovalsReachTheFormAndThePumpRunsAfterEveryChange)
{
    struct Case {
        const char* what;
        WPARAM event;
        std::vector<std::byte> block; // empty: lParam 0
        ports::DeviceChange expected;
    };
    const Case cases[] = {
        {"HID arrival",
         DBT_DEVICEARRIVAL,
         InterfaceBlock(win32::kHidInterfaceClass, kHidPath),
         {Event::Arrival, true, true, kHidPath}},
        {"HID removal",
         DBT_DEVICEREMOVECOMPLETE,
         InterfaceBlock(win32::kHidInterfaceClass, kHidPath),
         {Event::RemoveComplete, true, true, kHidPath}},
        {"audio removal",
         DBT_DEVICEREMOVECOMPLETE,
         InterfaceBlock(win32::kAudioInterfaceClass, kAudioPath),
         {Event::RemoveComplete, true, false, kAudioPath}},
        {"name longer than the block says",
         DBT_DEVICEARRIVAL,
         InterfaceBlock(win32::kHidInterfaceClass, L"ABCDEF",
                        static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 3 * sizeof(wchar_t))),
         {Event::Arrival, true, true, L"ABC"}},
        {"volume arrival", DBT_DEVICEARRIVAL, VolumeBlock(), {}},
        {"arrival without a block", DBT_DEVICEARRIVAL, {}, {}},
        {"query remove of an interface",
         DBT_DEVICEQUERYREMOVE,
         InterfaceBlock(win32::kHidInterfaceClass, kHidPath),
         {}},
        {"device nodes changed", DBT_DEVNODES_CHANGED, {}, {}},
    };
    win32::Win32WindowMessages messages;
    const UINT queued = messages.Register(L"WM_TONVIO_DEVICE_CHANGE_TEST");
    for (const Case& c : cases) {
        events.changes.clear();
        events.registeredAfter.clear();
        ASSERT_TRUE(::PostMessageW(window.Handle(), queued, 0, 0));
        auto block = c.block;
        ::SendMessageW(window.Handle(), WM_DEVICECHANGE, c.event,
                       block.empty() ? 0 : reinterpret_cast<LPARAM>(block.data()));

        ASSERT_EQ(events.changes.size(), 1u) << c.what;
        const ports::DeviceChange& change = events.changes.front();
        EXPECT_EQ(change.event, c.expected.event) << c.what;
        EXPECT_EQ(change.deviceInterface, c.expected.deviceInterface) << c.what;
        EXPECT_EQ(change.hidClass, c.expected.hidClass) << c.what;
        EXPECT_EQ(change.interfacePath, c.expected.interfacePath) << c.what;
        EXPECT_EQ(events.registeredAfter, std::vector<std::size_t>{1}) << c.what << ": the queued message ran after";
    }
}

TEST_F(DeviceChangeTest, WindowRegistersForInterfaceBroadcasts)
{
    win32::Win32DeviceNotifications notifications(window.Handle());
    EXPECT_TRUE(notifications.RegisterWindow());
}

TEST_F(DeviceChangeTest, EmulatedChipsPlugInsAndRemovalsArriveAsTheSystemsBroadcasts)
{
    // Two openings of one chip: the panel's, and the control tool's in another process.
    constexpr wchar_t kChipName[] = L"TonvioDeviceChangeTest";
    unsigned long error = 0;
    const auto watched = emulator::SharedEmulatedDevice::Open(error, kChipName);
    ASSERT_NE(watched, nullptr) << error;
    const auto tool = emulator::SharedEmulatedDevice::Open(error, kChipName);
    ASSERT_NE(tool, nullptr) << error;
    tool->chip().SetIdentity(0x4D2F, 0x4812);
    tool->chip().Plug();

    emulator::EmulatedDeviceNotifier notifier(watched->chip(), window.Handle(), 10);
    ASSERT_TRUE(notifier.Watching());
    PumpUntilChanges(1, 10);
    EXPECT_TRUE(events.changes.empty()) << "the state at the start is not a change";

    struct Expected {
        Event event;
        bool hidClass;
        std::wstring path;
    };
    const auto expectBroadcasts = [&](const std::vector<Expected>& expected, const char* what) {
        PumpUntilChanges(expected.size());
        PumpUntilChanges(expected.size() + 1, 5); // and nothing more
        ASSERT_EQ(events.changes.size(), expected.size()) << what;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(events.changes[i].event, expected[i].event) << what << " #" << i;
            EXPECT_TRUE(events.changes[i].deviceInterface) << what << " #" << i;
            EXPECT_EQ(events.changes[i].hidClass, expected[i].hidClass) << what << " #" << i;
            EXPECT_EQ(events.changes[i].interfacePath, expected[i].path) << what << " #" << i;
        }
        events.changes.clear();
    };

    tool->chip().Unplug();
    expectBroadcasts({{Event::RemoveComplete, false, kAudioPath}, {Event::RemoveComplete, true, kHidPath}}, "unplug");
    tool->chip().Plug();
    expectBroadcasts({{Event::Arrival, false, kAudioPath}, {Event::Arrival, true, kHidPath}}, "plug");

    // Out and in again between two looks, or in as another device: the old device goes, the new one comes.
    tool->chip().Unplug();
    tool->chip().SetIdentity(0x4D2F, 0x4801);
    tool->chip().Plug();
    const std::wstring otherHidPath =
        L"\\\\?\\HID#VID_4D2F&PID_4801&MI_03#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    const std::wstring otherAudioPath =
        L"\\\\?\\USB#VID_4D2F&PID_4801&MI_00#6&2b3c4d5e&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}\\global";
    expectBroadcasts({{Event::RemoveComplete, false, kAudioPath},
                      {Event::RemoveComplete, true, kHidPath},
                      {Event::Arrival, false, otherAudioPath},
                      {Event::Arrival, true, otherHidPath}},
                     "re-plugged as another device");

    // The panel's removal rule recognises the broadcast for its own device, and only that one.
    const device::DeviceIds ids{0x4D2F, 0x4801};
    tool->chip().Unplug();
    PumpUntilChanges(2);
    ASSERT_EQ(events.changes.size(), 2u);
    EXPECT_FALSE(device::IsRemovalOfDevice(events.changes[0].hidClass, events.changes[0].interfacePath, ids));
    EXPECT_TRUE(device::IsRemovalOfDevice(events.changes[1].hidClass, events.changes[1].interfacePath, ids));
}
