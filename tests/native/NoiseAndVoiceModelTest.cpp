// Noise cancellation and the voice effects without any form: the slider's numbers, the registry as the
// source of their state, the command blocks as the emulated chip records them, and the hardware
// button's reports.

#include "sound/NoiseAndVoice.h"
#include "sound/NoiseAndVoiceLevel.h"

#include "FeatureDeviceRig.h"
#include "common/RegistryStore.h"
#include "emulator/Faults.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using sdk::EntryPoint;

constexpr auto kRoot = ports::RegistryRoot::LocalMachine;
constexpr auto kView = ports::RegistryView::Bits32;
const std::wstring kSoftware = L"SOFTWARE\\KVQ 48xx Software";
const std::wstring kEncMap = L"SOFTWARE\\KVQ 48xx Software\\EncValueMap";
const std::wstring kDeviceValue = L"VID_4D2F&PID_4802";

TEST(NoiseAndVoiceNumbers, SliderOf150PixelsSpansTheThirtyLevels)
{
    constexpr int limit = 40;
    EXPECT_EQ(sound::EncLevelFromDrag(limit, limit, 150, 7), 30);
    EXPECT_EQ(sound::EncLevelFromDrag(limit + 150, limit, 150, 7), 0);
    EXPECT_EQ(sound::EncLevelFromDrag(limit + 75, limit, 150, 7), 15);
    EXPECT_EQ(sound::EncSliderOffset(15, 150), 75);
    EXPECT_EQ(sound::EncSliderOffset(30, 150), 0);
    EXPECT_EQ(sound::EncSliderOffset(0, 150), 150);
    // The bar click counts in whole numbers: 7 pixels of a 7-pixel travel are all 30 levels.
    EXPECT_EQ(sound::EncLevelFromBarClick(limit, limit, 7, 0), 30);
    EXPECT_EQ(sound::EncLevelFromBarClick(limit + 4, limit, 7, 0), 12);
}

TEST(NoiseAndVoiceNumbers, WithoutTravelTheLevelStays)
{
    // A skin without the slider's geometry would divide 0 by 0 here.
    EXPECT_EQ(sound::EncLevelFromDrag(100, 100, 0, 17), 17);
    EXPECT_EQ(sound::EncLevelFromBarClick(100, 100, 0, 17), 17);
    EXPECT_EQ(sound::EncSliderOffset(17, 0), 0);
}

TEST(NoiseAndVoiceNumbers, VoiceModesByOffsetAndRegistryValue)
{
    struct Case {
        int mode;
        std::int16_t offset;
        std::uint32_t stored;
    };
    for (const Case& c : {Case{0, 0, 12}, Case{1, -3, 9}, Case{2, 7, 19}, Case{3, -10, 2}, Case{4, 12, 24}}) {
        EXPECT_EQ(sound::VoiceLevelOffset(c.mode), c.offset) << c.mode;
        EXPECT_EQ(sound::VoiceRegistryValue(c.mode), c.stored) << c.mode;
        EXPECT_EQ(sound::VoiceModeFromRegistry(c.stored), c.mode) << c.mode;
    }
    for (const std::uint32_t other : {0u, 7u, 13u, 0xFFFFFFFFu})
        EXPECT_EQ(sound::VoiceModeFromRegistry(other), 0) << other;
}

class NoiseAndVoiceModelTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    void StoreLevel(std::uint32_t level) { platform.registry.Put(kRoot, kView, kEncMap, kDeviceValue, level); }
    std::optional<memory::MemoryRegistry::Value> Stored(const std::wstring& key, const std::wstring& name)
    {
        return platform.registry.Get(kRoot, kView, key, name);
    }
    std::vector<emulator::RecordedRequest> Calls(EntryPoint entry)
    {
        std::vector<emulator::RecordedRequest> calls;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            if (request.entryPoint == static_cast<std::uint8_t>(entry))
                calls.push_back(request);
        return calls;
    }
    // The head of each audio command: group, sub-command and the first payload bytes.
    std::vector<std::vector<std::uint8_t>> CommandHeads(std::size_t bytes = 6)
    {
        std::vector<std::vector<std::uint8_t>> heads;
        for (const auto& call : Calls(EntryPoint::DLLQZ_AudioCommand)) {
            const auto all = chip_record::Bytes(call);
            heads.emplace_back(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(bytes));
        }
        return heads;
    }
    emulator::SoundState ChipSound()
    {
        return device.chip().WithState([](const emulator::ChipState& s) { return s.sound; });
    }

    sound::NoiseAndVoice model{featureDevice};
};

