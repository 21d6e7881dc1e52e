// Virtual 7.1 without any form: the ring's arithmetic, and the model's speaker ring as it reaches the
// emulated chip.

#include "sound/Virtual71.h"

#include "FeatureDeviceRig.h"
#include "emulator/Faults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using sdk::EntryPoint;
using sound::SpeakerPosition;

constexpr sound::SpeakerRing kRing{200, 150, 100};

TEST(SpeakerRingNumbers, DefaultRingStandsOnTheAxesAndTheDiagonals)
{
    const sound::SpeakerPositions ring = sound::DefaultSpeakerRing(kRing);
    EXPECT_EQ(ring[2], (SpeakerPosition{200, 70}));  // C
    EXPECT_EQ(ring[3], (SpeakerPosition{200, 100})); // SUB
    EXPECT_EQ(ring[4], (SpeakerPosition{120, 150})); // LS
    EXPECT_EQ(ring[5], (SpeakerPosition{280, 150})); // RS
    EXPECT_EQ(ring[0], (SpeakerPosition{143, 93}));  // L
    EXPECT_EQ(ring[1], (SpeakerPosition{256, 93}));  // R
    EXPECT_EQ(ring[6], (SpeakerPosition{143, 206})); // LB
    EXPECT_EQ(ring[7], (SpeakerPosition{256, 206})); // RB
    // An odd radius halves toward zero before the 1.6.
    EXPECT_EQ(sound::DefaultSpeakerRing({200, 150, 101})[2], (SpeakerPosition{200, 70}));
}

TEST(SpeakerRingNumbers, AnglesRunCounterclockwiseOnTheScreenInEveryQuadrant)
{
    const struct {
        const char* what;
        SpeakerPosition at;
        double angle;
        double distance;
    } cases[] = {
        {"right", {300, 150}, 0.0, 100.0},
        {"above right", {300, 50}, 0.78539816, 141.42136},
        {"above", {200, 50}, 1.57079633, 100.0},
        {"left", {100, 150}, 3.14159265, 100.0},
        {"below left", {100, 250}, 3.14159265 + 0.78539816, 141.42136},
        {"below", {200, 250}, 6.2831853 - 1.57079633, 100.0},
        {"below right", {300, 250}, 6.2831853 - 0.78539816, 141.42136},
        {"centre", {200, 150}, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const sound::SpeakerValue value = sound::ComputeSpeakerValue(c.at, kRing, false);
        EXPECT_NEAR(value.angle, c.angle, 1e-5) << c.what;
        EXPECT_NEAR(value.distance, c.distance, 1e-3) << c.what;
    }
}

TEST(SpeakerRingNumbers, OldLayoutNudgesOneSpotOnly)
{
    const sound::SpeakerRing ring{564, 255, 200};
    EXPECT_NEAR(sound::ComputeSpeakerValue({664, 355}, ring, true).distance, std::hypot(101.0, 101.0), 1e-3);
    EXPECT_NEAR(sound::ComputeSpeakerValue({664, 355}, ring, false).distance, std::hypot(100.0, 100.0), 1e-3);
    EXPECT_NEAR(sound::ComputeSpeakerValue({664, 354}, ring, true).distance, std::hypot(100.0, 99.0), 1e-3);
}

TEST(SpeakerRingNumbers, FactorGrowsWithDistanceUpToTheRing)
{
    EXPECT_FLOAT_EQ(sound::DistanceFactor(0.0f, 100), 0.0f);
    EXPECT_FLOAT_EQ(sound::DistanceFactor(50.0f, 100), 0.85f);
    EXPECT_FLOAT_EQ(sound::DistanceFactor(100.0f, 100), 1.7f);
    EXPECT_FLOAT_EQ(sound::DistanceFactor(150.0f, 100), 1.7f);
    // A skin without a ring radius: no speaker has distance, and nothing divides by zero.
    EXPECT_FLOAT_EQ(sound::DistanceFactor(50.0f, 0), 0.0f);
}

TEST(SpeakerRingNumbers, RescaleKeepsSpeakersRelativeToTheRing)
{
    const sound::SpeakerRing smaller{200, 150, 50};
    EXPECT_EQ(sound::RescaledSpeaker({280, 150}, smaller, 100), (SpeakerPosition{240, 150}));
    EXPECT_EQ(sound::RescaledSpeaker({143, 93}, smaller, 100), (SpeakerPosition{172, 122}));
    // A radius of 0 on either side leaves the speakers where they are.
    EXPECT_EQ(sound::RescaledSpeaker({280, 150}, smaller, 0), (SpeakerPosition{280, 150}));
    EXPECT_EQ(sound::RescaledSpeaker({280, 150}, {200, 150, 0}, 100), (SpeakerPosition{280, 150}));
}

// The model on the emulated device, as the main window lends it the device.
class Virtual71ModelTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    Virtual71ModelTest()
    {
        virtual71.InitialiseRing(kRing, sound::DefaultSpeakerRing(kRing));
        device.chip().ClearRequests();
    }

    sdk::Virtual7ch1Block ChipBlock() { return Sound(&emulator::SoundState::virtualBlock); }
    std::int32_t ChipOn() { return Sound(&emulator::SoundState::virtualOn); }
    // The last block the chip received, byte for byte as the model builds it.
    void ExpectChipHoldsModelBlock()
    {
        const sdk::Virtual7ch1Block expected = virtual71.Block(virtual71.Enabled());
        const sdk::Virtual7ch1Block held = ChipBlock();
        EXPECT_EQ(std::memcmp(&held, &expected, sizeof held), 0);
    }

    const std::vector<EntryPoint> kSendVirtual{EntryPoint::DLLQZ_SetVirtual7ch1_OnOff, EntryPoint::DLLQZ_SetVirtual7ch1};

    sound::Virtual71 virtual71{featureDevice};
};

