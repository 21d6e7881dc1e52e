// The equalizer's numbers and its model, without any form: gain codes and slider offsets, the chip's
// preset record, the configuration image, and the enable switch as it reaches the emulated chip.

#include "sound/Equalizer.h"

#include "FeatureDeviceRig.h"
#include "emulator/Faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using sdk::EntryPoint;

TEST(EqualizerNumbers, GainCodesAndSliderOffsetsMeetAtTheTrackMarks)
{
    struct Case {
        int offset;
        std::uint16_t gain;
    };
    // A 100-pixel track: top, upper quarter, middle, lower quarter, bottom.
    for (const Case& c : {Case{0, 2559}, Case{25, 1791}, Case{50, 1024}, Case{75, 768}, Case{100, 512}}) {
        EXPECT_EQ(sound::GainFromSliderOffset(c.offset, 100), c.gain) << c.offset;
        EXPECT_EQ(sound::SliderOffsetFromGain(c.gain, 100), c.offset) << c.gain;
    }
    // An odd travel: the middle is travel / 2 truncated, and the upper half moves three codes a step.
    EXPECT_EQ(sound::SliderOffsetFromGain(1024, 41), 21);
    EXPECT_EQ(sound::GainFromSliderOffset(1, 41), 2487);
}

TEST(EqualizerNumbers, OutOfRangeGainsShowAtTheTrackEndsAndNoTrackMeansFlat)
{
    EXPECT_EQ(sound::SliderOffsetFromGain(0, 100), 100);
    EXPECT_EQ(sound::SliderOffsetFromGain(300, 100), 100);
    EXPECT_EQ(sound::SliderOffsetFromGain(0xFFFF, 100), 0);
    // A skin without EQ geometry must not divide by zero.
    EXPECT_EQ(sound::GainFromSliderOffset(10, 0), 1024);
    EXPECT_EQ(sound::SliderOffsetFromGain(2000, 0), 0);
}

TEST(EqualizerNumbers, RecordPacksInTheChipsLayoutAndBack)
{
    sound::EqRecord record;
    record.gains = {0xABC, 0x123, 0x400, 0xFED, 0x5A5};
    record.eqOff = true;
    record.flagB = true;
    record.hint3D = true;
    record.marker = 0xC5;
    record.lastSlot = false;

    std::array<std::uint8_t, sound::kEqRecordSize> bytes;
    bytes.fill(0x77); // packing clears what it does not fill
    sound::PackEqRecord(record, bytes);
    const std::array<std::uint8_t, 16> expected = {0xBC, 0x3A, 0x12, 0x00, 0xD4, 0xFE, 0xA5, 0xB5,
                                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC5, 0x45};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(sound::UnpackEqRecord(bytes), record);

    // Gains keep their low twelve bits; flag C and the last-slot marker travel too.
    record.gains[0] = 0xF400;
    record.flagC = true;
    record.lastSlot = true;
    sound::PackEqRecord(record, bytes);
    const sound::EqRecord back = sound::UnpackEqRecord(bytes);
    EXPECT_EQ(back.gains[0], 0x400);
    EXPECT_TRUE(back.flagC);
    EXPECT_TRUE(back.lastSlot);
    EXPECT_EQ(bytes[15], 0xC5);
}

TEST(EqualizerNumbers, DefaultRecordAndImage)
{
    std::array<std::uint8_t, sound::kEqRecordSize> bytes{};
    sound::PackEqRecord(sound::DefaultEqRecord(), bytes);
    const std::array<std::uint8_t, 16> expected = {0x00, 0x04, 0x40, 0x00, 0x04, 0x40, 0x00, 0xE4,
                                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80};
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(sound::DefaultEqRecord().Flat());

    const sound::ConfigurationImage image;
    EXPECT_EQ(image.At(0xA1), 0x7B);
    EXPECT_EQ(image.At(0xE7), 0xA3);
    EXPECT_EQ(image.At(0xE8), 0xA3);
    EXPECT_EQ(image.At(0x100), 0xFF);
    EXPECT_EQ(image.At(sound::ConfigurationImage::kSize - 1), 0xFF);
    EXPECT_EQ(image.Slot(3).data(), &image.Slot(0)[0] + 48);
    EXPECT_THROW(image.Slot(4), std::out_of_range);
}

