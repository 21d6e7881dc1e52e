#include "device/HidRegisterChannel.h"

#include "device/HidReportLayout.h"

#include <algorithm>

namespace device {

namespace {

using namespace device::hid_report;

// GPIO reports need byte 4, so a report of four bytes or less cannot carry them.
constexpr std::size_t kShortestGpioReport = 5;
// The read answer's value sits in byte 2.
constexpr std::size_t kShortestRegisterAnswer = 3;

std::vector<std::uint8_t> SelectRegisterReport(std::size_t length, std::uint16_t address)
{
    return MakeReport(length, {0x00, kCommand, static_cast<std::uint8_t>(address & 0xFF),
                               static_cast<std::uint8_t>(address >> 8), kSelectRegister});
}

} // namespace

std::vector<std::uint8_t> MakeReport(std::size_t length, std::array<std::uint8_t, 5> meaningful)
{
    std::vector<std::uint8_t> report(length, 0);
    std::copy_n(meaningful.begin(), std::min(length, meaningful.size()), report.begin());
    return report;
}

WriteRegisterResult WriteRegister(ports::HidInterface& hid, std::uint16_t address, std::uint8_t value)
{
    const std::size_t length = hid.OutputReportLength();
    if (length == 0)
        return WriteRegisterResult::NoOutputLength;
    if (!hid.SendOutputReport(SelectRegisterReport(length, address)))
        return WriteRegisterResult::SelectFailed;
    if (!hid.SendOutputReport(MakeReport(length, {0x00, kCommand, value, 0x01, kWriteData})))
        return WriteRegisterResult::WriteFailed;
    return WriteRegisterResult::Ok;
}

ReadRegisterResult ReadRegister(ports::HidInterface& hid, std::uint16_t address, std::uint8_t& value)
{
    const std::size_t outputLength = hid.OutputReportLength();
    if (outputLength == 0)
        return ReadRegisterResult::NoOutputLength;
    if (!hid.SendOutputReport(SelectRegisterReport(outputLength, address)))
        return ReadRegisterResult::SelectFailed;
    const std::size_t inputLength = hid.InputReportLength();
    if (inputLength < kShortestRegisterAnswer)
        return ReadRegisterResult::NoInputLength;
    std::vector<std::uint8_t> answer(inputLength, 0);
    if (!hid.ReadInputReport(answer))
        return ReadRegisterResult::ReadFailed;
    value = answer[2];
    return ReadRegisterResult::Ok;
}

WriteGpioResult WriteGpioLines(ports::HidInterface& hid, const GpioLines& lines)
{
    const std::size_t length = hid.OutputReportLength();
    if (length == 0)
        return WriteGpioResult::NoOutputLength;
    if (length < kShortestGpioReport)
        return WriteGpioResult::OutputTooShort;
    std::uint8_t low = 0;
    for (std::size_t i = 0; i < 8; ++i)
        low = static_cast<std::uint8_t>(low | (lines[i] ? 1u << i : 0u));
    const auto high = static_cast<std::uint8_t>(kGpioWriteMarker | (lines[8] ? 0x01 : 0x00) | (lines[9] ? 0x02 : 0x00));
    if (!hid.SendOutputReport(MakeReport(length, {0x00, kCommand, low, kGpioWriteLowMarker, high})))
        return WriteGpioResult::SendFailed;
    return WriteGpioResult::Ok;
}

ReadGpioResult ReadGpioLines(ports::HidInterface& hid, GpioLines& lines)
{
    const std::size_t outputLength = hid.OutputReportLength();
    if (outputLength == 0)
        return ReadGpioResult::NoOutputLength;
    if (outputLength < kShortestGpioReport)
        return ReadGpioResult::OutputTooShort;
    if (!hid.SendOutputReport(MakeReport(outputLength, {0x00, kCommand, 0x00, 0x00, kGpioReadRequest})))
        return ReadGpioResult::RequestFailed;
    const std::size_t inputLength = hid.InputReportLength();
    if (inputLength == 0)
        return ReadGpioResult::NoInputLength;
    if (inputLength < kShortestGpioReport)
        return ReadGpioResult::InputTooShort;
    std::vector<std::uint8_t> answer(inputLength, 0);
    if (!hid.ReadInputReport(answer))
        return ReadGpioResult::ReadFailed;
    for (std::size_t i = 0; i < 8; ++i)
        lines[i] = (answer[2] >> i) & 1;
    lines[8] = answer[3] & 0x01;
    lines[9] = (answer[3] >> 1) & 1;
    return ReadGpioResult::Ok;
}

EndOfTransferResult EndTransfer(ports::HidInterface& hid)
{
    const std::size_t length = hid.OutputReportLength();
    if (length == 0)
        return EndOfTransferResult::NoOutputLength;
    if (!hid.SendOutputReport(MakeReport(length, {0x00, 0x00, 0x00, 0x00, 0x00})))
        return EndOfTransferResult::SendFailed;
    return EndOfTransferResult::Ok;
}

bool UpdateRegisterBits(ports::HidInterface& hid, std::uint16_t address, std::uint8_t mask, bool on)
{
    std::uint8_t value = 0;
    if (!Succeeded(ReadRegister(hid, address, value)))
        return false;
    value = static_cast<std::uint8_t>(on ? value | mask : value & ~mask);
    return Succeeded(WriteRegister(hid, address, value));
}

} // namespace device