TEST_F(Virtual71ModelTest, ResetSendsTheDefaultRingInTheBlocksLayout)
{
    virtual71.SpeakerMoved(2, 210, 160);
    virtual71.SetEnabled(1);
    device.chip().ClearRequests();
    virtual71.Reset();
    EXPECT_EQ(virtual71.Positions(), sound::DefaultSpeakerRing(kRing));
    EXPECT_EQ(SdkCalls(), kSendVirtual);
    EXPECT_EQ(ChipOn(), 1);
    ExpectChipHoldsModelBlock();

    // Decoded: enabled, then eight factors, then eight angles, little-endian.
    const sdk::Virtual7ch1Block block = ChipBlock();
    EXPECT_EQ(block.enabled, 1);
    EXPECT_FLOAT_EQ(block.distanceFactor[2], 1.36f); // C, 80 pixels of 100
    EXPECT_NEAR(block.angle[2], 1.5707963, 1e-6);
    EXPECT_FLOAT_EQ(block.distanceFactor[3], 0.85f); // SUB, 50 pixels
    EXPECT_NEAR(block.angle[4], 3.14159265, 1e-6);   // LS
    EXPECT_NEAR(block.angle[5], 0.0, 1e-6);          // RS
    std::uint8_t bytes[sizeof block];
    std::memcpy(bytes, &block, sizeof block);
    EXPECT_EQ((std::vector<std::uint8_t>{bytes, bytes + 4}), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    // 0.85f is 0x3F59999A: the SUB's factor at offset 4 + 4 * 3.
    EXPECT_EQ((std::vector<std::uint8_t>{bytes + 16, bytes + 20}), (std::vector<std::uint8_t>{0x9A, 0x99, 0x59, 0x3F}));
}

TEST_F(Virtual71ModelTest, DraggedSpeakerIsMeasuredAndSentAtOnce)
{
    virtual71.SetEnabled(1);
    virtual71.SpeakerMoved(0, 200, 150); // onto the centre
    EXPECT_EQ(SdkCalls(), kSendVirtual);
    EXPECT_EQ(ChipBlock().angle[0], 0.0f);
    EXPECT_EQ(ChipBlock().distanceFactor[0], 0.0f);

    virtual71.SpeakerMoved(1, 300, 150); // on the ring
    virtual71.SpeakerMoved(2, 200, 40);  // beyond it, as a profile may place it
    EXPECT_FLOAT_EQ(ChipBlock().distanceFactor[1], 1.7f);
    EXPECT_FLOAT_EQ(ChipBlock().distanceFactor[2], 1.7f);
    ExpectChipHoldsModelBlock();
    // A drag sets the rotation's starting point.
    EXPECT_DOUBLE_EQ(virtual71.Polars()[1].distance, 100.0);
}

TEST_F(Virtual71ModelTest, BlockGoesOnlyToAnActiveDeviceAndItsRefusalIsReported)
{
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetVirtual7ch1, 1)));
    EXPECT_EQ(virtual71.SendParameters(1), 1);
    EXPECT_EQ(virtual71.SendParameters(1), 0);

    state.deviceActive = false;
    device.chip().ClearRequests();
    EXPECT_EQ(virtual71.SendParameters(1), 0);
    virtual71.Reset();
    virtual71.ToggleMotion(sound::RingMotion::Clockwise);
    EXPECT_FALSE(virtual71.MotionTick());
    EXPECT_TRUE(SdkCalls().empty());
}

TEST_F(Virtual71ModelTest, ClockwiseIncreasesEveryAngleAndShowsTheAngleBeforeTheStep)
{
    virtual71.SpeakerMoved(5, 300, 150); // RS exactly at angle 0, distance 100
    const sound::SpeakerPolars before = virtual71.Polars();
    virtual71.ToggleMotion(sound::RingMotion::Clockwise);
    device.chip().ClearRequests();
    ASSERT_TRUE(virtual71.MotionTick());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_FLOAT_EQ(virtual71.Polars()[i].angle, before[i].angle + sound::kRingStep) << i;
        EXPECT_EQ(virtual71.Polars()[i].distance, before[i].distance) << i;
    }
    EXPECT_EQ(virtual71.Positions()[5], (SpeakerPosition{300, 150}));
    EXPECT_EQ(SdkCalls(), kSendVirtual);
    ExpectChipHoldsModelBlock();

    // The next tick shows the degree: RS rises on the screen, which is counter-clockwise.
    virtual71.MotionTick();
    EXPECT_EQ(virtual71.Positions()[5], (SpeakerPosition{299, 148}));
    // The step measures the truncated positions for the chip but keeps its own polar state.
    EXPECT_NE(virtual71.Values()[5].distance, static_cast<float>(virtual71.Polars()[5].distance));

    virtual71.ToggleMotion(sound::RingMotion::Counterclockwise);
    const float angle = virtual71.Polars()[5].angle;
    virtual71.MotionTick();
    EXPECT_FLOAT_EQ(virtual71.Polars()[5].angle, angle - sound::kRingStep);
}

