// The ENC and VoiceMagic pages on the main window, driven as a user drives them on the emulated device:
// the on/off and mode buttons, the level slider's drag and its bar, the not-available warning, and the
// device's hardware button whose report arrives on the SDK's thread.

#include "ChipRecord.h"
#include "PanelFixture.h"
#include "common/IniKeys.h"
#include "panel/shell/RegisteredMessages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = shell::HookedMouse::Kind;

constexpr auto kRoot = ports::RegistryRoot::LocalMachine;
constexpr auto kView = ports::RegistryView::Bits32;
const std::wstring kEncMap = L"SOFTWARE\\KVQ 48xx Software\\EncValueMap";
const std::wstring kDeviceValue = L"VID_4D2F&PID_4802";

constexpr int kWindowLeft = 300;
constexpr int kWindowTop = 200;

// The small kit with both tabs and both pages: the slider's top limit 100 and travel 150.
std::string SkinWithEncAndVoice()
{
    std::string skin = testing_panel::kSkinSetting;
    skin.insert(skin.find("[EQ]"), "PageENCUpImage=tab_eq_up.png,10,180,100,30\r\n"
                                   "PageENCDownImage=tab_eq_down.png,10,180,100,30\r\n"
                                   "PageVMEffectUpImage=tab_eq_up.png,10,220,100,30\r\n"
                                   "PageVMEffectDownImage=tab_eq_down.png,10,220,100,30\r\n");
    skin += "[ENC]\r\nENCSlider=100,150\r\nENCFunctionUpImage=eqen_up.png,200,60\r\n"
            "ENCFunctionDownImage=eqen_down.png,200,60\r\nENCBarImage=bar.png,300,90,10,180\r\n"
            "ENCSliderImage=knob.png,295,150,20,10\r\n"
            "[VoiceMagic]\r\nVMFunctionUpImage=eqen_up.png,200,60\r\nVMFunctionDownImage=eqen_down.png,200,60\r\n";
    for (int mode = 0; mode < 5; ++mode) {
        const std::string name = mode == 0 ? "VMEffectNone" : "VMEffect" + std::to_string(mode);
        const std::string place = ",200," + std::to_string(100 + 30 * mode) + "\r\n";
        skin += name + "UpImage=eqen_up.png" + place + name + "DownImage=eqen_down.png" + place;
    }
    return skin;
}

class NoiseAndVoicePageTest : public testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override
    {
        PutKit("[DefaultSet]\r\nEncButtonMode=1\r\nEncGpio=2\r\n");
        platform.files.Put(std::wstring(testing_panel::kSkinFolder) + L"SkinSetting.ini", SkinWithEncAndVoice());
    }

    shell::TAudioMainForm& Start()
    {
        shell::TAudioMainForm& main = Create();
        EXPECT_TRUE(main.Construct());
        windowSide.messageBoxes.shown.clear();
        return main;
    }

    void Click(shell::TAudioMainForm& main, int x, int y)
    {
        main.FormMouseDown(x, y);
        main.FormMouseUp(x, y);
    }
    void Hook(shell::TAudioMainForm& main, Kind kind, int x, int y)
    {
        main.ApplicationMouseHook({kind, kWindowLeft + x, kWindowTop + y, x, y});
    }
    form::Control& Control(const wchar_t* name) { return *app->MainForm().Form().Find(name); }
    emulator::SoundState ChipSound()
    {
        return device.chip().WithState([](const emulator::ChipState& s) { return s.sound; });
    }
    std::optional<memory::MemoryRegistry::Value> StoredLevel()
    {
        return platform.registry.Get(kRoot, kView, kEncMap, kDeviceValue);
    }
};

TEST_F(NoiseAndVoicePageTest, WithoutAStoredLevelTheButtonsWarnAndSendNothing)
{
    shell::TAudioMainForm& main = Start();
    Click(main, 15, 185); // the ENC tab
    ASSERT_EQ(main.States().page, 7);
    const emulator::SoundState before = ChipSound();
    device.chip().ClearRequests();

    Click(main, 205, 65); // ENC on/off
    ASSERT_EQ(windowSide.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(windowSide.messageBoxes.shown[0].text, L"Noise cancellation is not available.");
    EXPECT_FALSE(main.States().encOn);
    EXPECT_TRUE(chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall).empty());
    EXPECT_EQ(ChipSound().encEnabled, before.encEnabled);
}

