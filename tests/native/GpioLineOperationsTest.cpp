#include "ChipRecord.h"
#include "device/GpioLineOperations.h"
#include "emulator/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using device::GpioLineResult;
using emulator::RequestKind;

namespace {

using Bytes = std::vector<std::uint8_t>;
using LineOperation = std::function<GpioLineResult(ports::HidChannel&)>;

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4802;
constexpr std::uint16_t kLinesBefore = 0x2A5;

const Bytes kEndOfTransfer = {0, 0, 0, 0, 0};

struct LineCase {
    const char* name;
    LineOperation operation;
    std::vector<Bytes> reports; // the first five bytes of each output report
    std::uint16_t linesAfter;
};

const LineCase kLineCases[] = {
    {"LED on: lines only read",
     [](ports::HidChannel& c) { return device::ApplyLedLineState(c, kVid, kPid, true); },
     {{0x00, 0x60, 0x00, 0x00, 0x30}, kEndOfTransfer},
     kLinesBefore},
    {"LED off: all lines low",
     [](ports::HidChannel& c) { return device::ApplyLedLineState(c, kVid, kPid, false); },
     {{0x00, 0x60, 0x00, 0xFF, 0x3C}, kEndOfTransfer},
     0x000},
    {"LED line high",
     [](ports::HidChannel& c) { return device::DriveLedLine(c, kVid, kPid, true); },
     {{0x00, 0x60, 0x01, 0xFF, 0x3C}, kEndOfTransfer},
     0x001},
    {"LED line low",
     [](ports::HidChannel& c) { return device::DriveLedLine(c, kVid, kPid, false); },
     {{0x00, 0x60, 0x00, 0xFF, 0x3C}, kEndOfTransfer},
     0x000},
};

std::uint32_t OpenHidHandles(emulator::EmulatedDevice& device)
{
    return device.chip().WithState([](emulator::ChipState& s) { return s.openHidHandles; });
}

} // namespace

TEST(GpioLineOperations, SendLinesThenEndTheTransferOnAFreshHandle)
{
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.name);
        emulator::EmulatedDevice device;
        device.chip().WithState([](emulator::ChipState& s) { s.hid.gpioLines = kLinesBefore; });
        EXPECT_EQ(c.operation(device.hid()), GpioLineResult::Ok);
        EXPECT_EQ(chip_record::ReportHeads(device.chip(), RequestKind::HidOutputReport), c.reports);
        EXPECT_EQ(device.chip().WithState([](emulator::ChipState& s) { return s.hid.gpioLines; }), c.linesAfter);
        EXPECT_EQ(chip_record::OfKind(device.chip(), RequestKind::HidOpen).size(), 1u);
        EXPECT_EQ(OpenHidHandles(device), 0u);
    }
}

TEST(GpioLineOperations, FailuresGiveTheirResultsAndCloseTheHandle)
{
    struct FailureCase {
        const char* name;
        std::function<void(emulator::Chip&)> arrange;
        GpioLineResult expected;
    };
    const FailureCase failures[] = {
        {"no device", [](emulator::Chip& chip) { chip.Unplug(); }, GpioLineResult::NoHandle},
        {"another device", [](emulator::Chip& chip) { chip.SetIdentity(kVid, 0x4803); }, GpioLineResult::NoHandle},
        {"output report of 4 bytes", [](emulator::Chip& chip) { chip.SetReportLengths(4, 65); },
         GpioLineResult::TransferFailed},
        {"line transfer fails",
         [](emulator::Chip& chip) { chip.ArmFault(emulator::FaultAt(RequestKind::HidOutputReport, 1)); },
         GpioLineResult::TransferFailed},
        {"end of transfer fails",
         [](emulator::Chip& chip) { chip.ArmFault(emulator::FaultAt(RequestKind::HidOutputReport, 2)); },
         GpioLineResult::EndOfTransferFailed},
    };
    for (const FailureCase& failure : failures) {
        for (const LineCase& c : kLineCases) {
            SCOPED_TRACE(std::string(failure.name) + " / " + c.name);
            emulator::EmulatedDevice device;
            failure.arrange(device.chip());
            EXPECT_EQ(c.operation(device.hid()), failure.expected);
            EXPECT_EQ(OpenHidHandles(device), 0u);
        }
    }
}
