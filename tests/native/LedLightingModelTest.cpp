// The LED lighting's models without any form: the speed sliders' rule, the main page's commands, retries
// and worker thread, and the LED dialog's commands on the master and slave paths, as the emulated chip's
// LED controller records and keeps them.

#include "sound/LedDialogControl.h"
#include "sound/LedLighting.h"

#include "FeatureDeviceRig.h"
#include "emulator/Faults.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using sdk::EntryPoint;
using sound::LedEffect;

struct Sent {
    EntryPoint entry;
    std::vector<std::int32_t> args;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& sent)
{
    out << static_cast<int>(sent.entry) << " (";
    for (const auto arg : sent.args)
        out << arg << ' ';
    return out << ')';
}

// Waits up to two seconds for what a worker thread sends.
template <typename Condition> bool Eventually(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class LedModelTest : public ::testing::Test {
protected:
    std::vector<Sent> SentSince()
    {
        std::vector<Sent> sent;
        for (const auto& request : chip_record::OfKind(rig_.device.chip(), emulator::RequestKind::SdkCall))
            sent.push_back({static_cast<EntryPoint>(request.entryPoint), chip_record::Args(request)});
        return sent;
    }
    std::size_t Count(EntryPoint entry)
    {
        const auto calls = rig_.SdkCalls();
        return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), entry));
    }
    emulator::LedController Controller(bool master)
    {
        return rig_.device.chip().WithState(
            [master](const emulator::ChipState& s) { return master ? s.ledMaster : s.ledSlave; });
    }
    void UsePage(sound::LedLighting& led, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> keys)
    {
        led.ReadKeys([&](const wchar_t* key) {
            for (const auto& [name, value] : keys)
                if (std::wstring_view(name) == key)
                    return std::wstring(value);
            return std::wstring();
        });
    }
    std::uint64_t Slept() const { return rig_.platform.clock.TotalSleptMs(); }

    testing_panel::FeatureDeviceRig rig_;
};

constexpr std::int32_t kAddress = 0x3A;

// ---- The speed sliders ----
TEST(LedSpeedRule, KnobPlacesAndSpeedsAlongTheBar)
{
    const sound::LedSliderTrack track{100, 116, 16}; // 100 pixels of travel
    struct Case {
        int dx;
        bool fastRight;
        int knobLeft;
        int speed;
    };
    for (const Case& c : {Case{-50, false, 100, 1}, Case{0, false, 100, 1}, Case{1, false, 104, 2},
                          Case{50, false, 153, 127}, Case{100, false, 203, 255}, Case{400, false, 203, 255},
                          Case{100, true, 203, 1}, Case{0, true, 100, 255}, Case{50, true, 153, 128}}) {
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " fast right " << c.fastRight);
        const sound::LedKnobPlace place = sound::DragLedKnob(track, 100, c.dx, c.fastRight);
        EXPECT_EQ(place.knobLeft, c.knobLeft);
        ASSERT_TRUE(place.speed.has_value());
        EXPECT_EQ(*place.speed, c.speed);
        // A stored position means the same speed again.
        EXPECT_EQ(sound::LedSpeedAt(track, place.knobLeft, c.fastRight), place.speed);
    }
}

TEST(LedSpeedRule, ABarNoWiderThanItsKnobKeepsTheSpeed)
{
    for (const int barWidth : {16, 10, 0}) {
        const sound::LedSliderTrack track{100, barWidth, 16};
        const sound::LedKnobPlace place = sound::DragLedKnob(track, 100, 30, false);
        EXPECT_EQ(place.knobLeft, 100);
        EXPECT_FALSE(place.speed.has_value());
        EXPECT_FALSE(sound::LedSpeedAt(track, 120, true).has_value());
    }
}

