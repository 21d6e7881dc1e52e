#include "emulator/HidRegisterProtocol.h"

#include "device/HidReportLayout.h"

#include <algorithm>

namespace emulator {

namespace {

using namespace device::hid_report;

constexpr std::size_t kShortReport = 4;

void Select(HidTransfer& transfer, std::uint8_t low, std::uint8_t high)
{
    transfer.selectedAddress = static_cast<std::uint16_t>(low | (high << 8));
    transfer.registerSelected = 1;
    transfer.gpioReadPending = 0;
}

bool WriteData(ChipState& state, std::uint8_t value, std::uint8_t count)
{
    if (!state.hid.registerSelected || count != 0x01)
        return false;
    state.registers[state.hid.selectedAddress] = value;
    state.hid.registerSelected = 0;
    return true;
}

bool TakeCommand(ChipState& state, std::span<const std::uint8_t> report)
{
    HidTransfer& transfer = state.hid;
    const std::uint8_t command = report[4];
    if (command == kSelectRegister) {
        Select(transfer, report[2], report[3]);
        return true;
    }
    if (command == kWriteData)
        return WriteData(state, report[2], report[3]);
    if (command == kGpioReadRequest) {
        transfer.gpioReadPending = 1;
        transfer.registerSelected = 0;
        return true;
    }
    if ((command & 0xFC) == kGpioWriteMarker && report[3] == kGpioWriteLowMarker) {
        transfer.gpioLines = static_cast<std::uint16_t>(report[2] | ((command & 0x03) << 8));
        return true;
    }
    return false;
}

} // namespace

bool TakeOutputReport(ChipState& state, std::span<const std::uint8_t> report)
{
    if (report.size() < kShortReport || report[0] != 0x00)
        return false;
    const auto meaningful = report.first(std::min<std::size_t>(report.size(), 5));
    if (std::all_of(meaningful.begin(), meaningful.end(), [](std::uint8_t byte) { return byte == 0; })) {
        state.hid.registerSelected = 0;
        state.hid.gpioReadPending = 0;
        ++state.hid.endOfTransferCount;
        return true;
    }
    if (report[1] != kCommand)
        return false;
    if (report.size() > kShortReport)
        return TakeCommand(state, report);
    if (!state.hid.registerSelected) {
        Select(state.hid, report[2], report[3]);
        return true;
    }
    return WriteData(state, report[2], report[3]);
}

bool AnswerInputReport(ChipState& state, std::span<std::uint8_t> report)
{
    HidTransfer& transfer = state.hid;
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    if (transfer.gpioReadPending && report.size() >= 4) {
        report[2] = static_cast<std::uint8_t>(transfer.gpioLines & 0xFF);
        report[3] = static_cast<std::uint8_t>(transfer.gpioLines >> 8);
        transfer.gpioReadPending = 0;
        return true;
    }
    if (transfer.registerSelected && report.size() >= 3) {
        report[2] = state.registers[transfer.selectedAddress];
        transfer.registerSelected = 0;
        return true;
    }
    return false;
}

} // namespace emulator
