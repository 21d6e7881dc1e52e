#include "emulator/LedControl.h"

#include "emulator/SdkStatus.h"

namespace emulator {

namespace {

constexpr std::uint8_t kPowerMode = 1;
constexpr std::uint8_t kLastMode = 7;
constexpr std::uint8_t kBrightestLevel = 6;

bool ValidLed(std::uint8_t led)
{
    return led <= kLedCount;
}
bool ValidMode(std::uint8_t mode)
{
    return mode >= kPowerMode && mode <= kLastMode;
}

// Applies `change` to the addressed LED, or to both for LED 0, and notes the command.
template <typename Change>
std::int32_t ForLeds(LedController& controller, std::uint8_t led, std::int32_t time, Change change)
{
    for (std::size_t i = 0; i < kLedCount; ++i) {
        if (led == 0 || led == i + 1)
            change(controller.leds[i]);
    }
    controller.lastTime = time;
    ++controller.commandCount;
    return kSdkOk;
}

} // namespace

std::int32_t SetLedMode(LedController& controller, std::uint8_t led, std::uint8_t mode, std::uint8_t parameter,
                        std::int32_t time)
{
    if (!ValidLed(led) || !ValidMode(mode))
        return kSdkBadArgument;
    return ForLeds(controller, led, time, [&](LedUnit& unit) {
        if (mode == kPowerMode) {
            unit.poweredOff = parameter == 1 ? 1 : 0;
            return;
        }
        unit.mode = mode;
        unit.parameter = parameter;
        unit.poweredOff = 0;
    });
}

std::int32_t SetLedPaletteColor(LedController& controller, std::uint8_t led, std::uint8_t slot, Rgb color,
                                std::int32_t time)
{
    if (!ValidLed(led) || slot < 1 || slot > kPaletteSlots)
        return kSdkBadArgument;
    return ForLeds(controller, led, time, [&](LedUnit& unit) { unit.palette[slot - 1] = color; });
}

std::int32_t SetLedSingleColor(LedController& controller, std::uint8_t led, std::uint8_t mode, Rgb color,
                               std::int32_t time)
{
    if (!ValidLed(led) || !ValidMode(mode))
        return kSdkBadArgument;
    return ForLeds(controller, led, time, [&](LedUnit& unit) {
        unit.singleColorMode = mode;
        unit.singleColor = color;
    });
}

std::int32_t SetLedStep(LedController& controller, std::uint8_t step, std::int32_t time)
{
    controller.step = step;
    controller.lastTime = time;
    ++controller.commandCount;
    return kSdkOk;
}

std::int32_t SetLedBrightness(LedController& controller, std::uint8_t led, std::uint8_t level, std::int32_t time)
{
    if (!ValidLed(led) || level < 1 || level > kBrightestLevel)
        return kSdkBadArgument;
    return ForLeds(controller, led, time, [&](LedUnit& unit) { unit.brightness = level; });
}

} // namespace emulator