// ---- The main page ----
TEST_F(LedModelTest, BreatheCheckSendsTheModeWithItsSpeedAndTheBreatheColour)
{
    sound::LedLighting led(rig_.featureDevice);
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDBreatheSpeed", L"77"}, {L"LEDBreatheColorRGB", L"0x00332211"}});
    rig_.device.chip().ClearRequests();

    led.ChooseEffect(LedEffect::Breathe);

    const std::vector<Sent> expected = {
        {EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 4, 77, 50, 0}},
        {EntryPoint::DLLQZ_SetRGB_SingleColor_ById, {kAddress, 1, 4, 0x11, 0x22, 0x33, 50, 0}},
        {EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 4, 77, 50, 0}},
    };
    EXPECT_EQ(SentSince(), expected);
    EXPECT_EQ(led.CurrentModeCode(), 4);
    const auto controller = Controller(true);
    EXPECT_EQ(controller.leds[0].mode, 4);
    EXPECT_EQ(controller.leds[1].parameter, 77);
    EXPECT_EQ(controller.leds[0].singleColor.b, 0x33);
}

TEST_F(LedModelTest, OffAndSingleColourChecks)
{
    sound::LedLighting led(rig_.featureDevice);
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDEffectMode", L"2"}, {L"LEDSingleColorRGB", L"255"}});
    rig_.device.chip().ClearRequests();

    led.ChooseOff();
    EXPECT_EQ(SentSince(), (std::vector<Sent>{{EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 1, 1, 50, 0}},
                                              {EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 1, 1, 50, 0}}}));
    EXPECT_EQ(led.Settings().effectMode, 0);
    EXPECT_EQ(Controller(true).leds[0].poweredOff, 1);

    rig_.device.chip().ClearRequests();
    led.ChooseSingleColour();
    EXPECT_EQ(SentSince(),
              (std::vector<Sent>{{EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 2, 0, 50, 0}},
                                 {EntryPoint::DLLQZ_SetRGB_SingleColor_ById, {kAddress, 1, 2, 255, 0, 0, 50, 0}}}));
    EXPECT_EQ(led.Settings().off, 0);
    EXPECT_EQ(led.CurrentModeCode(), 2);
    EXPECT_EQ(Controller(true).leds[0].poweredOff, 0);
}

TEST_F(LedModelTest, CancelAndBlackChangeNothing)
{
    sound::LedLighting led(rig_.featureDevice);
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDColor3RGB", L"42"}, {L"LEDSingleColorRGB", L"7"}});
    const sound::LedPageSettings before = led.Settings();
    const int codeBefore = led.CurrentModeCode();
    rig_.device.chip().ClearRequests();

    for (const auto shape : {sound::LedShape::Palette, sound::LedShape::Breathe, sound::LedShape::Single}) {
        EXPECT_FALSE(led.ShapeColourChosen(shape, 3, std::nullopt));
        EXPECT_FALSE(led.ShapeColourChosen(shape, 3, 0u));
    }
    EXPECT_TRUE(rig_.SdkCalls().empty());
    EXPECT_EQ(led.Settings(), before);
    EXPECT_EQ(led.CurrentModeCode(), codeBefore);
}

// Each shape has its own rule after a failure: the palette and the breathe colour pause (10 and 100 ms)
// without a second try; the single colour, like every other command of the page, tries once more.
TEST_F(LedModelTest, FailedCommandsFollowTheirShapesRetryRule)
{
    sound::LedLighting led(rig_.featureDevice);
    struct Case {
        sound::LedShape shape;
        EntryPoint entry;
        std::size_t sends;
        std::uint64_t pause;
    };
    for (const Case& c : {Case{sound::LedShape::Palette, EntryPoint::DLLQZ_SetRGB_Color_ById, 1, 10},
                          Case{sound::LedShape::Breathe, EntryPoint::DLLQZ_SetRGB_SingleColor_ById, 1, 100},
                          Case{sound::LedShape::Single, EntryPoint::DLLQZ_SetRGB_SingleColor_ById, 2, 10}}) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        rig_.device.chip().ClearRequests();
        rig_.device.chip().ArmFault(emulator::FaultAt(c.entry, 1, emulator::FaultAction::Fail, emulator::kForever));
        const std::uint64_t slept = Slept();
        EXPECT_TRUE(led.ShapeColourChosen(c.shape, 5, 0x00ABCDEFu));
        EXPECT_EQ(Count(c.entry), c.sends);
        EXPECT_EQ(Slept() - slept, c.pause);
        rig_.device.chip().ClearFaults();
    }
    const sound::LedPageSettings s = led.Settings();
    EXPECT_EQ(s.palette[4], 0x00ABCDEFu);
    EXPECT_EQ(s.breatheColourRgb, 0x00ABCDEFu);
    EXPECT_EQ(s.singleColourRgb, 0x00ABCDEFu);

    // A second try that succeeds reaches the controller (the dialog is in use: the check sends alone).
    rig_.device.chip().ClearRequests();
    rig_.device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetRGB_Mode_ById, 1));
    const std::uint64_t slept = Slept();
    led.ChooseOff();
    EXPECT_EQ(Count(EntryPoint::DLLQZ_SetRGB_Mode_ById), 2u);
    EXPECT_EQ(Slept() - slept, 10u);
    EXPECT_EQ(Controller(true).leds[1].poweredOff, 1);
}

