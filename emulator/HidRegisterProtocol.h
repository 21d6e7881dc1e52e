#pragma once
// The chip's side of the HID register channel: what it does with each output report and what it
// answers in an input report. Lengths are checked by the caller; here only the contents count.
//
// Reports of five bytes or more carry a command in byte 4 (0x10 select register, 0x20 write data,
// 0x30 GPIO read request, 0x3C-0x3F GPIO write); all-zero is the end of transfer. A four-byte report
// has no room for the command, so the chip takes such reports in select-then-data order. A write or a
// read answer uses the selection up, so every access starts with its own select.

#include "emulator/ChipState.h"

#include <span>

namespace emulator {

bool TakeOutputReport(ChipState& state, std::span<const std::uint8_t> report);
bool AnswerInputReport(ChipState& state, std::span<std::uint8_t> report);

} // namespace emulator
