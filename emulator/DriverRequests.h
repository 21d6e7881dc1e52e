#pragma once
// The filter driver's side of its control requests (status, control value, effect selection and
// switch); every field little-endian.

#include "device/ports/FilterDriver.h"
#include "emulator/ChipState.h"

#include <span>

namespace emulator {

ports::DriverRequestOutcome RunDriverRequest(DriverState& driver, std::uint32_t controlCode,
                                             std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

} // namespace emulator
