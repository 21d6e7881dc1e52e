#pragma once
// The RGB LED controller: the same commands reach it on the master path (bus address 0x3A) and on
// the HID slave path. LED 0 addresses both LEDs.

#include "emulator/ChipState.h"

namespace emulator {

std::int32_t SetLedMode(LedController& controller, std::uint8_t led, std::uint8_t mode, std::uint8_t parameter,
                        std::int32_t time);
std::int32_t SetLedPaletteColor(LedController& controller, std::uint8_t led, std::uint8_t slot, Rgb color,
                                std::int32_t time);
std::int32_t SetLedSingleColor(LedController& controller, std::uint8_t led, std::uint8_t mode, Rgb color,
                               std::int32_t time);
std::int32_t SetLedStep(LedController& controller, std::uint8_t step, std::int32_t time);
std::int32_t SetLedBrightness(LedController& controller, std::uint8_t led, std::uint8_t level, std::int32_t time);

} // namespace emulator
