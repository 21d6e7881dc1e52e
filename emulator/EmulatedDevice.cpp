#include "emulator/EmulatedDevice.h"

namespace emulator {

namespace {

std::unique_ptr<ChipState> FactoryState()
{
    auto state = std::make_unique<ChipState>();
    ResetChipState(*state);
    return state;
}

} // namespace

EmulatedDevice::EmulatedDevice()
    : state_(FactoryState()), chip_(*state_, lock_), sdk_(chip_), hid_(chip_), filterDriver_(chip_), enumeration_(chip_)
{
}

} // namespace emulator
