#include "sound/LedCommands.h"

#include "sound/FeatureDevice.h"

namespace sound {

namespace {

constexpr std::uint8_t kAddress = sdk::kLedControllerAddress;

std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value);
}
std::uint8_t Red(std::uint32_t colour)
{
    return static_cast<std::uint8_t>(colour & 0xFF);
}
std::uint8_t Green(std::uint32_t colour)
{
    return static_cast<std::uint8_t>((colour >> 8) & 0xFF);
}
std::uint8_t Blue(std::uint32_t colour)
{
    return static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

} // namespace

std::int32_t LedCommands::Mode(int led, int mode, int parameter) const
{
    switch (route_) {
    case LedRoute::MasterById:
        return sdk_.DLLQZ_SetRGB_Mode_ById(kAddress, Byte(led), Byte(mode), Byte(parameter), time_, kSdkDeviceIndex);
    case LedRoute::Master:
        return sdk_.DLLQZ_SetRGB_Mode(kAddress, Byte(led), Byte(mode), Byte(parameter), time_);
    case LedRoute::Slave:
        break;
    }
    return sdk_.DLLQZ_UsbHidSlave_SetRGB_Mode_Ex(Byte(led), Byte(mode), Byte(parameter), time_);
}

std::int32_t LedCommands::PaletteColour(int led, int slot, std::uint32_t colour) const
{
    const std::uint8_t r = Red(colour), g = Green(colour), b = Blue(colour);
    switch (route_) {
    case LedRoute::MasterById:
        return sdk_.DLLQZ_SetRGB_Color_ById(kAddress, Byte(led), Byte(slot), r, g, b, time_, kSdkDeviceIndex);
    case LedRoute::Master:
        return sdk_.DLLQZ_SetRGB_Color(kAddress, Byte(led), Byte(slot), r, g, b, time_);
    case LedRoute::Slave:
        break;
    }
    return sdk_.DLLQZ_UsbHidSlave_SetRGB_Color_Ex(Byte(led), Byte(slot), r, g, b, time_);
}

std::int32_t LedCommands::SingleColour(int led, int mode, std::uint32_t colour) const
{
    const std::uint8_t r = Red(colour), g = Green(colour), b = Blue(colour);
    switch (route_) {
    case LedRoute::MasterById:
        return sdk_.DLLQZ_SetRGB_SingleColor_ById(kAddress, Byte(led), Byte(mode), r, g, b, time_, kSdkDeviceIndex);
    case LedRoute::Master:
        return sdk_.DLLQZ_SetRGB_SingleColor(kAddress, Byte(led), Byte(mode), r, g, b, time_);
    case LedRoute::Slave:
        break;
    }
    return sdk_.DLLQZ_UsbHidSlave_SetRGB_SingleColor_Ex(Byte(led), Byte(mode), r, g, b, time_);
}

std::int32_t LedCommands::Step() const
{
    switch (route_) {
    case LedRoute::MasterById:
        return sdk_.DLLQZ_SetRGB_Step_ById(kAddress, kLedStepValue, time_, kSdkDeviceIndex);
    case LedRoute::Master:
        return sdk_.DLLQZ_SetRGB_Step(kAddress, kLedStepValue, time_);
    case LedRoute::Slave:
        break;
    }
    return sdk_.DLLQZ_UsbHidSlave_SetRGB_Step_Ex(kLedStepValue, time_);
}

std::int32_t LedCommands::Brightness(int led, int level) const
{
    if (route_ == LedRoute::Slave)
        return sdk_.DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex(Byte(led), Byte(level), time_);
    return sdk_.DLLQZ_SetRGB_Brightness(kAddress, Byte(led), Byte(level), time_);
}

} // namespace sound