// The model on the emulated device, as the main window lends it the device.
class EqualizerModelTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    std::int32_t ChipEqEnabled() { return Sound(&emulator::SoundState::eqEnabled); }

    sound::Equalizer equalizer{featureDevice};
};

TEST_F(EqualizerModelTest, InitialiseFillsEverySlotWithTheDefaultPresetAndCentresTheSliders)
{
    equalizer.Initialise(101);
    for (int slot = 0; slot < sound::kEqPresets; ++slot) {
        EXPECT_EQ(sound::UnpackEqRecord(equalizer.Image().Slot(slot)), sound::DefaultEqRecord()) << slot;
        for (int band = 0; band < sound::kEqBands; ++band)
            EXPECT_EQ(equalizer.SliderOffset(slot + 1, band), 50);
    }
    EXPECT_EQ(equalizer.Enabled(), 0);
    EXPECT_EQ(equalizer.Image().At(0x1FF), 0xFF) << "past the presets the image stays erased";
}

TEST_F(EqualizerModelTest, EnableIsKeptInTheCurrentSlotAndSentWithItsCheck)
{
    equalizer.Initialise(100);
    equalizer.ChoosePreset(2);
    equalizer.BandChanged(0, 10); // S2 is no longer flat
    device.chip().ClearRequests();
    equalizer.SetEnabled(1);
    EXPECT_EQ(equalizer.Enabled(), 1);
    EXPECT_EQ(ChipEqEnabled(), 1);
    EXPECT_EQ(SdkCalls(), (std::vector{EntryPoint::DLLQZ_ConfigEQ_ById, EntryPoint::DLLQZ_SetEQ_OnOff_ById,
                                       EntryPoint::DLLQZ_IsEQ_Enable_ById}));
    // Packing into S2 clears its last-slot marker; S4 keeps it.
    EXPECT_FALSE(sound::UnpackEqRecord(equalizer.Image().Slot(1)).lastSlot);

    // A flat preset switches the device's equalizer off, whatever the switch shows.
    equalizer.ChoosePreset(4);
    EXPECT_TRUE(equalizer.Flat());
    device.chip().ClearRequests();
    equalizer.SetEnabled(1);
    EXPECT_TRUE(sound::UnpackEqRecord(equalizer.Image().Slot(3)).lastSlot);
    EXPECT_EQ(ChipEqEnabled(), 0);
    EXPECT_EQ(SdkCalls(), (std::vector{EntryPoint::DLLQZ_ConfigEQ_ById, EntryPoint::DLLQZ_SetEQ_OnOff_ById}));
}

TEST_F(EqualizerModelTest, DeviceThatDisagreesIsToldOnceMore)
{
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetEQ_OnOff_ById, 1)));
    equalizer.SendOnOff(1);
    EXPECT_EQ(SdkCalls(), (std::vector{EntryPoint::DLLQZ_ConfigEQ_ById, EntryPoint::DLLQZ_SetEQ_OnOff_ById,
                                       EntryPoint::DLLQZ_IsEQ_Enable_ById, EntryPoint::DLLQZ_SetEQ_OnOff_ById}));
    EXPECT_EQ(ChipEqEnabled(), 1);

    // A failing read-back counts as disagreement too.
    device.chip().ClearRequests();
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_IsEQ_Enable_ById, 1)));
    equalizer.SendOnOff(1);
    EXPECT_EQ(SdkCalls().size(), 4u);
}