TEST_F(NoiseAndVoiceModelTest, MissingLevelMakesBothFunctionsUnavailableAndSendsNothing)
{
    model.NoiseCancellationFromRegistry();
    model.VoiceEffectFromRegistry();

    EXPECT_FALSE(model.NoiseCancellationAvailable());
    EXPECT_FALSE(model.EncOn());
    EXPECT_TRUE(device.chip().Requests().empty());
    // The read created the key, and a key that had to be created reads as missing.
    EXPECT_TRUE(platform.registry.KeyExists(kRoot, kView, kEncMap));
    model.NoiseCancellationFromRegistry();
    EXPECT_FALSE(model.NoiseCancellationAvailable());
    // Another device's level does not count for this one.
    platform.registry.Put(kRoot, kView, kEncMap, L"VID_4D2F&PID_4803", 10u);
    model.NoiseCancellationFromRegistry();
    EXPECT_FALSE(model.NoiseCancellationAvailable());
}

TEST_F(NoiseAndVoiceModelTest, StoredLevelSwitchesEncOnAtEveryLoadAndKeepsTheDevicesOtherBytes)
{
    StoreLevel(22);
    model.NoiseCancellationFromRegistry();
    ASSERT_TRUE(model.NoiseCancellationAvailable());
    model.ToggleEnc();
    ASSERT_FALSE(model.EncOn());
    ASSERT_EQ(ChipSound().encEnabled, 0);
    device.chip().ClearRequests();

    model.NoiseCancellationFromRegistry();
    EXPECT_TRUE(model.EncOn());
    EXPECT_EQ(model.EncLevel(), 22);
    EXPECT_EQ(CommandHeads(), (std::vector<std::vector<std::uint8_t>>{{4, 0, 1, 0, 0, 0}, {4, 8, 0, 0, 0, 0}}));
    const auto sent = Calls(EntryPoint::DLLQZ_SetEnc_Parameters);
    ASSERT_EQ(sent.size(), 1u);
    // The firmware's own bytes come back as it gave them; only the level (bytes 8-11) is ours.
    const std::vector<std::uint8_t> expected = {0x01, 0x00, 0x02, 0x00, 0x20, 0x00, 0x00, 0x00,
                                                22,   0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00};
    EXPECT_EQ(chip_record::Bytes(sent[0]), expected);
    const emulator::SoundState sound = ChipSound();
    EXPECT_EQ(sound.encEnabled, 1);
    EXPECT_EQ(std::vector<std::uint8_t>(std::begin(sound.encParameters), std::end(sound.encParameters)), expected);
}

TEST_F(NoiseAndVoiceModelTest, OnOffIsSentOnceMoreWhenItFails)
{
    StoreLevel(5);
    device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_AudioCommand, 1));
    model.NoiseCancellationFromRegistry();
    EXPECT_EQ(CommandHeads(3), (std::vector<std::vector<std::uint8_t>>{{4, 0, 1}, {4, 0, 1}, {4, 8, 0}}));
    EXPECT_EQ(ChipSound().encEnabled, 1);
}

