#pragma once
// The main window's two uses of the general-purpose lines (the LED output of the status area). Each
// opens a fresh HID handle to the device and closes it on every path.

#include "device/ports/HidChannel.h"

#include <cstdint>

namespace device {

enum class GpioLineResult : int {
    Ok = 0,
    NoHandle = 1,
    TransferFailed = 2, // the line read or write failed; no end-of-transfer report follows
    EndOfTransferFailed = 3,
};

// With the LED on the lines are only read (left as the device has them); with it off all ten go low.
// Then the end-of-transfer report.
GpioLineResult ApplyLedLineState(ports::HidChannel& channel, std::uint16_t vid, std::uint16_t pid, bool ledOn);

// Line 0 = `on`, the other nine low; then the end-of-transfer report.
GpioLineResult DriveLedLine(ports::HidChannel& channel, std::uint16_t vid, std::uint16_t pid, bool on);

} // namespace device
