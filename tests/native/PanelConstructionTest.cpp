// The control panel put together on the emulated device: SDK load, start-up detection and what the
// window shows for it, hot-plug through the window's device notifications, plug-ins and shutdown.

#include "ChipRecord.h"
#include "PanelFixture.h"
#include "common/IniKeys.h"
#include "panel/form/MainFormComponents.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using testing_panel::kSkinFolder;
using Event = ports::DeviceChange::Event;

const std::wstring kHidPath =
    L"\\\\?\\HID#VID_4D2F&PID_4802&MI_03#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

class PanelConstructionTest : public ::testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override { PutKit(); }

    shell::TAudioMainForm& Start()
    {
        shell::TAudioMainForm& main = Create();
        EXPECT_TRUE(main.Construct());
        return main;
    }

    std::wstring Caption(shell::TAudioMainForm& main, const wchar_t* control)
    {
        const form::Control& label = *main.Form().Find(control);
        return label.visible ? label.caption : L"(hidden)";
    }

    std::wstring Picture(shell::TAudioMainForm& main, const wchar_t* control)
    {
        const std::wstring& file = main.Form().Find(control)->picture.file;
        return file.substr(file.find_last_of(L'\\') + 1);
    }

    std::vector<sdk::EntryPoint> SdkCalls()
    {
        std::vector<sdk::EntryPoint> calls;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            calls.push_back(static_cast<sdk::EntryPoint>(request.entryPoint));
        return calls;
    }

    std::vector<std::uint32_t> DriverCodes()
    {
        std::vector<std::uint32_t> codes;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::DriverControl))
            codes.push_back(static_cast<std::uint32_t>(request.args[0]));
        return codes;
    }
};

} // namespace

TEST_F(PanelConstructionTest, SdkLoadFailureShowsItsCodeAndEndsTheConstruction)
{
    sdkSource.result = 4;
    shell::TAudioMainForm& main = Create();
    EXPECT_FALSE(main.Construct());
    const std::wstring text = L"***** Open_DLLQZ_Tonvio48xx, ret = 4 *****";
    ASSERT_EQ(windowSide.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(windowSide.messageBoxes.shown[0].text, text);
    EXPECT_EQ(platform.debug.Lines(), std::vector<std::wstring>{text});
    EXPECT_FALSE(windowSide.tray.shown) << "nothing after the failed load runs";
    main.FormDestroy(); // the window goes all the same
    EXPECT_TRUE(device.chip().Requests().empty()) << "no device was driven, at start or at the end";
}

TEST_F(PanelConstructionTest, StartupShowsEachDetectionOutcome)
{
    struct Case {
        const char* what;
        bool plugged;
        bool driverChannel;
        const wchar_t* label;
        const wchar_t* inPicture;
        const wchar_t* outPicture;
        bool polling;
    };
    const Case cases[] = {
        {"device ready", true, true, L"Device active", L"in_up.png", L"out_down.png", false},
        {"driver channel missing", true, false, L"Driver missing", L"in_down.png", L"out_up.png", true},
        {"no device", false, true, L"No device", L"in_down.png", L"out_up.png", true},
    };
    for (const Case& c : cases) {
        c.plugged ? device.chip().Plug() : device.chip().Unplug();
        device.chip().SetDriverChannelPresent(c.driverChannel);
        windowSide.notifications.registrations = 0;
        shell::TAudioMainForm& main = Start();
        EXPECT_EQ(Caption(main, L"DeviceActiveLabel"), c.label) << c.what;
        EXPECT_EQ(Picture(main, L"DeviceInImage"), c.inPicture) << c.what;
        EXPECT_EQ(Picture(main, L"DeviceOutImage"), c.outPicture) << c.what;
        EXPECT_EQ(main.Timers().Enabled(L"Timer1"), c.polling) << c.what;
        EXPECT_EQ(main.State().deviceActive, !c.polling) << c.what;
        EXPECT_EQ(windowSide.notifications.registrations, 1) << c.what;
    }
}

TEST_F(PanelConstructionTest, ActiveStartSendsTheStartupDeviceState)
{
    PutKit("[DefaultSet]\r\nV7ch1Scalar=15\r\n");
    device.chip().ClearRequests();
    shell::TAudioMainForm& main = Start();
    ASSERT_TRUE(main.State().deviceActive);

    const auto calls = SdkCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), sdk::EntryPoint::DLLQZ_SetActive_Device);
    // The scalar closes the device's start-up state; the default layout follows it, switched off.
    using sdk::EntryPoint;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ((std::vector<EntryPoint>(calls.end() - 3, calls.end())),
              (std::vector{EntryPoint::DLLQZ_SetVirtual7ch1_Scalar, EntryPoint::DLLQZ_SetVirtual7ch1_OnOff,
                           EntryPoint::DLLQZ_SetVirtual7ch1}));
    EXPECT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.sound.virtualBlock.enabled; }), 0);
    EXPECT_FLOAT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.sound.virtualScalar; }), 1.5f);
    using namespace device::driver_codes;
    EXPECT_EQ(DriverCodes(), (std::vector<std::uint32_t>{kStatus, kControl, kEffectSwitch}));
    EXPECT_EQ(main.State().activationCount, 0);
    EXPECT_EQ(main.State().deviceVid, 0x4D2F);
    EXPECT_EQ(main.State().devicePid, 0x4802);
}

