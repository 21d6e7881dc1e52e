// The LED worker threads against the window's thread: track-bar and slider changes hammered while the
// threads re-send, so that ThreadSanitizer (the tsan preset) sees every shared field; and both threads
// ended by their owners, never outliving them.

#include "sound/LedDialogControl.h"
#include "sound/LedLighting.h"

#include "FeatureDeviceRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using sdk::EntryPoint;

class LedThreadsTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    std::size_t Sent(EntryPoint entry)
    {
        const auto calls = SdkCalls();
        return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), entry));
    }
    template <typename Condition> static bool Eventually(Condition condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
};

TEST_F(LedThreadsTest, DialogTrackBarsHammeredWhileTheCommandThreadResends)
{
    sound::LedDialogControl dialog(featureDevice, std::chrono::milliseconds(1));
    dialog.Show();
    dialog.ModePressed(sound::kLedModeBreathe, 1);
    device.chip().ClearRequests();
    for (int i = 1; i <= 2000; ++i) {
        dialog.TrackBarChanged(sound::kLedModeBreathe, i % 255 + 1);
        dialog.SetMaster(i % 3 != 0);
        dialog.SetLedNumber(i % 3);
        if (i % 500 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    EXPECT_TRUE(Eventually([&] {
        return Sent(EntryPoint::DLLQZ_SetRGB_Mode) + Sent(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex) > 0;
    }));
    dialog.Close();
    EXPECT_FALSE(dialog.CommandThreadRunning());
    // Nothing is sent once the dialog has closed.
    device.chip().ClearRequests();
    dialog.TrackBarChanged(sound::kLedModeBreathe, 9);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Sent(EntryPoint::DLLQZ_SetRGB_Mode) + Sent(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex), 0u);
}

TEST_F(LedThreadsTest, PageSlidersHammeredWhileTheEffectThreadResends)
{
    sound::LedLighting led(featureDevice, std::chrono::milliseconds(1));
    led.SetPageLook(1, 0);
    led.SetSliderTrack(sound::LedEffect::Rainbow, {100, 116, 16});
    led.ReadKeys([](const wchar_t* key) { return std::wstring(key) == L"LEDEffectMode" ? L"2" : L""; });
    led.ApplyPage();
    led.RunSetup();
    for (int i = 0; i < 300; ++i) {
        led.KnobDragged(sound::LedEffect::Rainbow, 100, i % 120);
        led.KnobReleased(sound::LedEffect::Rainbow);
        led.ShapeColourChosen(sound::LedShape::Palette, i % 7 + 1, static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_TRUE(Eventually([&] { return Sent(EntryPoint::DLLQZ_SetRGB_Mode_ById) > 300; }));
    led.SwitchOffAtExit();
    EXPECT_FALSE(led.EffectThreadRunning());
}

// The owners end their threads when they go, even when nobody closed or exited first.
TEST_F(LedThreadsTest, OwnersEndTheirThreadsWhenTheyGo)
{
    {
        sound::LedDialogControl dialog(featureDevice, std::chrono::milliseconds(200));
        dialog.Show();
        dialog.ModePressed(sound::kLedModeBlinking, 5);
        dialog.TrackBarChanged(sound::kLedModeBlinking, 6); // the thread is in its pause when the owner goes
    }
    {
        sound::LedLighting led(featureDevice, std::chrono::milliseconds(200));
        led.SetPageLook(1, 0);
        led.RunSetup();
    }
    device.chip().ClearRequests();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(device.chip().Requests().empty());
}

} // namespace
