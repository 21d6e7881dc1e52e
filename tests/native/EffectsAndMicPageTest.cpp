// The Effect and Mic pages on the whole panel: the effect buttons reaching the filter driver, the Mic
// page's capture feeding the meter while it shows, the gain knob following and setting the endpoint's
// volume, Monitor's register mode and replay timer, and the test sound's check box.

#include "PanelFixture.h"
#include "common/IniKeys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Kind = shell::HookedMouse::Kind;
using testing_panel::kSkinFolder;

constexpr int kPageEqTab = 23;
constexpr int kPageMicTab = 26;

class EffectsAndMicPageTest : public testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override
    {
        PutKit();
        SaveIniKey(platform.profile, std::wstring(kSkinFolder) + L"SkinSetting.ini", L"Mic", L"MicProgressLength",
                   L"200");
        audio.captureDevices = {{L"Headset Mic", L"\\\\?\\USB#VID_4D2F&PID_4802&MI_00#1", false}};
        audio.endpoints = {{L"{headset}", L"Microphone (Headset Mic)"}};
        audio.volumes[L"{headset}"].step = 50; // of 101
        audio.gainControls[L"{headset}"] = {};
    }

    shell::TAudioMainForm& Start()
    {
        shell::TAudioMainForm& main = Create();
        EXPECT_TRUE(main.Construct());
        return main;
    }

    form::Control& Control(const wchar_t* name) { return *app->MainForm().Form().Find(name); }

    void Hook(Kind kind, int clientX, int clientY)
    {
        app->MainForm().ApplicationMouseHook({kind, 300 + clientX, 200 + clientY, clientX, clientY});
    }

    static std::vector<std::uint8_t> SquareWave()
    {
        std::vector<std::uint8_t> samples(400);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = i % 2 == 0 ? 0 : 255;
        return samples;
    }
};

TEST_F(EffectsAndMicPageTest, StartUpProbesTheMicrophoneWithoutKeepingCaptureOpen)
{
    audio.volumes[L"{headset}"].muted = true;
    shell::TAudioMainForm& main = Start();
    EXPECT_EQ(audio.captureStarts, 1);
    EXPECT_FALSE(audio.CaptureOpen()) << "the EQ page shows";
    EXPECT_TRUE(main.State().micProbeDone);
    EXPECT_EQ(main.Features().effectsAndMic.GainPercent(), 50);
    EXPECT_EQ(main.States().cells.micMute, 1) << "the mute read back from Windows";
}

TEST_F(EffectsAndMicPageTest, MicPageCaptureFeedsTheMeterOnlyWhileItShows)
{
    shell::TAudioMainForm& main = Start();
    main.OnLabelPageMouseDown(kPageMicTab);
    ASSERT_TRUE(audio.CaptureOpen());
    EXPECT_EQ(Control(L"MicProgressImage").bounds.width, 0);

    ASSERT_TRUE(audio.Deliver(SquareWave()));
    EXPECT_EQ(Control(L"MicProgressImage").bounds.width, 198);
    main.LayOutCurrentPage();
    EXPECT_EQ(Control(L"MicProgressImage").bounds.width, 198) << "the lay-out keeps the level";
    ASSERT_TRUE(audio.Deliver(std::vector<std::uint8_t>(400, 128)));
    EXPECT_EQ(Control(L"MicProgressImage").bounds.width, 0);

    main.OnLabelPageMouseDown(kPageEqTab);
    EXPECT_FALSE(audio.CaptureOpen());
    EXPECT_FALSE(audio.Deliver(SquareWave()));
}

TEST_F(EffectsAndMicPageTest, GainKnobShowsAndSetsTheEndpointsVolume)
{
    shell::TAudioMainForm& main = Start();
    main.OnLabelPageMouseDown(kPageMicTab);
    const form::Control& knob = Control(L"MicSliderImage");
    // MicSlider=120,100: the endpoint's 50 % stands half-way.
    EXPECT_EQ(knob.bounds.top, 170);
    EXPECT_EQ(Control(L"MicValueLabel").caption, L"50");

    Hook(Kind::LeftDown, 300, 175);
    Hook(Kind::Move, 300, 155);
    Hook(Kind::LeftUp, 300, 155);
    EXPECT_FLOAT_EQ(audio.volumes[L"{headset}"].level, 0.7f);
    EXPECT_EQ(knob.bounds.top, 150);
    EXPECT_EQ(Control(L"MicValueLabel").caption, L"70");
}

TEST_F(EffectsAndMicPageTest, SkinWithoutTravelLeavesTheGainAlone)
{
    SaveIniKey(platform.profile, std::wstring(kSkinFolder) + L"SkinSetting.ini", L"Mic", L"MicSlider", L"120,0");
    shell::TAudioMainForm& main = Start();
    main.OnLabelPageMouseDown(kPageMicTab);
    const float before = audio.volumes[L"{headset}"].level;
    Hook(Kind::LeftDown, 300, 122);
    Hook(Kind::Move, 300, 100);
    Hook(Kind::LeftUp, 300, 100);
    EXPECT_EQ(audio.volumes[L"{headset}"].level, before);
    EXPECT_EQ(main.Features().effectsAndMic.GainPercent(), 50);
}