TEST_F(PanelConstructionTest, NoDeviceAtStartThenThePollFindsIt)
{
    device.chip().Unplug();
    shell::TAudioMainForm& main = Start();
    ASSERT_TRUE(main.Timers().Enabled(L"Timer1"));

    device.chip().Plug();
    platform.clock.Advance(1999);
    EXPECT_FALSE(main.State().deviceActive);
    platform.clock.Advance(1);
    EXPECT_TRUE(main.State().deviceActive);
    EXPECT_EQ(Caption(main, L"DeviceActiveLabel"), L"Device active");
    EXPECT_FALSE(main.Timers().Enabled(L"Timer1"));
    EXPECT_EQ(main.State().activationCount, 1);
}

TEST_F(PanelConstructionTest, HotPlugThroughTheWindowsDeviceNotifications)
{
    shell::TAudioMainForm& main = Start();
    ASSERT_TRUE(main.State().deviceActive);
    main.States().page = 3;

    device.chip().Unplug();
    main.OnDeviceChange({Event::RemoveComplete, true, true, kHidPath});
    EXPECT_FALSE(main.State().deviceActive);
    EXPECT_EQ(Caption(main, L"DeviceActiveLabel"), L"No device");
    EXPECT_EQ(main.State().m_hDevice, nullptr);
    EXPECT_EQ(main.States().page, 3) << "a removal keeps the page";
    EXPECT_FALSE(main.Timers().Enabled(L"Timer1")) << "after a removal the panel waits for the arrival";

    device.chip().Plug();
    device.chip().ClearRequests();
    main.OnDeviceChange({Event::Arrival, true, false, L"\\\\?\\USB#VID_4D2F&PID_4802&MI_00#{audio}"});
    EXPECT_TRUE(main.State().deviceActive);
    EXPECT_EQ(Caption(main, L"DeviceActiveLabel"), L"Device active");
    // The arrival switches the monitor off on the chip first; the identification follows.
    const auto calls = chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall);
    const auto setActive = std::ranges::find(calls, static_cast<std::uint8_t>(sdk::EntryPoint::DLLQZ_SetActive_Device),
                                             &emulator::RecordedRequest::entryPoint);
    ASSERT_NE(setActive, calls.end());
    EXPECT_EQ(static_cast<sdk::EntryPoint>(calls.front().entryPoint), sdk::EntryPoint::DLLQZ_Read_Register_ById);
    EXPECT_EQ(chip_record::Args(*setActive), (std::vector<std::int32_t>{0x4D2F, 0x4802}));
}

TEST_F(PanelConstructionTest, EmulatedDeviceSaysSo)
{
    const shell::PanelDevices emulated{sdkSource, device.hid(), device.filterDriver(), device.enumeration(), audio, true};
    app.reset();
    app.emplace(ports, window, emulated, shell::StartContext{testing_panel::kProgram, L"TonvioApp.exe"});
    ASSERT_TRUE(app->MainForm().Construct());
    EXPECT_EQ(Caption(app->MainForm(), L"DeviceActiveLabel"), L"Device active (emulated)");
}

TEST_F(PanelConstructionTest, OnlyOfferedPluginsGetMenuItems)
{
    const std::wstring root = std::wstring(testing_panel::kProgramFolder) + L"Effects\\";
    for (const wchar_t* name : {L"FxPro", L"Echo", L"Hidden"})
        platform.files.Put(root + name + L"\\" + name + L".exe", "MZ");
    PutKit("[Plugin]\r\nPluginFolderName=Effects\r\n[Application]\r\nFxPro=1\r\nHidden=0\r\n");
    shell::TAudioMainForm& main = Start();
    const form::MenuItem& plugins = *main.PopupMenu().Find(form::kPluginMenuId);
    ASSERT_EQ(plugins.items.size(), 1u);
    EXPECT_EQ(plugins.items[0].caption, L"FxPro");
    EXPECT_TRUE(plugins.visible);
    EXPECT_EQ(main.State().pluginCount, 1);
}