TEST_F(LedModelTest, SetupUploadsStepAndPaletteOnceAndTheThreadResendsTheEffect)
{
    sound::LedLighting led(rig_.featureDevice, std::chrono::milliseconds(1));
    led.SetSliderTrack(LedEffect::Breathe, {100, 116, 16});
    int pumped = 0;
    led.SetMessagePump([&] { ++pumped; });
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDEffectMode", L"1"}, {L"LEDBreatheSliderPos", L"203"},
                  {L"LEDColor1RGB", L"1"}, {L"LEDColor7RGB", L"0x070707"}});
    led.ApplyPage();
    rig_.device.chip().ClearRequests();

    led.RunSetup();
    EXPECT_TRUE(led.EffectThreadRunning());
    EXPECT_EQ(pumped, 1);
    EXPECT_EQ(led.Settings().speeds[0], 255); // from the knob at the right end
    EXPECT_FALSE(led.PaletteUploadPending());
    // Step, then the seven slots from whichever thread got there first, then the effect's resend.
    ASSERT_TRUE(Eventually([&] { return Count(EntryPoint::DLLQZ_SetRGB_Mode_ById) == 1; }));
    const auto sent = SentSince();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), (Sent{EntryPoint::DLLQZ_SetRGB_Step_ById, {kAddress, 7, 50, 0}}));
    EXPECT_EQ(Count(EntryPoint::DLLQZ_SetRGB_Color_ById), 7u);
    EXPECT_EQ(sent.back(), (Sent{EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 4, 255, 50, 0}}));
    const auto controller = Controller(true);
    EXPECT_EQ(controller.step, 7);
    EXPECT_EQ(controller.leds[0].palette[0].r, 1);
    EXPECT_EQ(controller.leds[0].palette[6].g, 7);

    // Only once per run.
    rig_.device.chip().ClearRequests();
    led.RunSetup();
    EXPECT_TRUE(rig_.SdkCalls().empty());
}

TEST_F(LedModelTest, SetupWaitsForThePageAndSlidersReleasedResendOnlyTheActiveEffect)
{
    sound::LedLighting led(rig_.featureDevice, std::chrono::milliseconds(1));
    led.RunSetup(); // the dialog is in use: no thread, nothing sent
    EXPECT_FALSE(led.EffectThreadRunning());
    EXPECT_TRUE(rig_.SdkCalls().empty());

    led.SetSliderTrack(LedEffect::Rainbow, {100, 116, 16});
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDEffectMode", L"1"}});
    led.ApplyPage();
    rig_.device.chip().ClearRequests();
    led.RunSetup();
    ASSERT_TRUE(Eventually([&] { return Count(EntryPoint::DLLQZ_SetRGB_Mode_ById) == 1; }));
    rig_.device.chip().ClearRequests();

    // Another effect's slider keeps its place and speed only.
    EXPECT_EQ(led.KnobDragged(LedEffect::Rainbow, 100, 1), 104);
    led.KnobReleased(LedEffect::Rainbow);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(rig_.SdkCalls().empty());
    EXPECT_EQ(led.Settings().knobPositions[1], 104);
    EXPECT_EQ(led.Settings().speeds[1], 2);

    // The active effect's slider re-sends through the thread and the check image's action.
    led.KnobDragged(LedEffect::Breathe, 0, 0);
    led.KnobReleased(LedEffect::Breathe);
    EXPECT_TRUE(Eventually([&] { return Count(EntryPoint::DLLQZ_SetRGB_Mode_ById) >= 3; }));
}

