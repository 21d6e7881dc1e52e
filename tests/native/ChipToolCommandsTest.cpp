#include "emulator/ChipToolCommands.h"
#include "emulator/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using emulator::ChipState;
using emulator::RunChipToolCommand;

namespace {

class ChipToolCommandsTest : public testing::Test {
protected:
    emulator::ChipToolOutcome Run(std::vector<std::string> args) { return RunChipToolCommand(device_.chip(), args); }
    template <typename Read> auto State(Read read)
    {
        return device_.chip().WithState([&](ChipState& s) { return read(s); });
    }

    emulator::EmulatedDevice device_;
};

} // namespace

TEST_F(ChipToolCommandsTest, CommandsChangeThePresenceTheTestsAndDemosNeed)
{
    struct Case {
        std::vector<std::string> args;
        std::function<bool(const ChipState&)> holds;
    };
    const Case cases[] = {
        {{"unplug"}, [](const ChipState& s) { return s.presence.plugged == 0; }},
        {{"plug"}, [](const ChipState& s) { return s.presence.plugged == 1 && s.presence.plugGeneration == 2; }},
        {{"identity", "0x1a2b", "4D2F"},
         [](const ChipState& s) { return s.presence.vid == 0x1A2B && s.presence.pid == 0x4D2F; }},
        {{"report-lengths", "4", "9"},
         [](const ChipState& s) { return s.presence.outputReportLength == 4 && s.presence.inputReportLength == 9; }},
        {{"driver", "missing"}, [](const ChipState& s) { return s.presence.driverChannelPresent == 0; }},
        {{"driver", "present"}, [](const ChipState& s) { return s.presence.driverChannelPresent == 1; }},
        {{"probe-failures", "never"},
         [](const ChipState& s) { return s.sound.probeFailuresLeft == emulator::kForever; }},
        {{"probe-failures", "3"}, [](const ChipState& s) { return s.sound.probeFailuresLeft == 3; }},
        {{"reset"}, [](const ChipState& s) { return s.presence.vid == 0x4D2F && s.presence.outputReportLength == 65; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        const auto outcome = Run(c.args);
        EXPECT_EQ(outcome.exitCode, emulator::kToolOk) << outcome.output;
        EXPECT_TRUE(State([&](const ChipState& s) { return c.holds(s); }));
    }
}

TEST_F(ChipToolCommandsTest, PressInjectsTheReportAndTellsWhetherAScanTakesIt)
{
    EXPECT_EQ(Run({"press", "01", "02", "03", "04", "FF"}).output, "pressed; no scan is running\n");
    ASSERT_EQ(device_.sdk().DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    const sdk::ButtonCallback callback = [](std::uint16_t, std::uint16_t, const std::uint8_t*, std::int32_t,
                                            std::int32_t) -> std::int32_t { return 0; };
    ASSERT_EQ(device_.sdk().DLLQZ_ScanButton_ById(0x4D2F, 0x4802, callback, 1, 0), 0);
    EXPECT_EQ(Run({"press", "0A", "0B", "0C", "0D", "0E"}).output, "pressed; a scan is running\n");
    EXPECT_EQ(State([](const ChipState& s) { return s.button.pressCount; }), 2u);
    EXPECT_EQ(State([](const ChipState& s) { return s.button.report[4]; }), 0x0E);
}

TEST_F(ChipToolCommandsTest, FaultStrikesTheNamedRequestOnly)
{
    ASSERT_EQ(Run({"fault", "sdk", "2", "fail", "1", "DLLQZ_SetActive_Device"}).exitCode, emulator::kToolOk);
    auto& sdk = device_.sdk();
    EXPECT_EQ(sdk.DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    EXPECT_EQ(sdk.DLLQZ_Search_Present_Device(0x4D2F, 0x4802), 0) << "another entry point is not counted";
    EXPECT_EQ(sdk.DLLQZ_SetActive_Device(0x4D2F, 0x4802), emulator::kSdkInjectedFault);
    EXPECT_EQ(sdk.DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0) << "one strike only";

    ASSERT_EQ(Run({"fault", "hid-open", "1", "unplug", "forever"}).exitCode, emulator::kToolOk);
    EXPECT_EQ(device_.hid().OpenFirst(0x4D2F, 0x4802), nullptr);
    EXPECT_EQ(State([](const ChipState& s) { return s.presence.plugged; }), 0);

    for (std::size_t i = 1; i < emulator::kFaultRuleCapacity; ++i)
        Run({"fault", "button", "1"});
    EXPECT_EQ(Run({"fault", "button", "1"}).exitCode, emulator::kToolNoFaultSlot);
    EXPECT_EQ(Run({"clear-faults"}).exitCode, emulator::kToolOk);
    EXPECT_EQ(Run({"fault", "button", "1"}).exitCode, emulator::kToolOk);
}

TEST_F(ChipToolCommandsTest, DumpsShowRegistersPresenceAndTheRequestRecord)
{
    EXPECT_EQ(Run({"registers", "11F", "3"}).output, "011F: 00 00 04\n");
    EXPECT_EQ(Run({"registers", "0x120", "18"}).output,
              "0120: 00 04 00 04 00 04 00 04 00 E4 00 00 00 00 00 00\n0130: 00 00\n");

    ASSERT_EQ(device_.sdk().DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    auto hid = device_.hid().OpenFirst(0x4D2F, 0x4802);
    ASSERT_NE(hid, nullptr);
    std::vector<std::uint8_t> report(65, 0);
    report[1] = 0x60;
    report[4] = 0x30;
    EXPECT_TRUE(hid->SendOutputReport(report));
    const std::string requests = Run({"requests"}).output;
    EXPECT_NE(requests.find("     0 sdk DLLQZ_SetActive_Device(19759, 18434) -> 0\n"), std::string::npos) << requests;
    EXPECT_NE(requests.find("     1 hid-open(19759, 18434) ok\n"), std::string::npos) << requests;
    EXPECT_NE(requests.find("     2 hid-output [65] 00 60 00 00 30 00"), std::string::npos) << requests;

    const std::string status = Run({"status"}).output;
    EXPECT_NE(status.find("plugged 1\nactive 1\ndriver-channel present\nidentity 4D2F 4802\n"), std::string::npos)
        << status;
    EXPECT_NE(status.find("open-handles hid 1 driver 0\n"), std::string::npos) << status;
    EXPECT_NE(status.find("hardware-id USB\\VID_4D2F&PID_4802&REV_0100&MI_00\n"), std::string::npos) << status;
    device_.chip().WithState([](emulator::ChipState& s) { s.driver = {3, 1, 0, {}}; });
    EXPECT_NE(Run({"status"}).output.find("room-effect 3 switch 1\n"), std::string::npos);

    EXPECT_EQ(Run({"clear-requests"}).exitCode, emulator::kToolOk);
    EXPECT_EQ(Run({"requests"}).output, "");
}

// A stored equalizer bank laid out with the tool is what the panel's EEPROM read finds.
TEST_F(ChipToolCommandsTest, EepromBytesAreWrittenAndShownAndTheSoundStateListed)
{
    EXPECT_EQ(Run({"eeprom", "50", "8D", "=", "01", "12"}).exitCode, emulator::kToolOk);
    EXPECT_EQ(Run({"eeprom", "50", "8D", "2"}).output, "50 8D: 01 12\n");
    std::uint8_t byte = 0;
    ASSERT_EQ(device_.sdk().DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    EXPECT_EQ(device_.sdk().DLLQZ_Read_I2C_ById(0x50, 0x8E, &byte, 1, 100, 0), 0);
    EXPECT_EQ(byte, 0x12);
    EXPECT_EQ(Run({"eeprom", "51", "FF"}).output, "51 FF: FF\n") << "a factory chip's EEPROM is erased";

    ASSERT_EQ(device_.sdk().DLLQZ_SetEQ_OnOff_ById(1, 0), 0);
    const std::string sound = Run({"sound"}).output;
    EXPECT_NE(sound.find("eq-enabled 1\n3d-enabled 0\n"), std::string::npos) << sound;

    sdk::Virtual7ch1Block block{};
    block.enabled = 1;
    block.distanceFactor[2] = 1.36f;
    block.angle[2] = 1.5707963f;
    ASSERT_EQ(device_.sdk().DLLQZ_SetVirtual7ch1(&block), 0);
    const std::string ring = Run({"sound"}).output;
    EXPECT_NE(ring.find("virtual-block-enabled 1\n"), std::string::npos) << ring;
    EXPECT_NE(ring.find("virtual-speaker 2 1.3600 1.5708\n"), std::string::npos) << ring;
    EXPECT_NE(ring.find("virtual-speaker 7 0.0000 0.0000\n"), std::string::npos) << ring;

    // Noise cancellation's level sits in bytes 8-11 of its parameter block; the voice block's offset is
    // a signed 16-bit value after the switch.
    std::uint8_t parameters[sdk::kEncParameterLength] = {0xA1, 0, 0, 0, 0, 0, 0, 0, 22, 0, 0, 0, 0, 0, 0, 0xB2};
    ASSERT_EQ(device_.sdk().DLLQZ_SetEnc_Parameters(parameters), 0);
    std::uint8_t command[234] = {7, 2, 1, 0, 0, 0, 0xF6, 0xFF};
    ASSERT_EQ(device_.sdk().DLLQZ_AudioCommand(command, sizeof command, sizeof command), 0);
    const std::string voice = Run({"sound"}).output;
    EXPECT_NE(voice.find("enc-level 22\nenc-parameters A1 00 00 00 00 00 00 00 16 00 00 00 00 00 00 B2\n"),
              std::string::npos)
        << voice;
    EXPECT_NE(voice.find("voice-block-enabled 1\nvoice-offset -10\nvoice-block 01 00 00 00 F6 FF 00 00 00 00\n"),
              std::string::npos)
        << voice;
}

TEST_F(ChipToolCommandsTest, MalformedCommandsChangeNothingAndShowTheUsage)
{
    const std::vector<std::vector<std::string>> malformed = {
        {},
        {"explode"},
        {"plug", "now"},
        {"identity", "XYZ", "1"},
        {"identity", "10000", "1"},
        {"press", "01", "02"},
        {"press", "01", "02", "03", "04", "100"},
        {"report-lengths", "65"},
        {"driver", "gone"},
        {"registers", "FFFF", "2"},
        {"eeprom", "52", "00"},
        {"eeprom", "50", "FF", "2"},
        {"eeprom", "51", "FE", "=", "01", "02", "03"},
        {"eeprom", "51", "00", "=", "1FF"},
        {"fault", "sdk", "0"},
        {"fault", "disk", "1"},
        {"fault", "hid-open", "1", "fail", "1", "DLLQZ_CheckDriver"},
        {"fault", "sdk", "1", "fail", "1", "DLLQZ_NoSuchEntry"},
    };
    // The state is large: copies go on the heap.
    const auto before = State([](const ChipState& s) { return std::make_unique<ChipState>(s); });
    for (const auto& args : malformed) {
        const auto outcome = Run(args);
        EXPECT_EQ(outcome.exitCode, emulator::kToolBadUsage) << (args.empty() ? "" : args.front());
        EXPECT_NE(outcome.output.find("usage: TonvioChipTool"), std::string::npos);
    }
    const auto after = State([](const ChipState& s) { return std::make_unique<ChipState>(s); });
    EXPECT_EQ(std::memcmp(before.get(), after.get(), sizeof(ChipState)), 0);
}

TEST_F(ChipToolCommandsTest, LedShowsEachPathsControllerPerLed)
{
    emulator::EmulatedSdk& sdk = device_.sdk();
    ASSERT_EQ(sdk.DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    ASSERT_EQ(sdk.DLLQZ_SetRGB_Mode(0x3A, 2, 4, 90, 500), 0);
    ASSERT_EQ(sdk.DLLQZ_SetRGB_Color(0x3A, 1, 3, 0x11, 0x22, 0x33, 500), 0);
    ASSERT_EQ(sdk.DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex(0, 5, 500), 0);
    ASSERT_EQ(sdk.DLLQZ_UsbHidSlave_SetRGB_Mode_Ex(1, 1, 1, 500), 0);

    const auto outcome = Run({"led"});
    ASSERT_EQ(outcome.exitCode, emulator::kToolOk);
    const std::string& text = outcome.output;
    for (const char* line : {"master-time 500\n", "master-led2-mode 4\n", "master-led2-parameter 90\n",
                             "master-led1-palette 000000 000000 112233 ", "slave-led1-brightness 5\n",
                             "slave-led2-brightness 5\n", "slave-led1-off 1\n", "slave-led2-off 0\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("master-led1-mode 4\n"), std::string::npos);
    EXPECT_EQ(Run({"led", "extra"}).exitCode, emulator::kToolBadUsage);
}
