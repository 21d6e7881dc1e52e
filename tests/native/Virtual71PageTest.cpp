// The Virtual 7.1 page on the main window's form without the window: the enable switch against 3D, the
// motion buttons, speaker drags and the ring timer's ticks, each reaching the emulated chip.

#include "panel/pages/Virtual71Page.h"

#include "FeatureDeviceRig.h"
#include "RecordingPageView.h"
#include "panel/form/MainFormComponents.h"
#include "platform/memory/MemoryWindow.h"
#include "sound/SoundFeatures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using form::Tag;

using RecordingView = testing_panel::RecordingPageView;

class Virtual71PageTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    Virtual71PageTest()
    {
        view.skin.ring = {200, 150, 100};
        page.Initialise();
        EXPECT_EQ(view.timers, (std::vector<std::pair<std::wstring, bool>>{{panel::kRingTimer, true}}));
        view.timers.clear();
        page.ResetLayout();
        device.chip().ClearRequests();
    }

    form::Control& Speaker(int index) { return *view.Form().FindImageByTag(form::TagValue(Tag::SpeakerL) + index); }

    sound::SoundFeatures features{featureDevice, audio};
    RecordingView view{platform.files};
    panel::Virtual71Page page{view, features.virtual71, features.sound3D, features.endpoints};
};

TEST_F(Virtual71PageTest, ResetPlacesTheSpeakerImagesOnTheDefaultRing)
{
    EXPECT_EQ(Speaker(2).bounds.left, 200);
    EXPECT_EQ(Speaker(2).bounds.top, 70);
    EXPECT_EQ(Speaker(0).bounds.left, 143);
    EXPECT_EQ(Speaker(0).bounds.top, 93);
}

TEST_F(Virtual71PageTest, EnableSwitchesThreeDOffWhenTheyExclude)
{
    sound::Sound3D& sound3D = features.sound3D;
    sound3D.SetExclusiveWithVirtual(true);
    view.Image(Tag::D3Enable)->visible = true;
    view.States().cells.d3Enable = 1;
    sound3D.SwitchedByButton(1);
    ASSERT_EQ(Sound(&emulator::SoundState::threeDEnabled), 1);
    ASSERT_NE(Register(0x100) & 0x80, 0);

    ASSERT_TRUE(page.ImageMouseDown(Tag::VirtualEnable));
    EXPECT_EQ(view.States().cells.virtualEnable, 1);
    EXPECT_EQ(features.virtual71.Enabled(), 1);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualOn), 1);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualBlock).enabled, 1);
    // 3D gave way on the device, in its register bit and on its switch, whose button is hidden.
    EXPECT_EQ(sound3D.Enabled(), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 0);
    EXPECT_EQ(Register(0x100) & 0x80, 0);
    EXPECT_EQ(view.States().cells.d3Enable, 0);
    EXPECT_FALSE(view.Image(Tag::D3Enable)->visible);

    // And the other way round: 3D on switches virtual 7.1 off.
    EXPECT_TRUE(sound3D.SwitchedByButton(1));
    EXPECT_EQ(features.virtual71.Enabled(), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualOn), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualBlock).enabled, 0);
}

TEST_F(Virtual71PageTest, WithoutExclusionBothStayOn)
{
    view.Image(Tag::D3Enable)->visible = true;
    features.sound3D.SwitchedByButton(1);
    page.ImageMouseDown(Tag::VirtualEnable);
    EXPECT_EQ(features.virtual71.Enabled(), 1);
    EXPECT_EQ(features.sound3D.Enabled(), 1);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 1);
    EXPECT_TRUE(view.Image(Tag::D3Enable)->visible);
}

TEST_F(Virtual71PageTest, MotionButtonsShowOneAtATimeAndTicksMoveTheImages)
{
    page.ImageMouseDown(Tag::Narrow);
    EXPECT_EQ(view.States().cells.narrow, 1);
    page.ImageMouseDown(Tag::Clockwise);
    EXPECT_EQ(view.States().cells.narrow, 0);
    EXPECT_EQ(view.States().cells.clockwise, 1);

    for (int tick = 0; tick < 10; ++tick)
        page.TimerTick();
    const sound::SpeakerPositions& positions = features.virtual71.Positions();
    for (int i = 0; i < sound::kRingSpeakers; ++i) {
        EXPECT_EQ(Speaker(i).bounds.left, positions[static_cast<std::size_t>(i)].left) << i;
        EXPECT_EQ(Speaker(i).bounds.top, positions[static_cast<std::size_t>(i)].top) << i;
    }
    // Nine degrees on, RS has risen above the centre line.
    EXPECT_LT(Speaker(5).bounds.top, 150);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualBlock).angle[5], features.virtual71.Values()[5].angle);

    page.ImageMouseDown(Tag::Clockwise);
    EXPECT_EQ(view.States().cells.clockwise, 0);
    const form::Bounds resting = Speaker(5).bounds;
    page.TimerTick();
    EXPECT_EQ(Speaker(5).bounds, resting);
}

TEST_F(Virtual71PageTest, DraggedSpeakerReachesTheChipAndItsReleaseRestartsTheRing)
{
    form::Control& centre = Speaker(2);
    centre.bounds.left = 200;
    centre.bounds.top = 150;
    ASSERT_TRUE(page.SliderMoved(centre, panel::DragMode::Speaker));
    EXPECT_EQ(Sound(&emulator::SoundState::virtualBlock).distanceFactor[2], 0.0f);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualBlock).angle[2], 0.0f);
    EXPECT_FALSE(page.SliderMoved(centre, panel::DragMode::EqBand));

    ASSERT_TRUE(page.ImageMouseUp(Tag::SpeakerL));
    EXPECT_EQ(view.timers, (std::vector<std::pair<std::wstring, bool>>{{panel::kRingTimer, true}}));
}

TEST_F(Virtual71PageTest, SkinChangeRescalesTheImages)
{
    view.skin.ring = {200, 150, 50};
    page.RescaleSpeakers(100);
    EXPECT_EQ(Speaker(5).bounds.left, 240);
    EXPECT_EQ(Speaker(2).bounds.top, 110);
}

} // namespace