TEST_F(LedModelTest, ExitEndsTheEffectThreadAndSwitchesTheLedOff)
{
    sound::LedLighting led(rig_.featureDevice, std::chrono::milliseconds(1));
    led.SwitchOffAtExit(); // without the thread nothing happens
    EXPECT_TRUE(rig_.SdkCalls().empty());

    UsePage(led, {{L"LEDPageMode", L"1"}});
    led.RunSetup();
    rig_.device.chip().ClearRequests();
    led.SwitchOffAtExit();
    EXPECT_FALSE(led.EffectThreadRunning());
    EXPECT_EQ(SentSince(), (std::vector<Sent>{{EntryPoint::DLLQZ_SetRGB_Mode_ById, {kAddress, 0, 1, 1, 50, 0}}}));
    EXPECT_EQ(Controller(true).leds[0].poweredOff, 1);
}

TEST_F(LedModelTest, ProfileKeysReadWhenNotEmptyAndWriteBack)
{
    sound::LedLighting led(rig_.featureDevice);
    UsePage(led, {{L"LEDPageMode", L"1"}, {L"LEDOff", L""}, {L"LEDRainbowSpeed", L"200"},
                  {L"LEDMultiBreatheSliderPos", L"140"}, {L"LEDColor4RGB", L"0xFF00"}, {L"LEDFastRightSide", L"1"}});
    sound::LedPageSettings expected;
    expected.pageMode = 1;
    expected.speeds = {1, 200, 1};
    expected.knobPositions = {0, 0, 140};
    expected.palette[3] = 0xFF00;
    expected.fastRightSide = 1;
    EXPECT_EQ(led.Settings(), expected);

    // A profile without the section keeps every setting.
    UsePage(led, {});
    EXPECT_EQ(led.Settings(), expected);

    sound::LedLighting copy(rig_.featureDevice);
    const auto values = led.KeyValues();
    copy.ReadKeys([&](const wchar_t* key) {
        for (const auto& [name, value] : values)
            if (std::wstring_view(name) == key)
                return value;
        return std::wstring();
    });
    EXPECT_EQ(copy.Settings(), expected);
}

// ---- The dialog ----
TEST_F(LedModelTest, DialogCommandsTakeThePathCheckedAtTheMomentOfSending)
{
    sound::LedDialogControl dialog(rig_.featureDevice, std::chrono::milliseconds(1));
    dialog.Show();
    EXPECT_TRUE(dialog.CommandThreadRunning());
    dialog.BrightnessChanged(3);
    dialog.SelectSlot(4);
    dialog.SlotColourChosen(0x00030201);
    dialog.SetMaster(false);
    dialog.SetLedNumber(2);
    dialog.BrightnessChanged(5);
    dialog.OffPressed();
    dialog.SetMaster(true);
    dialog.OffPressed();

    const std::vector<Sent> expected = {
        {EntryPoint::DLLQZ_SetRGB_Step, {kAddress, 7, 500}},
        {EntryPoint::DLLQZ_SetRGB_Brightness, {kAddress, 0, 3, 500}},
        {EntryPoint::DLLQZ_SetRGB_Color, {kAddress, 1, 4, 1, 2, 3, 500}}, // LED 0 goes as 1 for colours
        {EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex, {2, 5, 500}},
        {EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex, {2, 1, 0, 500}},
        {EntryPoint::DLLQZ_SetRGB_Mode, {kAddress, 2, 1, 1, 500}},
    };
    EXPECT_EQ(SentSince(), expected);
    const auto master = Controller(true);
    const auto slave = Controller(false);
    EXPECT_EQ(master.leds[0].brightness, 3);
    EXPECT_EQ(master.leds[0].palette[3].g, 2);
    EXPECT_EQ(master.leds[1].poweredOff, 1);
    EXPECT_EQ(slave.leds[1].brightness, 5);
    EXPECT_EQ(slave.lastTime, 500);

    dialog.Close();
    EXPECT_FALSE(dialog.CommandThreadRunning());
    EXPECT_FALSE(dialog.Open());
}

