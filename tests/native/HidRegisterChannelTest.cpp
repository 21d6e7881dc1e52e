#include "ChipRecord.h"
#include "device/HidRegisterChannel.h"
#include "emulator/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using emulator::FaultAction;
using emulator::RequestKind;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4802;

class HidRegisterChannelTest : public testing::Test {
protected:
    std::unique_ptr<ports::HidInterface> Open()
    {
        auto hid = device_.hid().OpenFirst(kVid, kPid);
        device_.chip().ClearRequests();
        return hid;
    }
    std::uint8_t Register(std::uint16_t address)
    {
        return device_.chip().WithState([&](emulator::ChipState& s) { return s.registers[address]; });
    }
    std::uint16_t Lines()
    {
        return device_.chip().WithState([](emulator::ChipState& s) { return s.hid.gpioLines; });
    }

    emulator::EmulatedDevice device_;
};

} // namespace

TEST_F(HidRegisterChannelTest, RegisterWriteSelectsThenWritesWithFullLengthReports)
{
    const auto hid = Open();
    EXPECT_EQ(device::WriteRegister(*hid, 0x0129, 0x5A), device::WriteRegisterResult::Ok);
    EXPECT_EQ(Register(0x0129), 0x5A);

    const auto reports = chip_record::OfKind(device_.chip(), RequestKind::HidOutputReport);
    ASSERT_EQ(reports.size(), 2u);
    Bytes select(65, 0), data(65, 0);
    std::copy_n(Bytes{0x00, 0x60, 0x29, 0x01, 0x10}.begin(), 5, select.begin());
    std::copy_n(Bytes{0x00, 0x60, 0x5A, 0x01, 0x20}.begin(), 5, data.begin());
    EXPECT_EQ(chip_record::Bytes(reports[0]), select);
    EXPECT_EQ(chip_record::Bytes(reports[1]), data);
}

TEST_F(HidRegisterChannelTest, RegisterReadTakesByteTwoOfTheAnswer)
{
    device_.chip().WithState([](emulator::ChipState& s) { s.registers[0x0230] = 0x20; });
    const auto hid = Open();
    std::uint8_t value = 0;
    EXPECT_EQ(device::ReadRegister(*hid, 0x0230, value), device::ReadRegisterResult::Ok);
    EXPECT_EQ(value, 0x20);
    EXPECT_EQ(chip_record::ReportHeads(device_.chip(), RequestKind::HidOutputReport),
              (std::vector<Bytes>{{0x00, 0x60, 0x30, 0x02, 0x10}}));
    const auto answers = chip_record::OfKind(device_.chip(), RequestKind::HidInputReport);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].dataLength, 65u);
}

TEST_F(HidRegisterChannelTest, GpioLinesTravelAsBitsOfBytesTwoAndFour)
{
    const auto hid = Open();
    device::GpioLines lines{};
    lines[0] = lines[2] = lines[7] = lines[8] = true;
    EXPECT_EQ(device::WriteGpioLines(*hid, lines), device::WriteGpioResult::Ok);
    EXPECT_EQ(Lines(), 0x185);

    lines[8] = false;
    lines[9] = true;
    EXPECT_EQ(device::WriteGpioLines(*hid, lines), device::WriteGpioResult::Ok);
    device::GpioLines read{};
    EXPECT_EQ(device::ReadGpioLines(*hid, read), device::ReadGpioResult::Ok);
    EXPECT_EQ(read, lines);
    EXPECT_EQ(device::EndTransfer(*hid), device::EndOfTransferResult::Ok);

    EXPECT_EQ(chip_record::ReportHeads(device_.chip(), RequestKind::HidOutputReport),
              (std::vector<Bytes>{{0x00, 0x60, 0x85, 0xFF, 0x3D},
                                  {0x00, 0x60, 0x85, 0xFF, 0x3E},
                                  {0x00, 0x60, 0x00, 0x00, 0x30},
                                  {0x00, 0x00, 0x00, 0x00, 0x00}}));
    EXPECT_EQ(chip_record::ReportHeads(device_.chip(), RequestKind::HidInputReport),
              (std::vector<Bytes>{{0x00, 0x00, 0x85, 0x02, 0x00}}));
}

TEST_F(HidRegisterChannelTest, FourByteOutputReportsCarryRegistersButNotGpioLines)
{
    device_.chip().SetReportLengths(4, 65);
    const auto hid = Open();
    EXPECT_EQ(device::WriteRegister(*hid, 0x0100, 0x84), device::WriteRegisterResult::Ok);
    EXPECT_EQ(device::WriteRegister(*hid, 0x0200, 0x04), device::WriteRegisterResult::Ok);
    std::uint8_t value = 0;
    EXPECT_EQ(device::ReadRegister(*hid, 0x0100, value), device::ReadRegisterResult::Ok);
    EXPECT_EQ(value, 0x84);
    EXPECT_EQ(Register(0x0200), 0x04);
    EXPECT_EQ(device::EndTransfer(*hid), device::EndOfTransferResult::Ok);

    device::GpioLines lines{};
    EXPECT_EQ(device::WriteGpioLines(*hid, lines), device::WriteGpioResult::OutputTooShort);
    EXPECT_EQ(device::ReadGpioLines(*hid, lines), device::ReadGpioResult::OutputTooShort);
    for (const auto& report : chip_record::OfKind(device_.chip(), RequestKind::HidOutputReport))
        EXPECT_EQ(report.dataLength, 4u);
}