TEST_F(EqualizerModelTest, NothingIsSentWithoutAnActiveDevice)
{
    state.deviceActive = false;
    equalizer.SetEnabled(1);
    EXPECT_EQ(equalizer.Enabled(), 1) << "the switch is kept for the next arrival";
    EXPECT_TRUE(SdkCalls().empty());
}

} // namespace

// The rest of the equalizer's device work, against the emulated chip's registers and EEPROM.
namespace {

class EqualizerDeviceTest : public EqualizerModelTest {
protected:
    void PutEeprom(std::uint8_t slave, std::uint8_t address, std::uint8_t value)
    {
        device.chip().WithState([&](emulator::ChipState& s) { s.eeprom[slave - 0x50][address] = value; });
    }
    std::vector<std::wstring> Fields(std::initializer_list<const wchar_t*> texts)
    {
        return {texts.begin(), texts.end()};
    }
    std::size_t Count(EntryPoint entry)
    {
        const auto calls = SdkCalls();
        return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), entry));
    }
};

TEST_F(EqualizerDeviceTest, SelectPresetWritesTheWholeRecordOnlyWhenItMust)
{
    equalizer.Initialise(100);
    EXPECT_EQ(equalizer.SelectPreset(1), sound::SelectPresetResult::Flat);
    EXPECT_TRUE(equalizer.Flat());

    ASSERT_TRUE(equalizer.ApplyPresetFields(Fields({L"0x9FF", L"512", L"0x400", L"0x123", L"0xABC", L"1"}), 1, 0));
    SetRegister(0x129, 0);
    EXPECT_EQ(equalizer.SelectPreset(2), sound::SelectPresetResult::Ok);
    const std::uint16_t expected[][2] = {{0x120, 0xFF}, {0x121, 0x09}, {0x122, 0x00}, {0x123, 0x02}, {0x124, 0x00},
                                         {0x125, 0x04}, {0x126, 0x23}, {0x127, 0x01}, {0x128, 0xBC}};
    for (const auto& [address, value] : expected)
        EXPECT_EQ(Register(address), value) << std::hex << address;
    // Last gain nibble with the default record's flags B and C and its EQ-off bit.
    EXPECT_EQ(Register(0x129), 0x0A | 0x20 | 0x40 | 0x80);

    // Not synchronized or writing a profile: no register write, the end-of-transfer report alone.
    SetRegister(0x120, 0);
    equalizer.SetProfileWriting(true);
    EXPECT_EQ(equalizer.SelectPreset(2), sound::SelectPresetResult::Ok);
    EXPECT_EQ(Register(0x120), 0);
    equalizer.SetProfileWriting(false);

    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(emulator::RequestKind::HidOutputReport, 3)));
    EXPECT_EQ(equalizer.SelectPreset(2), sound::SelectPresetResult::WriteFailed);
    device.chip().Unplug();
    EXPECT_EQ(equalizer.SelectPreset(2), sound::SelectPresetResult::NoHandle);
}

TEST_F(EqualizerDeviceTest, BandChangeWritesItsRegistersAndKeepsTheLastBandsFlags)
{
    equalizer.Initialise(100);
    SetRegister(0x129, 0xE0); // flags the chip holds in the high nibble
    equalizer.BandChanged(4, 0);
    EXPECT_EQ(Register(0x128), 0xFF);
    EXPECT_EQ(Register(0x129), 0xE9);
    EXPECT_EQ(equalizer.Working().gains[4], 2559);
    EXPECT_EQ(equalizer.SliderOffset(1, 4), 0);
    EXPECT_FALSE(equalizer.Flat());

    // Back to the middle: flat again, and the device's equalizer goes off with it.
    equalizer.SetEnabled(1);
    equalizer.BandChanged(4, 50);
    EXPECT_TRUE(equalizer.Flat());
    EXPECT_EQ(ChipEqEnabled(), 0);

    // Without synchronization only the preset in memory changes.
    state.synchronization = false;
    device.chip().ClearRequests();
    equalizer.BandChanged(0, 0);
    EXPECT_EQ(Register(0x120), 0x00);
    EXPECT_EQ(sound::UnpackEqRecord(equalizer.Image().Slot(0)).gains[0], 2559);
    EXPECT_TRUE(SdkCalls().empty());
}

