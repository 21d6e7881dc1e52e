#include "emulator/DriverRequests.h"

#include "device/ByteOrder.h"
#include "device/FilterDriverChannel.h"

#include <algorithm>

namespace emulator {

namespace {

constexpr std::size_t kHeaderedRequest = 8;
constexpr std::uint32_t kEffectCount = 5;

ports::DriverRequestOutcome Failed()
{
    return {false, 0};
}

// Status: in and out "u32 1, u32 status".
ports::DriverRequestOutcome Status(const DriverState& driver, std::span<const std::uint8_t> input,
                                   std::span<std::uint8_t> output)
{
    if (input.size() < kHeaderedRequest || output.size() < kHeaderedRequest || device::GetU32(input, 0) != 1)
        return Failed();
    std::copy_n(input.begin(), 4, output.begin());
    device::PutU32(output, 4, driver.status);
    return {true, kHeaderedRequest};
}

// Control: "u16 1, u16 selector, u32 value"; the driver keeps the value and answers it.
ports::DriverRequestOutcome Control(DriverState& driver, std::span<const std::uint8_t> input,
                                    std::span<std::uint8_t> output)
{
    if (input.size() < kHeaderedRequest || output.size() < kHeaderedRequest || device::GetU16(input, 0) != 1)
        return Failed();
    const std::uint16_t selector = device::GetU16(input, 2);
    if (selector >= kDriverSelectors)
        return Failed();
    driver.controls[selector] = device::GetU32(input, 4);
    std::copy_n(input.begin(), 4, output.begin());
    device::PutU32(output, 4, driver.controls[selector]);
    return {true, kHeaderedRequest};
}

} // namespace

ports::DriverRequestOutcome RunDriverRequest(DriverState& driver, std::uint32_t controlCode,
                                             std::span<const std::uint8_t> input, std::span<std::uint8_t> output)
{
    namespace codes = device::driver_codes;
    switch (controlCode) {
    case codes::kStatus:
        return Status(driver, input, output);
    case codes::kControl:
        return Control(driver, input, output);
    case codes::kEffectSelection:
        if (input.size() < 4 || device::GetU32(input, 0) >= kEffectCount)
            return Failed();
        driver.effectIndex = device::GetU32(input, 0);
        return {true, 0};
    case codes::kEffectSwitch:
        if (input.size() < 4)
            return Failed();
        driver.effectSwitch = device::GetU32(input, 0);
        return {true, 0};
    default:
        return Failed();
    }
}

} // namespace emulator
