#pragma once
// The LED controller's commands on each of the three ways the panel reaches it: the main page through
// the bus address with the device index, the LED dialog's master path through the bus address, and the
// dialog's slave path through the HID slave. Colours are 0x00BBGGRR.

#include "device/ports/AudioSdk.h"

#include <cstdint>

namespace sound {

enum class LedRoute {
    MasterById, // the main page: bus address 0x3A, ending with the device index
    Master,     // the dialog with "Master" checked
    Slave,      // the dialog otherwise
};

// The last plain argument of every command.
inline constexpr std::int32_t kLedPageTime = 50;
inline constexpr std::int32_t kLedDialogTime = 500;
inline constexpr std::uint8_t kLedStepValue = 7;

enum LedModeCode : int {
    kLedModePower = 1, // parameter 1 switches off, 0 on again
    kLedModeSingleColour = 2,
    kLedModeBlinking = 3,
    kLedModeBreathe = 4,
    kLedModeRainbow = 5,
    kLedModeMultiBreathe = 6,
    kLedModeSingleRandom = 7,
};

class LedCommands {
public:
    LedCommands(ports::AudioSdk& sdk, LedRoute route, std::int32_t time) : sdk_(sdk), route_(route), time_(time) {}

    std::int32_t Mode(int led, int mode, int parameter) const;
    std::int32_t PaletteColour(int led, int slot, std::uint32_t colour) const;
    std::int32_t SingleColour(int led, int mode, std::uint32_t colour) const;
    std::int32_t Step() const;
    // The bus path knows no brightness command with a device index; the main page never sends one.
    std::int32_t Brightness(int led, int level) const;

private:
    ports::AudioSdk& sdk_;
    LedRoute route_;
    std::int32_t time_;
};

} // namespace sound