TEST_F(PanelConstructionTest, SkinAndLanguageDressTheWindow)
{
    shell::TAudioMainForm& main = Start();
    EXPECT_EQ(main.SkinName(), L"Dark");
    EXPECT_EQ(main.LanguageName(), L"English");
    EXPECT_EQ(main.ResolutionFolder(), L"1366x768\\");
    EXPECT_EQ(main.Form().ClientWidth(), 760) << "the background picture's size";
    EXPECT_EQ(main.Form().ClientHeight(), 460);
    const form::Control& close = *main.Form().Find(L"CloseImage");
    EXPECT_EQ(close.picture.file, std::wstring(kSkinFolder) + L"close_up.png");
    EXPECT_EQ(close.bounds, (form::Bounds{700, 5, 20, 20})) << "auto-sized to the picture";
    EXPECT_EQ(Caption(main, L"PageEQLabel"), L"Equalizer");
    EXPECT_EQ(main.Form().Find(L"PageEQLabel")->font.colour, 0x00A5FFu) << "the current page's tab: down colour";
    EXPECT_EQ(main.Form().Find(L"PageMicLabel")->font.colour, 0xFFFFFFu);
    EXPECT_EQ(main.Form().Find(L"PageEQLabel")->font.face, L"Segoe UI");
    EXPECT_EQ(main.PopupMenu().Find(form::kSkinMenuId)->caption, L"Skins");
    EXPECT_EQ(main.PopupMenu().Find(form::kLanguageMenuId)->caption, L"Language");
}

TEST_F(PanelConstructionTest, RegionCutShapesTheWindow)
{
    std::string region(48, '\0');
    const auto put = [&region](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            region[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(0, 32);
    put(4, 1);
    put(8, 1);
    put(12, 16);
    put(24, 760);
    put(28, 460);
    put(40, 760);
    put(44, 460);
    platform.files.Put(std::wstring(kSkinFolder) + L"MainForm_Frame.rgn", region);
    SaveIniKey(platform.profile, testing_panel::kConfig, L"Skin", L"RegionCut", L"1");
    Start();
    ASSERT_EQ(windowSide.window.regions.size(), 1u);
    EXPECT_EQ(windowSide.window.regions.front().size(), 48u);

    windowSide.window.regions.clear();
    SaveIniKey(platform.profile, testing_panel::kConfig, L"Skin", L"RegionCut", L"yes"); // not a whole number
    Start();
    EXPECT_TRUE(windowSide.window.regions.empty());
}

TEST_F(PanelConstructionTest, ShutdownReturnsTheDeviceToItsDefaults)
{
    // A skin with the LED page: the construction's LED set-up starts the effect thread.
    platform.files.Put(std::wstring(testing_panel::kSkinFolder) + L"SkinSetting.ini",
                       std::string(testing_panel::kSkinSetting) + "[LED]\r\nLEDPageMode=1\r\n");
    shell::TAudioMainForm& main = Start();
    device.chip().ClearRequests();
    main.FormDestroy();

    using namespace device::driver_codes;
    EXPECT_EQ(DriverCodes(), (std::vector<std::uint32_t>{kEffectSelection, kEffectSwitch}));
    std::vector<std::pair<int, int>> commands; // group, value
    std::vector<sdk::EntryPoint> afterVoiceOff;
    for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall)) {
        const auto entry = static_cast<sdk::EntryPoint>(request.entryPoint);
        if (commands.size() == 2)
            afterVoiceOff.push_back(entry);
        if (entry == sdk::EntryPoint::DLLQZ_AudioCommand)
            commands.emplace_back(request.data[0], request.data[2]);
    }
    EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{{4, 0}, {7, 0}}));
    // The LED set-up ran at construction, so its thread ends and the LEDs go off last.
    EXPECT_EQ(afterVoiceOff, (std::vector<sdk::EntryPoint>{sdk::EntryPoint::DLLQZ_SetRGB_Mode_ById}));
    EXPECT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.registers[0x100]; }), 0);
    EXPECT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.openHidHandles; }), 0u);
}

TEST_F(PanelConstructionTest, ShutdownWithoutTheDeviceSkipsTheDeviceSteps)
{
    shell::TAudioMainForm& main = Start();
    device.chip().Unplug();
    device.chip().ClearRequests();
    main.FormDestroy();
    EXPECT_TRUE(DriverCodes().empty());
    EXPECT_FALSE(windowSide.tray.shown);
}
