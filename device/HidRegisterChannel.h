#pragma once
// The chip's register channel and general-purpose lines over its HID interface. Every report carries
// report ID 0 and is sent or read with the full length the interface announces; only the first five
// bytes carry meaning, the rest stay 0.

#include "device/ports/HidChannel.h"

#include <array>
#include <cstdint>
#include <vector>

namespace device {

inline constexpr std::size_t kGpioLineCount = 10;
using GpioLines = std::array<bool, kGpioLineCount>; // lines 0 to 9

enum class WriteRegisterResult : int { Ok = 0, NoOutputLength = 1, SelectFailed = 2, WriteFailed = 3 };
enum class ReadRegisterResult : int {
    Ok = 0,
    NoOutputLength = 1,
    SelectFailed = 2,
    NoInputLength = 3, // also when the input report is too short to carry the value (byte 2)
    ReadFailed = 4,
};
enum class WriteGpioResult : int { Ok = 0, NoOutputLength = 1, OutputTooShort = 2, SendFailed = 3 };
enum class ReadGpioResult : int {
    Ok = 0,
    NoOutputLength = 1,
    OutputTooShort = 2,
    RequestFailed = 3,
    NoInputLength = 4,
    InputTooShort = 5,
    ReadFailed = 6,
};
enum class EndOfTransferResult : int { Ok = 0, NoOutputLength = 1, SendFailed = 2 };

// A report of `length` bytes that starts with `meaningful` (cut when the report is shorter).
std::vector<std::uint8_t> MakeReport(std::size_t length, std::array<std::uint8_t, 5> meaningful);

WriteRegisterResult WriteRegister(ports::HidInterface& hid, std::uint16_t address, std::uint8_t value);
ReadRegisterResult ReadRegister(ports::HidInterface& hid, std::uint16_t address, std::uint8_t& value);
WriteGpioResult WriteGpioLines(ports::HidInterface& hid, const GpioLines& lines);
ReadGpioResult ReadGpioLines(ports::HidInterface& hid, GpioLines& lines);
EndOfTransferResult EndTransfer(ports::HidInterface& hid);

inline bool Succeeded(WriteRegisterResult result)
{
    return result == WriteRegisterResult::Ok;
}

inline bool Succeeded(ReadRegisterResult result)
{
    return result == ReadRegisterResult::Ok;
}

// Sets (`on`) or clears the `mask` bits of a register as the chip has them now; false when the read or
// the write failed.
bool UpdateRegisterBits(ports::HidInterface& hid, std::uint16_t address, std::uint8_t mask, bool on);

} // namespace device