TEST_F(Virtual71ModelTest, NarrowAndEnlargeStopForAllAtOnce)
{
    const sound::SpeakerRing wide{200, 150, 200};
    sound::SpeakerPositions layout = sound::DefaultSpeakerRing(wide);
    layout[3] = {210, 150}; // SUB 10 pixels from the centre
    virtual71.InitialiseRing(wide, layout);

    virtual71.ToggleMotion(sound::RingMotion::Narrow);
    ASSERT_TRUE(virtual71.MotionTick());
    EXPECT_DOUBLE_EQ(virtual71.Polars()[3].distance, 9.0);
    EXPECT_DOUBLE_EQ(virtual71.Polars()[2].distance, 159.0);
    const sound::SpeakerPositions narrowed = virtual71.Positions();
    virtual71.MotionTick();
    EXPECT_EQ(virtual71.Positions(), narrowed) << "below 10 nobody moves";
    EXPECT_DOUBLE_EQ(virtual71.Polars()[2].distance, 159.0);

    layout = sound::DefaultSpeakerRing(kRing); // every speaker about 80 pixels out
    layout[3] = {310, 150};                    // SUB 110 pixels out
    virtual71.InitialiseRing(kRing, layout);
    virtual71.ToggleMotion(sound::RingMotion::Enlarge);
    virtual71.MotionTick();
    EXPECT_DOUBLE_EQ(virtual71.Polars()[3].distance, 111.0);
    EXPECT_DOUBLE_EQ(virtual71.Polars()[2].distance, 81.0);
    const sound::SpeakerPositions enlarged = virtual71.Positions();
    virtual71.MotionTick();
    EXPECT_EQ(virtual71.Positions(), enlarged) << "at 111 nobody moves";
}

TEST_F(Virtual71ModelTest, MotionsExcludeEachOtherAndTheSameOneStops)
{
    using sound::RingMotion;
    virtual71.ToggleMotion(RingMotion::Narrow);
    virtual71.ToggleMotion(RingMotion::Clockwise); // CW during Narrow stops Narrow
    EXPECT_EQ(virtual71.Motion(), RingMotion::Clockwise);
    const sound::SpeakerPolars before = virtual71.Polars();
    virtual71.MotionTick();
    EXPECT_EQ(virtual71.Polars()[2].distance, before[2].distance);
    EXPECT_NE(virtual71.Polars()[2].angle, before[2].angle);

    virtual71.ToggleMotion(RingMotion::Counterclockwise);
    EXPECT_EQ(virtual71.Motion(), RingMotion::Counterclockwise);
    virtual71.ToggleMotion(RingMotion::Counterclockwise);
    EXPECT_FALSE(virtual71.Motion().has_value());
    EXPECT_FALSE(virtual71.MotionTick());
}

TEST_F(Virtual71ModelTest, DefaultProfileGivesTheResetLayoutAndTheArrivalSwitch)
{
    const std::wstring profile = L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\DefaultProfile.ini";
    platform.files.Put(profile, "[Virtual7ch1]\r\n7ch1EN=1\r\nL=150,100\r\nR=250,100\r\nC=200,90\r\nSUB=200,120\r\n"
                                "LS=130,150\r\nRS=270,150\r\nLB=150,200\r\nRB=250,200\r\n");
    virtual71.SetDefaultProfile(profile);
    EXPECT_EQ(virtual71.DefaultProfileSwitch(), 1);
    virtual71.Reset();
    EXPECT_EQ(virtual71.Positions()[0], (SpeakerPosition{150, 100}));
    EXPECT_EQ(virtual71.Positions()[7], (SpeakerPosition{250, 200}));
    EXPECT_DOUBLE_EQ(virtual71.Polars()[5].distance, 70.0);
    ExpectChipHoldsModelBlock();
}

TEST_F(Virtual71ModelTest, RescaleMovesTheSpeakersWithoutSending)
{
    virtual71.RescaleRing({200, 150, 50}, 100);
    EXPECT_EQ(virtual71.Positions()[5], (SpeakerPosition{240, 150}));
    EXPECT_TRUE(SdkCalls().empty());
    virtual71.RescaleRing({200, 150, 0}, 50);
    EXPECT_EQ(virtual71.Positions()[5], (SpeakerPosition{240, 150}));
    EXPECT_EQ(virtual71.Block(1).distanceFactor[5], 0.0f);
}

} // namespace