TEST_F(NoiseAndVoicePageTest, EncPageTogglesAndDragsTheLevelToChipAndRegistry)
{
    platform.registry.Put(kRoot, kView, kEncMap, kDeviceValue, 10u);
    shell::TAudioMainForm& main = Start();
    Click(main, 15, 185);
    ASSERT_EQ(main.States().page, 7);
    EXPECT_TRUE(main.States().encOn);
    // Level 10 stands 100 pixels below the top limit.
    EXPECT_EQ(Control(L"ENCSliderImage").bounds.top, 200);
    EXPECT_EQ(Control(L"ENCValueLabel").caption, L"10");

    Click(main, 205, 65);
    EXPECT_FALSE(main.States().encOn);
    EXPECT_EQ(ChipSound().encEnabled, 0);

    Hook(main, Kind::LeftDown, 300, 203);
    Hook(main, Kind::Move, 300, 173);
    EXPECT_EQ(Control(L"ENCSliderImage").bounds.top, 170);
    EXPECT_EQ(Control(L"ENCValueLabel").caption, L"16");
    EXPECT_EQ(StoredLevel(), memory::MemoryRegistry::Value{10u}) << "stored only at the release";
    Hook(main, Kind::LeftUp, 300, 173);
    EXPECT_EQ(StoredLevel(), memory::MemoryRegistry::Value{16u});
    EXPECT_EQ(ChipSound().encParameters[8], 16);

    // A click on the bar shows the level and neither sends nor stores it.
    device.chip().ClearRequests();
    Hook(main, Kind::LeftDown, 302, 255);
    Hook(main, Kind::LeftUp, 302, 255);
    EXPECT_EQ(Control(L"ENCSliderImage").bounds.top, 250);
    EXPECT_EQ(Control(L"ENCValueLabel").caption, L"0");
    EXPECT_TRUE(chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall).empty());
    EXPECT_EQ(StoredLevel(), memory::MemoryRegistry::Value{16u});
}

TEST_F(NoiseAndVoicePageTest, VoicePageSwitchesAndChoosesModes)
{
    platform.registry.Put(kRoot, kView, kEncMap, kDeviceValue, 10u);
    shell::TAudioMainForm& main = Start();
    Click(main, 15, 225); // the VoiceMagic tab
    ASSERT_EQ(main.States().page, 8);

    Click(main, 205, 65); // voice on/off
    EXPECT_TRUE(main.States().voiceOn);
    EXPECT_EQ(ChipSound().voiceEnabled, 1);
    Click(main, 205, 195); // mode 3
    EXPECT_EQ(main.States().voiceEffect, 3);
    EXPECT_EQ(Control(L"VMEffect3Image").picture.file.ends_with(L"eqen_down.png"), true);
    EXPECT_EQ(Control(L"VMEffect1Image").picture.file.ends_with(L"eqen_up.png"), true);
    const emulator::SoundState sound = ChipSound();
    EXPECT_EQ(std::vector<std::uint8_t>(std::begin(sound.voiceBlock), std::end(sound.voiceBlock)),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(platform.registry.Get(kRoot, kView, L"SOFTWARE\\KVQ 48xx Software", L"VoiceMagicLevel"),
              memory::MemoryRegistry::Value{2u});
}

TEST_F(NoiseAndVoicePageTest, HardwareButtonTogglesEncOnceOnTheGuiThread)
{
    platform.registry.Put(kRoot, kView, kEncMap, kDeviceValue, 10u);
    shell::TAudioMainForm& main = Start();
    Click(main, 15, 185);
    const std::uint32_t message = windowSide.messages.Register(shell::kButtonReportMessage);
    const auto press = [&](const device::ButtonReport& report) {
        const int posted = windowSide.window.posted;
        ASSERT_TRUE(device.sdk().PressButton(report, emulator::ButtonDelivery::OtherThread));
        EXPECT_EQ(windowSide.window.posted, posted + 1);
        main.WndProc(message);
    };
    press({0, 0, 0x04, 0, 0}); // the first report after start
    press({0, 0, 0x00, 0, 0});
    EXPECT_FALSE(main.States().encOn);
    EXPECT_EQ(ChipSound().encEnabled, 0);
    EXPECT_TRUE(Control(L"ENCFunctionImage").picture.file.ends_with(L"eqen_up.png"));
    press({0, 0, 0x04, 0, 0});
    EXPECT_FALSE(main.States().encOn);
}

} // namespace
