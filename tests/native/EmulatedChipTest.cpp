#include "ChipRecord.h"
#include "device/ByteOrder.h"
#include "emulator/AudioCommands.h"
#include "emulator/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using emulator::ChipState;
using emulator::FaultAction;
using emulator::RequestKind;
using sdk::EntryPoint;

namespace {

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4802;

using CommandBlock = std::array<std::uint8_t, sdk::kAudioCommandLength>;

CommandBlock Command(std::uint8_t group, std::uint8_t sub, std::uint32_t value = 0)
{
    CommandBlock block{};
    block[0] = group;
    block[1] = sub;
    device::PutU32(block, 2, value);
    return block;
}

class EmulatedChipTest : public testing::Test {
protected:
    EmulatedChipTest() { EXPECT_EQ(sdk().DLLQZ_SetActive_Device(kVid, kPid), 0); }

    emulator::EmulatedSdk& sdk() { return device_.sdk(); }
    template <typename Read> auto State(Read read)
    {
        return device_.chip().WithState([&](ChipState& s) { return read(s); });
    }
    std::int32_t Send(CommandBlock& block)
    {
        return sdk().DLLQZ_AudioCommand(block.data(), sdk::kAudioCommandLength, sdk::kAudioCommandLength);
    }

    emulator::EmulatedDevice device_;
};

} // namespace

TEST(EmulatedChip, SdkAnswersOnlyTheActivatedPluggedDevice)
{
    emulator::EmulatedDevice device;
    auto& sdk = device.sdk();
    std::int32_t on = -1;
    EXPECT_NE(sdk.DLLQZ_IsEQ_Enable_ById(&on, 0), 0) << "not made active yet";
    EXPECT_NE(sdk.DLLQZ_SetActive_Device(kVid, 0x4803), 0);
    EXPECT_EQ(sdk.DLLQZ_Search_Present_Device(kVid, kPid), 0);
    EXPECT_EQ(sdk.DLLQZ_SetActive_Device(kVid, kPid), 0);
    EXPECT_EQ(sdk.DLLQZ_IsEQ_Enable_ById(&on, 0), 0);
    EXPECT_NE(sdk.DLLQZ_IsEQ_Enable_ById(&on, 1), 0) << "device index other than 0";

    device.chip().Unplug();
    EXPECT_NE(sdk.DLLQZ_IsEQ_Enable_ById(&on, 0), 0);
    EXPECT_NE(sdk.DLLQZ_Search_Present_Device(kVid, kPid), 0);
    device.chip().Plug();
    EXPECT_NE(sdk.DLLQZ_IsEQ_Enable_ById(&on, 0), 0) << "a new plug-in needs a new activation";
}