TEST_F(LedModelTest, BreatheWhileOffFollowsWithPowerOnHalfASecondLater)
{
    sound::LedDialogControl dialog(rig_.featureDevice, std::chrono::milliseconds(1));
    dialog.Show();
    dialog.SetLedNumber(1);
    rig_.device.chip().ClearRequests();
    const std::uint64_t slept = Slept();

    dialog.ModePressed(sound::kLedModeBreathe, 90);
    EXPECT_EQ(Slept() - slept, 500u);
    EXPECT_EQ(SentSince(), (std::vector<Sent>{{EntryPoint::DLLQZ_SetRGB_Mode, {kAddress, 1, 4, 90, 500}},
                                              {EntryPoint::DLLQZ_SetRGB_Mode, {kAddress, 1, 1, 0, 500}}}));
    EXPECT_EQ(Controller(true).leds[0].mode, 4);
    EXPECT_EQ(Controller(true).leds[0].poweredOff, 0);

    // From a mode that was not off, no follow-up; "Single color" sends parameter 0.
    rig_.device.chip().ClearRequests();
    dialog.ModePressed(sound::kLedModeSingleColour, 90);
    EXPECT_EQ(SentSince(), (std::vector<Sent>{{EntryPoint::DLLQZ_SetRGB_Mode, {kAddress, 1, 2, 0, 500}}}));
}

TEST_F(LedModelTest, OnlyTheCurrentModesTrackBarIsResentByTheCommandThread)
{
    sound::LedDialogControl dialog(rig_.featureDevice, std::chrono::milliseconds(1));
    dialog.Show();
    dialog.ModePressed(sound::kLedModeRainbow, 1);
    rig_.device.chip().ClearRequests();

    dialog.TrackBarChanged(sound::kLedModeBlinking, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(rig_.SdkCalls().empty());
    EXPECT_EQ(dialog.Speed(sound::kLedModeBlinking), 1);

    dialog.SetMaster(false);
    dialog.TrackBarChanged(sound::kLedModeRainbow, 180);
    ASSERT_TRUE(Eventually([&] { return !rig_.SdkCalls().empty(); }));
    EXPECT_EQ(SentSince().front(), (Sent{EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex, {0, 5, 180, 500}}));
    EXPECT_EQ(Controller(false).leds[1].parameter, 180);

    // A colour shape changes the mode even when cancelled; a chosen colour is sent and the mode resent.
    EXPECT_EQ(dialog.ColourShapePressed(103, std::nullopt), sound::kLedModeBlinking);
    EXPECT_EQ(dialog.CurrentMode(), sound::kLedModeBlinking);
    rig_.device.chip().ClearRequests();
    dialog.ColourShapePressed(104, 0x0000FF00u);
    ASSERT_TRUE(Eventually([&] { return rig_.SdkCalls().size() == 2; }));
    EXPECT_EQ(SentSince(),
              (std::vector<Sent>{{EntryPoint::DLLQZ_UsbHidSlave_SetRGB_SingleColor_Ex, {1, 4, 0, 255, 0, 500}},
                                 {EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex, {0, 4, 1, 500}}}));

    // Closing ends the thread; the speeds stay for the next showing.
    dialog.Close();
    EXPECT_FALSE(dialog.CommandThreadRunning());
    EXPECT_EQ(dialog.Speed(sound::kLedModeRainbow), 180);
    dialog.Show();
    EXPECT_EQ(dialog.CurrentMode(), sound::kLedModePower);
    EXPECT_EQ(dialog.Speed(sound::kLedModeRainbow), 180);
}

} // namespace