TEST_F(EqualizerDeviceTest, HardwareEnableNamesTheStepThatFailed)
{
    SetRegister(0x100, 0x81);
    EXPECT_EQ(equalizer.HardwareEnable(1), sound::HardwareEnableResult::Ok);
    EXPECT_EQ(Register(0x100), 0x85);
    EXPECT_EQ(equalizer.HardwareEnable(0), sound::HardwareEnableResult::Ok);
    EXPECT_EQ(Register(0x100), 0x81);

    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(emulator::RequestKind::HidInputReport, 1)));
    EXPECT_EQ(equalizer.HardwareEnable(1), sound::HardwareEnableResult::ReadFailed);
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(emulator::RequestKind::HidInputReport, 1)));
    EXPECT_EQ(equalizer.HardwareEnable(0), sound::HardwareEnableResult::ReadForOffFailed);
    device.chip().Unplug();
    EXPECT_EQ(equalizer.HardwareEnable(1), sound::HardwareEnableResult::NoHandle);
}

TEST_F(EqualizerDeviceTest, PresetFieldsTakeDecimalAndHexadecimalAndStopAtTheFirstBadOne)
{
    equalizer.Initialise(100);
    ASSERT_TRUE(equalizer.ApplyPresetFields(Fields({L"1536", L"0x600", L"0X200", L"-1", L"70000", L"1"}), 2, 0));
    const sound::EqRecord s3 = sound::UnpackEqRecord(equalizer.Image().Slot(2));
    EXPECT_EQ(s3.gains, (std::array<std::uint16_t, 5>{0x600, 0x600, 0x200, 0xFFF, 70000 & 0xFFF}));
    EXPECT_EQ(equalizer.Enabled(), 1);
    EXPECT_EQ(equalizer.ShownSlot(), 0) << "the preset in use is shown again";

    for (const auto& bad : {Fields({L"1024", L"12ab", L"1024", L"1024", L"1024", L"0"}),
                            Fields({L"0x", L"1024", L"1024", L"1024", L"1024", L"0"}),
                            Fields({L"1024", L"1024", L"1024", L"1024", L"1024"}), Fields({})}) {
        EXPECT_FALSE(equalizer.ApplyPresetFields(bad, 3, 0));
        EXPECT_EQ(equalizer.Enabled(), 1);
    }
}

TEST_F(EqualizerDeviceTest, ResetTakesTheDefaultRecordOrTheDefaultProfile)
{
    equalizer.Initialise(100);
    equalizer.BandChanged(2, 0);
    equalizer.Reset();
    EXPECT_EQ(sound::UnpackEqRecord(equalizer.Image().Slot(0)), sound::DefaultEqRecord());
    EXPECT_EQ(Register(0x124), 0x00);
    EXPECT_EQ(Register(0x125), 0x04);

    const std::wstring profile = L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\DefaultProfile.ini";
    platform.files.Put(profile, "[EQ]\r\nS1=0x500,0x400,0x400,0x400,0x300,1\r\n");
    equalizer.SetDefaultProfile(profile);
    state.deviceActive = false;
    equalizer.Reset();
    EXPECT_FALSE(state.synchronization) << "without a device the reset stops synchronizing";
    EXPECT_EQ(sound::UnpackEqRecord(equalizer.Image().Slot(0)).gains[0], 0x500);
    EXPECT_EQ(equalizer.Enabled(), 1);
}