TEST_F(EmulatedChipTest, EqualizerAnd3DSwitchesAreReadBack)
{
    std::int32_t eq = -1, threeD = -1;
    EXPECT_EQ(sdk().DLLQZ_ConfigEQ_ById(0), 0);
    EXPECT_EQ(sdk().DLLQZ_SetEQ_OnOff_ById(1, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_Config3D_ById(0), 0);
    EXPECT_EQ(sdk().DLLQZ_Set3D_OnOff_ById(0, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_IsEQ_Enable_ById(&eq, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_Is3D_Enable_ById(&threeD, 0), 0);
    EXPECT_EQ(eq, 1);
    EXPECT_EQ(threeD, 0);
    EXPECT_EQ(State([](ChipState& s) { return s.sound.eqConfigCount + s.sound.threeDConfigCount; }), 2u);
}

TEST_F(EmulatedChipTest, RegistersThroughTheSdkAreTheRegistersOfTheHidChannel)
{
    EXPECT_EQ(sdk().DLLQZ_Write_Register_ById(0x0230, 0x20, 0), 0);
    std::uint8_t value = 0;
    EXPECT_EQ(sdk().DLLQZ_Read_Register_ById(0x0230, &value, 0), 0);
    EXPECT_EQ(value, 0x20);
    EXPECT_EQ(State([](ChipState& s) { return s.registers[0x0230]; }), 0x20);
}

TEST_F(EmulatedChipTest, EepromAnswersBehindSlaves50And51Only)
{
    device_.chip().WithState([](ChipState& s) {
        s.eeprom[0][0x8E] = 0x12;
        s.eeprom[1][0x27] = 0x9C;
    });
    std::uint8_t byte = 0;
    EXPECT_EQ(sdk().DLLQZ_Read_I2C_ById(0x50, 0x8E, &byte, 1, 100, 0), 0);
    EXPECT_EQ(byte, 0x12);
    EXPECT_EQ(sdk().DLLQZ_Read_I2C_ById(0x51, 0x27, &byte, 1, 100, 0), 0);
    EXPECT_EQ(byte, 0x9C);
    EXPECT_NE(sdk().DLLQZ_Read_I2C_ById(0x52, 0x00, &byte, 1, 100, 0), 0);
    std::array<std::uint8_t, 2> two{};
    EXPECT_NE(sdk().DLLQZ_Read_I2C_ById(0x51, 0xFF, two.data(), 2, 100, 0), 0) << "past the end of the block";
}

TEST_F(EmulatedChipTest, EncStateAnswerCarriesTheParameterBlockAtBytes134To149)
{
    const std::array<std::uint8_t, 16> parameters = {1, 2, 3, 4, 5, 6, 7, 8, 30, 0, 0, 0, 13, 14, 15, 16};
    EXPECT_EQ(sdk().DLLQZ_SetEnc_Parameters(parameters.data()), 0);
    auto on = Command(4, 0, 1);
    EXPECT_EQ(Send(on), 0);

    auto read = Command(4, 8);
    EXPECT_EQ(Send(read), 0);
    EXPECT_TRUE(std::equal(parameters.begin(), parameters.end(), read.begin() + emulator::kEncParameterOffset));
    EXPECT_EQ(read[emulator::kEncStatusOffset], 1) << "the status bytes start with the on/off state";
    EXPECT_EQ(read[150], 0);
}

TEST_F(EmulatedChipTest, VoiceCommandsKeepTheirPayload)
{
    auto on = Command(7, 0, 1);
    EXPECT_EQ(Send(on), 0);
    auto mode = Command(7, 2);
    const std::uint8_t voiceBlock[10] = {1, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0};
    std::memcpy(mode.data() + 2, voiceBlock, sizeof voiceBlock);
    EXPECT_EQ(Send(mode), 0);
    EXPECT_EQ(State([](ChipState& s) { return s.sound.voiceEnabled; }), 1);
    EXPECT_TRUE(State([&](ChipState& s) { return std::memcmp(s.sound.voiceBlock, voiceBlock, 10) == 0; }));

    auto unknown = Command(9, 0);
    EXPECT_NE(Send(unknown), 0);
    CommandBlock shortBlock = Command(4, 0);
    EXPECT_NE(sdk().DLLQZ_AudioCommand(shortBlock.data(), 233, 234), 0);
}

TEST_F(EmulatedChipTest, ReadinessProbeAnswersAfterTheConfiguredFailures)
{
    device_.chip().SetProbeFailures(2);
    auto probe = Command(4, 0, 0);
    EXPECT_NE(Send(probe), 0);
    EXPECT_NE(Send(probe), 0);
    EXPECT_EQ(Send(probe), 0);

    device_.chip().SetProbeFailures(emulator::kForever);
    for (int attempt = 0; attempt < 10; ++attempt)
        EXPECT_NE(Send(probe), 0);
}

TEST_F(EmulatedChipTest, Virtual7ch1KeepsSwitchBlockAndScalar)
{
    sdk::Virtual7ch1Block block{};
    block.enabled = 1;
    block.distanceFactor[3] = 1.7f;
    block.angle[7] = 5.4977871f;
    EXPECT_EQ(sdk().DLLQZ_SetVirtual7ch1_OnOff(1), 0);
    EXPECT_EQ(sdk().DLLQZ_SetVirtual7ch1(&block), 0);
    EXPECT_EQ(sdk().DLLQZ_SetVirtual7ch1_Scalar(2.5f), 0);
    const auto sound = State([](ChipState& s) { return s.sound; });
    EXPECT_EQ(sound.virtualOn, 1);
    EXPECT_EQ(std::memcmp(&sound.virtualBlock, &block, sizeof block), 0);
    EXPECT_EQ(sound.virtualScalar, 2.5f);

    const auto calls = chip_record::OfKind(device_.chip(), RequestKind::SdkCall);
    EXPECT_EQ(calls[calls.size() - 2].dataLength, 68u) << "the block is recorded whole";
}

TEST_F(EmulatedChipTest, LedControllerAnswersAt3AOnTheMasterPathAndWithoutAddressOnTheSlavePath)
{
    EXPECT_EQ(sdk().DLLQZ_SetRGB_Mode_ById(0x3A, 0, 4, 9, 50, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_SetRGB_Color_ById(0x3A, 1, 7, 0x11, 0x22, 0x33, 50, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_SetRGB_SingleColor(0x3A, 2, 2, 0xFF, 0, 0, 500), 0);
    EXPECT_EQ(sdk().DLLQZ_SetRGB_Step_ById(0x3A, 7, 50, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_SetRGB_Brightness(0x3A, 1, 3, 500), 0);
    EXPECT_NE(sdk().DLLQZ_SetRGB_Mode_ById(0x3B, 0, 4, 9, 50, 0), 0) << "nothing answers at 0x3B";
    EXPECT_NE(sdk().DLLQZ_SetRGB_Color_ById(0x3A, 1, 8, 0, 0, 0, 50, 0), 0) << "palette slots are 1 to 7";

    EXPECT_EQ(sdk().DLLQZ_UsbHidSlave_SetRGB_Mode_Ex(2, 1, 1, 500), 0);
    EXPECT_EQ(sdk().DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex(2, 6, 500), 0);

    const auto [master, slave] = State([](ChipState& s) { return std::pair(s.ledMaster, s.ledSlave); });
    EXPECT_EQ(master.leds[0].mode, 4);
    EXPECT_EQ(master.leds[1].parameter, 9) << "LED 0 addresses both";
    EXPECT_EQ(master.leds[0].palette[6].b, 0x33);
    EXPECT_EQ(master.leds[1].palette[6].r, 0x00) << "LED 1 only";
    EXPECT_EQ(master.leds[1].singleColor.r, 0xFF);
    EXPECT_EQ(master.leds[0].brightness, 3);
    EXPECT_EQ(master.step, 7);
    EXPECT_EQ(master.lastTime, 500);
    EXPECT_EQ(slave.leds[1].poweredOff, 1);
    EXPECT_EQ(slave.leds[1].brightness, 6);
    EXPECT_EQ(slave.leds[0].poweredOff, 0);

    EXPECT_EQ(sdk().DLLQZ_UsbHidSlave_SetRGB_Mode_Ex(2, 1, 0, 500), 0);
    EXPECT_EQ(State([](ChipState& s) { return s.ledSlave.leds[1].poweredOff; }), 0) << "power on again";
}

TEST_F(EmulatedChipTest, RecordKeepsEveryRequestWithItsArgumentsInOrder)
{
    device_.chip().ClearRequests();
    sdk().DLLQZ_SetRGB_Color_ById(0x3A, 1, 2, 10, 20, 30, 50, 0);
    const auto hid = device_.hid().OpenFirst(kVid, kPid);
    const std::vector<std::uint8_t> report(65, 0);
    hid->SendOutputReport(report);

    const auto requests = device_.chip().Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_SetRGB_Color_ById));
    EXPECT_EQ(chip_record::Args(requests[0]), (std::vector<std::int32_t>{0x3A, 1, 2, 10, 20, 30, 50, 0}));
    EXPECT_EQ(requests[1].kind, RequestKind::HidOpen);
    EXPECT_EQ(requests[2].kind, RequestKind::HidOutputReport);
    EXPECT_EQ(requests[2].sequence, requests[0].sequence + 2);
}

TEST_F(EmulatedChipTest, FaultRulesStrikeTheNthRequestOrFromNowOn)
{
    std::int32_t on = 0;
    device_.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_IsEQ_Enable_ById, 2));
    EXPECT_EQ(sdk().DLLQZ_SetEQ_OnOff_ById(1, 0), 0) << "other entry points are not counted";
    EXPECT_EQ(sdk().DLLQZ_IsEQ_Enable_ById(&on, 0), 0);
    EXPECT_NE(sdk().DLLQZ_IsEQ_Enable_ById(&on, 0), 0);
    EXPECT_EQ(sdk().DLLQZ_IsEQ_Enable_ById(&on, 0), 0);

    device_.chip().ArmFault(emulator::FaultAt(RequestKind::SdkCall, 1, FaultAction::Fail, emulator::kForever));
    for (int call = 0; call < 5; ++call)
        EXPECT_NE(sdk().DLLQZ_SetVirtual7ch1_OnOff(0), 0);
    device_.chip().ClearFaults();
    EXPECT_EQ(sdk().DLLQZ_SetVirtual7ch1_OnOff(0), 0);
}

TEST_F(EmulatedChipTest, UnplugInTheMiddleTakesTheDeviceAway)
{
    device_.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetEQ_OnOff_ById, 1, FaultAction::Unplug));
    EXPECT_NE(sdk().DLLQZ_SetEQ_OnOff_ById(1, 0), 0);
    EXPECT_EQ(State([](ChipState& s) { return s.presence.plugged; }), 0);
    EXPECT_EQ(device_.hid().OpenFirst(kVid, kPid), nullptr);
    EXPECT_EQ(device_.enumeration().PresentDevices()->size(), 0u);
}

TEST_F(EmulatedChipTest, EnumerationShowsTheHardwareIdsOfItsIdentity)
{
    device_.chip().SetIdentity(0x4D2F, 0x48AB);
    const auto devices = device_.enumeration().PresentDevices();
    ASSERT_TRUE(devices.has_value());
    ASSERT_EQ(devices->size(), 1u);
    EXPECT_EQ(devices->front().hardwareIds,
              (std::vector<std::wstring>{L"USB\\VID_4D2F&PID_48AB&REV_0100&MI_00", L"USB\\VID_4D2F&PID_48AB&MI_00"}));
}

TEST_F(EmulatedChipTest, HandlesAreCountedUntilClosed)
{
    auto first = device_.hid().OpenFirst(kVid, kPid);
    auto second = device_.hid().OpenFirst(kVid, kPid);
    EXPECT_EQ(State([](ChipState& s) { return s.openHidHandles; }), 2u);
    first.reset();
    EXPECT_EQ(State([](ChipState& s) { return s.openHidHandles; }), 1u);
    EXPECT_EQ(device_.hid().OpenFirst(kVid, 0x4803), nullptr);
    EXPECT_EQ(State([](ChipState& s) { return s.openHidHandles; }), 1u);
}
