#pragma once
// The filter driver's channel of the active device: the path every request opens, and the requests.
// Each request opens the path, sends one buffered control request and closes the handle again.

#include "device/ports/FilterDriver.h"

#include <cstdint>
#include <string>

namespace device {

namespace driver_codes {
inline constexpr std::uint32_t kStatus = 0x00223190;
inline constexpr std::uint32_t kControl = 0x00223028;
inline constexpr std::uint32_t kEffectSelection = 0x08232008;
inline constexpr std::uint32_t kEffectSwitch = 0x08232000;
} // namespace driver_codes

enum class DriverRequestResult : int {
    Ok = 0,
    CannotOpen = 1,
    RequestFailed = 2,
    NoBytesReturned = 3, // control request only; the value is left unchanged
};

// "\\.\Class#VexflPort&VVVV&PPPP" with four upper-case hexadecimal digits each.
std::wstring FilterDriverChannelPath(std::uint16_t vid, std::uint16_t pid);

class FilterDriverChannel {
public:
    explicit FilterDriverChannel(ports::FilterDriver& driver) : driver_(driver) {}

    // Keeps the channel path of this device for every later request and tries to open it. True when
    // the channel is missing (the driver is not installed or not attached to the device).
    bool IsChannelMissing(std::uint16_t vid, std::uint16_t pid);

    // The kept path; empty until the first channel test, and every request then fails to open.
    const std::wstring& Path() const { return path_; }

    DriverRequestResult StatusRequest(std::uint32_t& status);
    // Sends `value` for `selector`; on success `value` becomes the driver's answer.
    DriverRequestResult ControlRequest(std::uint16_t selector, std::uint32_t& value);
    // Selects room effect 0 (none) to 4.
    DriverRequestResult SelectEffect(std::uint32_t effectIndex);
    DriverRequestResult SwitchEffect(std::uint32_t value);

private:
    struct Answer {
        DriverRequestResult result;
        std::uint32_t bytesReturned;
    };
    Answer Send(std::uint32_t controlCode, std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

    ports::FilterDriver& driver_;
    std::wstring path_;
};

} // namespace device