TEST_F(NoiseAndVoiceModelTest, FailedStateReadSendsTheLevelInACleanBlock)
{
    StoreLevel(9);
    device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_AudioCommand, 2));
    model.NoiseCancellationFromRegistry();
    const auto sent = Calls(EntryPoint::DLLQZ_SetEnc_Parameters);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(chip_record::Bytes(sent[0]), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(NoiseAndVoiceModelTest, LevelBeyondTheSliderIsTakenAsItsTop)
{
    StoreLevel(1000);
    model.NoiseCancellationFromRegistry();
    EXPECT_EQ(model.EncLevel(), 30);
    EXPECT_EQ(model.EncParameters()[8], 30);
}

TEST_F(NoiseAndVoiceModelTest, ReleasedSliderSendsAndStoresTheLevel)
{
    StoreLevel(3);
    model.NoiseCancellationFromRegistry();
    device.chip().ClearRequests();

    model.SetEncLevel(27);
    EXPECT_TRUE(device.chip().Requests().empty()) << "a move neither sends nor stores";
    EXPECT_EQ(Stored(kEncMap, kDeviceValue), memory::MemoryRegistry::Value{3u});
    model.CommitEncLevel();
    EXPECT_EQ(Stored(kEncMap, kDeviceValue), memory::MemoryRegistry::Value{27u});
    EXPECT_EQ(ChipSound().encParameters[8], 27);
    EXPECT_EQ(ChipSound().encParameters[13], 0x40);
}

TEST_F(NoiseAndVoiceModelTest, UnlistedVoiceLevelLoadsAsModeZeroAndIsRewritten)
{
    StoreLevel(10);
    platform.registry.Put(kRoot, kView, kSoftware, L"VoiceMagicEnable", 1u);
    platform.registry.Put(kRoot, kView, kSoftware, L"VoiceMagicLevel", 7u);
    model.NoiseCancellationFromRegistry();
    device.chip().ClearRequests();

    model.VoiceEffectFromRegistry();
    EXPECT_TRUE(model.VoiceOn());
    EXPECT_EQ(model.VoiceEffect(), 0);
    EXPECT_EQ(Stored(kSoftware, L"VoiceMagicLevel"), memory::MemoryRegistry::Value{12u});
    // On/off, then the mode with it, then the mode once more.
    EXPECT_EQ(CommandHeads(12), (std::vector<std::vector<std::uint8_t>>{{7, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                                        {7, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                                        {7, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(ChipSound().voiceEnabled, 1);
}

TEST_F(NoiseAndVoiceModelTest, VoiceModeThreeSendsMinusTenAsSixteenBits)
{
    StoreLevel(10);
    model.NoiseCancellationFromRegistry();
    model.VoiceEffectFromRegistry(); // nothing stored: off, mode 0
    EXPECT_EQ(Stored(kSoftware, L"VoiceMagicEnable"), memory::MemoryRegistry::Value{0u});
    device.chip().ClearRequests();

    model.ChooseVoiceMode(3);
    EXPECT_EQ(CommandHeads(12),
              (std::vector<std::vector<std::uint8_t>>{{7, 2, 0, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0}}));
    EXPECT_EQ(Stored(kSoftware, L"VoiceMagicLevel"), memory::MemoryRegistry::Value{2u});
    const emulator::SoundState sound = ChipSound();
    EXPECT_EQ(std::vector<std::uint8_t>(std::begin(sound.voiceBlock), std::end(sound.voiceBlock)),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0}));

    // Switching on keeps the mode and sends it with the new state.
    device.chip().ClearRequests();
    model.ToggleVoice();
    EXPECT_EQ(CommandHeads(8), (std::vector<std::vector<std::uint8_t>>{{7, 0, 1, 0, 0, 0, 0, 0},
                                                                       {7, 2, 1, 0, 0, 0, 0xF6, 0xFF}}));
    EXPECT_EQ(Stored(kSoftware, L"VoiceMagicEnable"), memory::MemoryRegistry::Value{1u});
}

TEST_F(NoiseAndVoiceModelTest, VoiceIsLeftAloneWithoutTheFunctions)
{
    platform.registry.Put(kRoot, kView, kSoftware, L"VoiceMagicEnable", 1u);
    model.NoiseCancellationFromRegistry();
    model.VoiceEffectFromRegistry();
    EXPECT_FALSE(model.VoiceOn());
    EXPECT_TRUE(device.chip().Requests().empty());
}

class NoiseAndVoiceButtonTest : public NoiseAndVoiceModelTest {
protected:
    NoiseAndVoiceButtonTest()
    {
        StoreLevel(10);
        model.NoiseCancellationFromRegistry();
        model.ConfigureButtonScan(2, [this] { ++wakes; }, [] {});
        model.OnButtonToggle([this] { ++toggles; });
        model.StartButtonScan();
        device.chip().ClearRequests();
    }

    // A report as the SDK delivers it on its own thread, then taken by the GUI thread.
    void Press(const device::ButtonReport& report)
    {
        ASSERT_TRUE(device.sdk().PressButton(report, emulator::ButtonDelivery::OtherThread));
        model.DeliverButtonReports();
    }

    int wakes = 0;
    int toggles = 0;
};

TEST_F(NoiseAndVoiceButtonTest, ScanStartsOnTheConfiguredLineForTheDevice)
{
    model.StartButtonScan();
    const auto gpio = Calls(EntryPoint::DLLQZ_SetGpioModeEx_ById);
    ASSERT_EQ(gpio.size(), 1u);
    EXPECT_EQ(chip_record::Args(gpio[0]), (std::vector<std::int32_t>{2, 0, 0}));
    const auto scan = Calls(EntryPoint::DLLQZ_ScanButton_ById);
    ASSERT_EQ(scan.size(), 1u);
    EXPECT_EQ(chip_record::Args(scan[0]), (std::vector<std::int32_t>{0x4D2F, 0x4802, 1, 0}));
}

TEST_F(NoiseAndVoiceButtonTest, FirstReportIsIgnoredThenEachPressTogglesOnce)
{
    Press({0, 0, 0x00, 0, 0}); // the first, whatever it holds
    EXPECT_TRUE(model.EncOn());
    EXPECT_TRUE(CommandHeads().empty());

    Press({0, 0, 0x04, 0, 0}); // line 2 high: released
    EXPECT_TRUE(model.EncOn());
    Press({0, 0, 0x00, 0, 0}); // pressed
    EXPECT_FALSE(model.EncOn());
    EXPECT_EQ(ChipSound().encEnabled, 0);
    Press({0, 0, 0x04, 0, 0});
    Press({0, 0, 0x00, 0, 0});
    EXPECT_TRUE(model.EncOn());
    EXPECT_EQ(ChipSound().encEnabled, 1);
    EXPECT_EQ(toggles, 2);
    EXPECT_EQ(wakes, 5);
    EXPECT_EQ(CommandHeads(), (std::vector<std::vector<std::uint8_t>>{{4, 0, 0, 0, 0, 0}, {4, 0, 1, 0, 0, 0}}));
}

TEST_F(NoiseAndVoiceButtonTest, NothingHappensBeforeTheGuiThreadTakesTheReport)
{
    Press({0, 0, 0x04, 0, 0});
    ASSERT_TRUE(device.sdk().PressButton({0, 0, 0x00, 0, 0}, emulator::ButtonDelivery::OtherThread));
    EXPECT_TRUE(model.EncOn());
    EXPECT_EQ(toggles, 0);
    model.DeliverButtonReports();
    EXPECT_FALSE(model.EncOn());
}

TEST_F(NoiseAndVoiceModelTest, EachButtonLineReadsItsOwnBit)
{
    struct Case {
        std::uint8_t gpio;
        device::ButtonReport released; // the line's bit set
        bool toggles;
    };
    for (const Case& c :
         {Case{1, {0, 0, 0x02, 0, 0}, true}, Case{2, {0, 0, 0x04, 0, 0}, true}, Case{3, {0, 0, 0x08, 0, 0}, true},
          Case{8, {0, 0, 0, 0x01, 0}, true}, Case{9, {0, 0, 0, 0x02, 0}, true},
          // A line the report does not carry: no report toggles.
          Case{4, {0, 0, 0x10, 0, 0}, false}, Case{0, {0, 0, 0x01, 0, 0}, false}}) {
        // The scan's callback reaches the latest model only.
        sound::NoiseAndVoice lineModel{featureDevice};
        lineModel.ConfigureButtonScan(c.gpio, [] {}, [] {});
        lineModel.StartButtonScan();

        device::ButtonReport pressed = c.released;
        pressed[2] = static_cast<std::uint8_t>(~c.released[2]);
        pressed[3] = static_cast<std::uint8_t>(~c.released[3]);
        for (const auto& report : {pressed, c.released, pressed}) {
            device.sdk().PressButton(report);
            lineModel.DeliverButtonReports();
        }
        // The first is skipped, the release ignored, the second press toggles.
        EXPECT_EQ(lineModel.EncOn(), c.toggles) << int{c.gpio};
    }
}

} // namespace