namespace {

// One operation of the register channel with its numeric result.
using Operation = std::function<int(ports::HidInterface&)>;

int WriteRegisterOp(ports::HidInterface& hid)
{
    return static_cast<int>(device::WriteRegister(hid, 0x120, 1));
}
int ReadRegisterOp(ports::HidInterface& hid)
{
    std::uint8_t value = 0;
    return static_cast<int>(device::ReadRegister(hid, 0x120, value));
}
int WriteGpioOp(ports::HidInterface& hid)
{
    return static_cast<int>(device::WriteGpioLines(hid, {}));
}
int ReadGpioOp(ports::HidInterface& hid)
{
    device::GpioLines lines{};
    return static_cast<int>(device::ReadGpioLines(hid, lines));
}
int EndTransferOp(ports::HidInterface& hid)
{
    return static_cast<int>(device::EndTransfer(hid));
}

} // namespace

TEST_F(HidRegisterChannelTest, EveryFailureGivesItsNumberedResult)
{
    struct Case {
        const char* name;
        Operation operation;
        std::uint16_t outputLength;
        std::uint16_t inputLength;
        std::optional<emulator::FaultRule> fault;
        int expected;
    };
    const auto nthOutput = [](std::uint32_t n) { return emulator::FaultAt(RequestKind::HidOutputReport, n); };
    const auto firstInput = emulator::FaultAt(RequestKind::HidInputReport, 1);
    const Case cases[] = {
        {"write register: no output length", WriteRegisterOp, 0, 65, {}, 1},
        {"write register: select fails", WriteRegisterOp, 65, 65, nthOutput(1), 2},
        {"write register: write fails", WriteRegisterOp, 65, 65, nthOutput(2), 3},
        {"write register: unplugged between the reports", WriteRegisterOp, 65, 65,
         emulator::FaultAt(RequestKind::HidOutputReport, 2, FaultAction::Unplug), 3},
        {"read register: no output length", ReadRegisterOp, 0, 65, {}, 1},
        {"read register: select fails", ReadRegisterOp, 65, 65, nthOutput(1), 2},
        {"read register: no input length", ReadRegisterOp, 65, 0, {}, 3},
        {"read register: input too short for byte 2", ReadRegisterOp, 65, 2, {}, 3},
        {"read register: read fails", ReadRegisterOp, 65, 65, firstInput, 4},
        {"write GPIO: no output length", WriteGpioOp, 0, 65, {}, 1},
        {"write GPIO: output of 4 bytes", WriteGpioOp, 4, 65, {}, 2},
        {"write GPIO: send fails", WriteGpioOp, 65, 65, nthOutput(1), 3},
        {"read GPIO: no output length", ReadGpioOp, 0, 65, {}, 1},
        {"read GPIO: output of 4 bytes", ReadGpioOp, 4, 65, {}, 2},
        {"read GPIO: request fails", ReadGpioOp, 65, 65, nthOutput(1), 3},
        {"read GPIO: no input length", ReadGpioOp, 65, 0, {}, 4},
        {"read GPIO: input of 4 bytes", ReadGpioOp, 65, 4, {}, 5},
        {"read GPIO: read fails", ReadGpioOp, 65, 65, firstInput, 6},
        {"end of transfer: no output length", EndTransferOp, 0, 65, {}, 1},
        {"end of transfer: send fails", EndTransferOp, 65, 65, nthOutput(1), 2},
        {"write register: works", WriteRegisterOp, 65, 65, {}, 0},
        {"read GPIO: five-byte reports work", ReadGpioOp, 5, 5, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        emulator::EmulatedDevice device;
        device.chip().SetReportLengths(c.outputLength, c.inputLength);
        const auto hid = device.hid().OpenFirst(kVid, kPid);
        ASSERT_NE(hid, nullptr);
        if (c.fault)
            device.chip().ArmFault(*c.fault);
        EXPECT_EQ(c.operation(*hid), c.expected);
    }
}

TEST_F(HidRegisterChannelTest, HandleFromBeforeAnUnplugStaysDead)
{
    auto hid = Open();
    device_.chip().Unplug();
    device_.chip().Plug();
    EXPECT_EQ(hid->OutputReportLength(), 0u);
    EXPECT_EQ(device::WriteRegister(*hid, 0x100, 0), device::WriteRegisterResult::NoOutputLength);
    EXPECT_EQ(device::WriteRegister(*Open(), 0x100, 0), device::WriteRegisterResult::Ok) << "a fresh handle works";
    hid.reset();
    EXPECT_EQ(device_.chip().WithState([](emulator::ChipState& s) { return s.openHidHandles; }), 0u);
}