TEST_F(EffectsAndMicPageTest, EffectAndMonitorButtonsReachTheDevice)
{
    shell::TAudioMainForm& main = Start();
    main.OnImageMouseDown(19); // Living room
    EXPECT_EQ(main.States().selectedEffect, 4);
    const auto driver = device.chip().WithState([](const emulator::ChipState& s) { return s.driver; });
    EXPECT_EQ(driver.effectIndex, 3u);
    EXPECT_EQ(driver.effectSwitch, 1u);

    main.OnImageMouseDown(89);
    EXPECT_EQ(main.States().cells.micMonitor, 1);
    const auto registers = [this] {
        return device.chip().WithState(
            [](const emulator::ChipState& s) { return std::pair{s.registers[0x200], s.registers[0x230]}; });
    };
    EXPECT_EQ(registers(), (std::pair<std::uint8_t, std::uint8_t>{0x04, 0x20}));
    main.OnImageMouseDown(89);
    EXPECT_EQ(registers(), (std::pair<std::uint8_t, std::uint8_t>{0x04, 0x00}));
}

TEST_F(EffectsAndMicPageTest, RecordAndReplayMonitorRepeatsOnItsTimerUntilSwitchedOff)
{
    SaveIniKey(platform.profile, testing_panel::kConfig, L"Mic", L"Monitor", L"2");
    shell::TAudioMainForm& main = Start();
    main.OnImageMouseDown(89);
    ASSERT_TRUE(audio.Recording());
    ASSERT_TRUE(main.Timers().Enabled(panel::kReplayTimer));
    platform.clock.Advance(1000);
    EXPECT_EQ(audio.replays, 1);
    main.OnImageMouseDown(89);
    EXPECT_FALSE(audio.Recording());
    EXPECT_FALSE(main.Timers().Enabled(panel::kReplayTimer));
}

TEST_F(EffectsAndMicPageTest, RecordAndReplayEndsWithThePanel)
{
    SaveIniKey(platform.profile, testing_panel::kConfig, L"Mic", L"Monitor", L"2");
    shell::TAudioMainForm& main = Start();
    main.OnImageMouseDown(89);
    ASSERT_TRUE(audio.Recording());
    main.FormDestroy();
    EXPECT_FALSE(audio.Recording());
    EXPECT_EQ(audio.deletedRecordings.size(), 1u);
}

TEST_F(EffectsAndMicPageTest, TestSoundCheckBoxPlaysAndCirclesTheRing)
{
    SaveIniKey(platform.profile, std::wstring(kSkinFolder) + L"SkinSetting.ini", L"Virtual7ch1", L"VirtualCenter",
               L"300,200,100");
    shell::TAudioMainForm& main = Start();
    form::Control& box = Control(L"BeeCheckBox");
    box.checked = true;
    main.OnCheckBoxClick(L"BeeCheckBox");
    EXPECT_EQ(audio.mediaFile, L"C:\\Program Files\\Tonvio\\bee.wav");
    EXPECT_EQ(audio.mediaPlays, 1);
    EXPECT_TRUE(main.Features().endpoints.TestSoundRunning());
    EXPECT_TRUE(main.Timers().Enabled(L"BeeTimer"));
    EXPECT_TRUE(main.Timers().Enabled(L"BeePlayTimer"));
    EXPECT_TRUE(Control(L"BeeImage").visible);
    // Every speaker gathered with the picture on angle 0 at (radius / 2) · 1.6 = 80 pixels right of the centre.
    EXPECT_EQ(Control(L"BeeImage").bounds.left, 380);
    EXPECT_EQ(Control(L"BeeImage").bounds.top, 200);
    EXPECT_EQ(main.Form().FindImageByTag(39)->bounds.left, 380);

    const int leftBefore = Control(L"BeeImage").bounds.left;
    audio.mediaAtEnd = true;
    platform.clock.Advance(100);
    EXPECT_EQ(audio.mediaPlays, 2) << "the track plays again at its end";
    EXPECT_NE(Control(L"BeeImage").bounds.top, 200) << "the picture circles";
    EXPECT_LE(Control(L"BeeImage").bounds.left, leftBefore);

    box.checked = false;
    main.OnCheckBoxClick(L"BeeCheckBox");
    EXPECT_TRUE(audio.mediaFile.empty());
    EXPECT_FALSE(main.Timers().Enabled(L"BeeTimer"));
    EXPECT_FALSE(Control(L"BeeImage").visible);
}

} // namespace
