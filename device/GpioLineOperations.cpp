#include "device/GpioLineOperations.h"

#include "device/HidRegisterChannel.h"

namespace device {

namespace {

GpioLineResult FinishTransfer(ports::HidInterface& hid, bool transferred)
{
    if (!transferred)
        return GpioLineResult::TransferFailed;
    return EndTransfer(hid) == EndOfTransferResult::Ok ? GpioLineResult::Ok : GpioLineResult::EndOfTransferFailed;
}

} // namespace

GpioLineResult ApplyLedLineState(ports::HidChannel& channel, std::uint16_t vid, std::uint16_t pid, bool ledOn)
{
    const auto hid = channel.OpenFirst(vid, pid);
    if (!hid)
        return GpioLineResult::NoHandle;
    GpioLines lines{};
    const bool transferred =
        ledOn ? ReadGpioLines(*hid, lines) == ReadGpioResult::Ok : WriteGpioLines(*hid, lines) == WriteGpioResult::Ok;
    return FinishTransfer(*hid, transferred);
}

GpioLineResult DriveLedLine(ports::HidChannel& channel, std::uint16_t vid, std::uint16_t pid, bool on)
{
    const auto hid = channel.OpenFirst(vid, pid);
    if (!hid)
        return GpioLineResult::NoHandle;
    GpioLines lines{};
    lines[0] = on;
    return FinishTransfer(*hid, WriteGpioLines(*hid, lines) == WriteGpioResult::Ok);
}

} // namespace device
