#pragma once
// The HID register channel's report bytes, shared by the panel that builds the reports and the
// emulated chip that reads them.

#include <cstdint>

namespace device::hid_report {

inline constexpr std::uint8_t kCommand = 0x60;            // byte 1 of every register-channel report
inline constexpr std::uint8_t kSelectRegister = 0x10;     // byte 4: bytes 2 and 3 hold the address
inline constexpr std::uint8_t kWriteData = 0x20;          // byte 4: byte 2 holds the value
inline constexpr std::uint8_t kGpioReadRequest = 0x30;    // byte 4
inline constexpr std::uint8_t kGpioWriteMarker = 0x3C;    // byte 4, ORed with lines 8 and 9
inline constexpr std::uint8_t kGpioWriteLowMarker = 0xFF; // byte 3 of a GPIO write

} // namespace device::hid_report