TEST_F(EqualizerDeviceTest, StoredPresetIsReadIntoS1HalvedTowardFlat)
{
    equalizer.Initialise(100);
    equalizer.ChoosePreset(3);
    PutEeprom(0x50, 0x8D, 0x01); // a bank is stored
    PutEeprom(0x50, 0x8E, 0x12); // bank 2
    sound::EqRecord stored;
    stored.gains = {0x600, 0x200, 0x400, 0x400, 0x400};
    stored.hint3D = true;
    std::array<std::uint8_t, sound::kEqRecordSize> bytes{};
    sound::PackEqRecord(stored, bytes);
    for (int i = 0; i < 8; ++i)
        PutEeprom(0x51, static_cast<std::uint8_t>(32 + i), bytes[i]);
    // The stored flag reads only at the second try.
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_Read_I2C_ById, 1)));

    EXPECT_EQ(equalizer.ReadEepromPreset(), sound::EepromPresetResult::Ok);
    const sound::EqRecord s1 = sound::UnpackEqRecord(equalizer.Image().Slot(0));
    EXPECT_EQ(s1.gains, (std::array<std::uint16_t, 5>{0x500, 0x300, 0x400, 0x400, 0x400}));
    EXPECT_EQ(equalizer.Enabled(), 1) << "EQ-off bit clear";
    EXPECT_TRUE(equalizer.EepromHint3D());
    EXPECT_EQ(equalizer.CurrentPreset(), 3);
    EXPECT_EQ(Count(EntryPoint::DLLQZ_Read_I2C_ById), 12u);

    // No data in the bank (0x00 or 0xFF): flat, nothing applied.
    for (const std::uint8_t empty : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        PutEeprom(0x51, 32 + 7, empty);
        EXPECT_EQ(equalizer.ReadEepromPreset(), sound::EepromPresetResult::NoPreset);
        EXPECT_TRUE(equalizer.Flat());
    }
}

} // namespace

namespace {

// A skin without "EQSlider" gives no travel: nothing moves, nothing divides by zero, gains stay.
TEST_F(EqualizerDeviceTest, WithoutTravelBandsKeepTheirGains)
{
    equalizer.Initialise(0);
    ASSERT_TRUE(equalizer.ApplyPresetFields(Fields({L"0x600", L"1024", L"1024", L"1024", L"1024", L"0"}), 0, 0));
    equalizer.BandChanged(0, 37);
    EXPECT_EQ(equalizer.Working().gains[0], 0x600);
    EXPECT_EQ(equalizer.SliderOffset(1, 0), 0) << "the slider stays at its limit";
}

// A failed read of the shared last-band register ends the device part; memory keeps the new gain.
TEST_F(EqualizerDeviceTest, FailedRegisterReadStopsTheBandButKeepsTheGain)
{
    equalizer.Initialise(100);
    const std::uint8_t shared = Register(0x129);
    ASSERT_TRUE(device.chip().ArmFault(emulator::FaultAt(emulator::RequestKind::HidInputReport, 1)));
    equalizer.BandChanged(4, 0);
    EXPECT_EQ(Register(0x128), 0xFF) << "the low byte was written before the read";
    EXPECT_EQ(Register(0x129), shared);
    EXPECT_EQ(sound::UnpackEqRecord(equalizer.Image().Slot(0)).gains[4], 2559);
    // The report order: select and write 0x128, select 0x129 and read it, then the end of the transfer.
    const auto heads = chip_record::ReportHeads(device.chip(), emulator::RequestKind::HidOutputReport);
    ASSERT_GE(heads.size(), 4u);
    EXPECT_EQ(heads[heads.size() - 4], (std::vector<std::uint8_t>{0x00, 0x60, 0x28, 0x01, 0x10}));
    EXPECT_EQ(heads[heads.size() - 3], (std::vector<std::uint8_t>{0x00, 0x60, 0xFF, 0x01, 0x20}));
    EXPECT_EQ(heads[heads.size() - 2], (std::vector<std::uint8_t>{0x00, 0x60, 0x29, 0x01, 0x10}));
}

} // namespace
