#include "device/FilterDriverChannel.h"

#include "common/Text.h"
#include "device/ByteOrder.h"

#include <array>

namespace device {

std::wstring FilterDriverChannelPath(std::uint16_t vid, std::uint16_t pid)
{
    return FormatText(255, L"\\\\.\\Class#VexflPort&%.4X&%.4X", static_cast<unsigned>(vid), static_cast<unsigned>(pid));
}

bool FilterDriverChannel::IsChannelMissing(std::uint16_t vid, std::uint16_t pid)
{
    path_ = FilterDriverChannelPath(vid, pid);
    return driver_.OpenDevicePath(path_) == nullptr;
}

FilterDriverChannel::Answer FilterDriverChannel::Send(std::uint32_t controlCode, std::span<const std::uint8_t> input,
                                                      std::span<std::uint8_t> output)
{
    if (path_.empty())
        return {DriverRequestResult::CannotOpen, 0};
    const auto handle = driver_.OpenDevicePath(path_);
    if (!handle)
        return {DriverRequestResult::CannotOpen, 0};
    const ports::DriverRequestOutcome outcome = handle->Request(controlCode, input, output);
    if (!outcome.succeeded)
        return {DriverRequestResult::RequestFailed, 0};
    return {DriverRequestResult::Ok, outcome.bytesReturned};
}

DriverRequestResult FilterDriverChannel::StatusRequest(std::uint32_t& status)
{
    std::array<std::uint8_t, 8> request{};
    PutU32(request, 0, 1);
    PutU32(request, 4, 0);
    std::array<std::uint8_t, 8> answer = request;
    const Answer sent = Send(driver_codes::kStatus, request, answer);
    if (sent.result == DriverRequestResult::Ok)
        status = GetU32(answer, 4);
    return sent.result;
}

DriverRequestResult FilterDriverChannel::ControlRequest(std::uint16_t selector, std::uint32_t& value)
{
    std::array<std::uint8_t, 8> request{};
    PutU16(request, 0, 1);
    PutU16(request, 2, selector);
    PutU32(request, 4, value);
    std::array<std::uint8_t, 8> answer = request;
    const Answer sent = Send(driver_codes::kControl, request, answer);
    if (sent.result != DriverRequestResult::Ok)
        return sent.result;
    if (sent.bytesReturned == 0)
        return DriverRequestResult::NoBytesReturned;
    value = GetU32(answer, 4);
    return DriverRequestResult::Ok;
}

DriverRequestResult FilterDriverChannel::SelectEffect(std::uint32_t effectIndex)
{
    std::array<std::uint8_t, 4> request{};
    PutU32(request, 0, effectIndex);
    return Send(driver_codes::kEffectSelection, request, {}).result;
}

DriverRequestResult FilterDriverChannel::SwitchEffect(std::uint32_t value)
{
    std::array<std::uint8_t, 4> request{};
    PutU32(request, 0, value);
    return Send(driver_codes::kEffectSwitch, request, {}).result;
}

} // namespace device
