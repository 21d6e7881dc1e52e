// The 3D effect's model without a form: slider geometry, the record in the configuration image, the
// enable switch on the SDK and in register 0x100, exclusion with virtual 7.1, linked sliders and reset.

#include "sound/Sound3D.h"

#include "FeatureDeviceRig.h"
#include "emulator/Faults.h"

#include <gtest/gtest.h>

namespace {

using sdk::EntryPoint;
using sound::D3Slider;

TEST(Sound3DNumbers, SliderTopsAndValuesOverTheFixedTrack)
{
    for (const auto& [top, value] : {std::pair{105, 15}, std::pair{225, 0}, std::pair{165, 8}}) {
        EXPECT_EQ(sound::D3ValueFromTop(top, 120), value) << top;
    }
    EXPECT_EQ(sound::D3TopFromValue(15, 120), 105);
    EXPECT_EQ(sound::D3TopFromValue(0, 120), 225);
    EXPECT_EQ(sound::D3ValueFromTop(150, 0), 0) << "no travel, no division";
}

TEST(Sound3DNumbers, RecordLivesInThreeBytesOfTheImage)
{
    sound::ConfigurationImage image;
    EXPECT_EQ(sound::ReadD3Record(image), sound::D3Record{}) << "the default block holds the 3D defaults";
    sound::D3Record record{true, false, 1, 2, 14, 15};
    sound::StoreD3Record(record, image);
    EXPECT_EQ(image.At(0xA1), 0xBB) << "bits 0-5 of 0x7B stay";
    EXPECT_EQ(image.At(0xE7), 0x12);
    EXPECT_EQ(image.At(0xE8), 0xEF);
    EXPECT_EQ(sound::ReadD3Record(image), record);
}

class Sound3DModelTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    Sound3DModelTest()
    {
        equalizer.Initialise(120);
        sound3D.Initialise(120);
        device.chip().ClearRequests();
    }

    sound::Equalizer equalizer{featureDevice};
    sound::Virtual71 virtual71{featureDevice};
    sound::Sound3D sound3D{featureDevice, equalizer, virtual71};
};

TEST_F(Sound3DModelTest, StartsFromTheDefaultsWithFbmOn)
{
    EXPECT_EQ(sound3D.FbmButton(), 1);
    EXPECT_EQ(sound3D.Value(D3Slider::LeftAlpha), 10);
    EXPECT_EQ(sound3D.Value(D3Slider::RightBeta), 3);
    EXPECT_EQ(sound3D.SliderTop(D3Slider::LeftAlpha), 145);
    EXPECT_EQ(sound3D.AlphaLink(), sound::D3LinkState::NotChosen);
}

TEST_F(Sound3DModelTest, EnableReachesTheSdkAndWidensTheNibblesOnce)
{
    SetRegister(0x100, 0x01);
    SetRegister(0x1CD, 0xAA);
    SetRegister(0x1CE, 0x5A);
    sound3D.SwitchedByButton(1);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 1);
    EXPECT_EQ(Register(0x100), 0x81);
    EXPECT_EQ(Register(0x1CD), 0xFF);
    EXPECT_EQ(Register(0x1CE), 0x5F);

    sound3D.SwitchedByButton(0);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 0);
    EXPECT_EQ(Register(0x100), 0x01);
    EXPECT_EQ(Register(0x1CD), 0xFF) << "switching off does not restore them";
}

TEST_F(Sound3DModelTest, ExclusionKeepsOnlyOneOfThemOn)
{
    sound3D.SetExclusiveWithVirtual(true);
    virtual71.SetEnabled(1);
    ASSERT_EQ(virtual71.SendOnOff(1), 0);

    // 3D on/off while virtual 7.1 is on sends off and keeps 3D off.
    sound3D.SendOnOff(1);
    EXPECT_EQ(sound3D.Enabled(), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 0);

    // The 3D-EN button switches virtual 7.1 off, in memory and on the device, and 3D on.
    EXPECT_TRUE(sound3D.SwitchedByButton(1));
    EXPECT_EQ(virtual71.Enabled(), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::virtualOn), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 1);

    // Without exclusion both stay on.
    sound3D.SetExclusiveWithVirtual(false);
    virtual71.SetEnabled(1);
    EXPECT_FALSE(sound3D.SwitchedByButton(1));
    EXPECT_EQ(virtual71.Enabled(), 1);
}

TEST_F(Sound3DModelTest, LinkedSlidersMoveTogetherAndReachTheRegisters)
{
    for (int press = 0; press < 3; ++press)
        sound3D.NextAlphaLink();
    ASSERT_EQ(sound3D.AlphaLink(), sound::D3LinkState::Inverse);
    SetRegister(0x18A, 0xF0);
    sound3D.MoveSlider(D3Slider::LeftAlpha, 130);
    EXPECT_EQ(sound3D.SliderTop(D3Slider::RightAlpha), 200);
    const int left = sound::D3ValueFromTop(130, 120);
    const int right = sound::D3ValueFromTop(200, 120);
    EXPECT_EQ(Register(0x18B), left << 4 | 3);
    EXPECT_EQ(Register(0x18C), right << 4 | 3);
    EXPECT_EQ(Register(0x18A), 0xF1) << "bit 0 carries FBM";
    EXPECT_EQ(equalizer.Image().At(0xE7), left << 4 | 3);

    // One more press goes round to independent: the partner stays.
    sound3D.NextAlphaLink();
    sound3D.MoveSlider(D3Slider::LeftAlpha, 300);
    EXPECT_EQ(sound3D.SliderTop(D3Slider::LeftAlpha), 225) << "clamped to the track";
    EXPECT_EQ(sound3D.SliderTop(D3Slider::RightAlpha), 200);

    // Without synchronization only memory changes.
    state.synchronization = false;
    SetRegister(0x18B, 0);
    sound3D.MoveSlider(D3Slider::LeftBeta, 105);
    EXPECT_EQ(Register(0x18B), 0);
    EXPECT_EQ(sound3D.Value(D3Slider::LeftBeta), 15);
}

TEST_F(Sound3DModelTest, ResetWritesTheDefaultsWithoutTouchingTheImage)
{
    sound3D.MoveSlider(D3Slider::RightBeta, 105);
    sound3D.SetFbm(0);
    EXPECT_EQ(Register(0x18A) & 1, 0);
    const std::uint8_t imageBefore = equalizer.Image().At(0xE8);
    sound3D.Reset();
    EXPECT_EQ(sound3D.Record(), sound::D3Record{});
    EXPECT_EQ(Register(0x18C), 0xA3);
    EXPECT_EQ(Register(0x18A) & 1, 1);
    EXPECT_EQ(equalizer.Image().At(0xE8), imageBefore);
}

TEST_F(Sound3DModelTest, QueryTakesTheDevicesStateOrTheStoredHint)
{
    ASSERT_EQ(sdk->DLLQZ_Set3D_OnOff_ById(1, 0), 0);
    sound3D.Query();
    EXPECT_EQ(sound3D.Enabled(), 1);
    ASSERT_EQ(sdk->DLLQZ_Set3D_OnOff_ById(0, 0), 0);
    sound3D.ClearEnabled();
    sound3D.Query();
    EXPECT_EQ(sound3D.Enabled(), 0);
}

} // namespace
