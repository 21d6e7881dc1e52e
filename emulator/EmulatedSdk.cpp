#include "emulator/EmulatedSdk.h"

#include "emulator/AudioCommands.h"
#include "emulator/LedControl.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <thread>

namespace emulator {

namespace {

using sdk::EntryPoint;

constexpr std::wstring_view kChipFirmwareVersion = L"48xx 1.02";
constexpr std::wstring_view kLibraryVersion = L"1.0.0.1";

std::int32_t CopyVersion(std::wstring_view version, wchar_t* text, std::int32_t capacity)
{
    if (text == nullptr || capacity <= 0)
        return kSdkBadArgument;
    const std::size_t length = std::min(version.size(), static_cast<std::size_t>(capacity) - 1);
    std::copy_n(version.begin(), length, text);
    text[length] = L'\0';
    return kSdkOk;
}

bool ValidIndex(std::int32_t index)
{
    return index == 0;
}

std::span<const std::uint8_t> BytesOf(const void* data, std::size_t size)
{
    if (data == nullptr)
        return {};
    return {static_cast<const std::uint8_t*>(data), size};
}

std::int32_t FloatBits(float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The master path's LED commands: only the LED controller's own bus address answers.
template <typename Command> std::int32_t AtLedAddress(std::uint8_t address, std::int32_t index, Command command)
{
    if (!ValidIndex(index))
        return kSdkBadArgument;
    if (address != sdk::kLedControllerAddress)
        return kSdkNoAnswer;
    return command();
}

} // namespace

// ---- Identity, presence and activation ----

std::int32_t EmulatedSdk::DLLQZ_GetAP_VersionW(wchar_t* text, std::int32_t capacity)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_GetAP_VersionW, {capacity}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState&) { return CopyVersion(kChipFirmwareVersion, text, capacity); });
}

std::int32_t EmulatedSdk::DLLQZ_GetDLL_VersionW(wchar_t* text, std::int32_t capacity)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_GetDLL_VersionW, {capacity}, {}, SdkAccess::Anytime,
                            [&](ChipState&) { return CopyVersion(kLibraryVersion, text, capacity); });
}

std::int32_t EmulatedSdk::DLLQZ_CheckDriver()
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_CheckDriver, {}, {}, SdkAccess::ActiveDevice,
                            [](ChipState& s) { return s.presence.driverChannelPresent ? kSdkOk : kSdkNoAnswer; });
}

std::int32_t EmulatedSdk::DLLQZ_CheckDriverEx(std::uint16_t vid, std::uint16_t pid)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_CheckDriverEx, {vid, pid}, {}, SdkAccess::Anytime, [&](ChipState& s) {
        const bool ours = s.presence.plugged && s.presence.vid == vid && s.presence.pid == pid;
        if (!ours)
            return kSdkNoDevice;
        return s.presence.driverChannelPresent ? kSdkOk : kSdkNoAnswer;
    });
}

std::int32_t EmulatedSdk::DLLQZ_Search_Present_Device(std::uint16_t vid, std::uint16_t pid)
{
    return chip_.SdkRequest(
        EntryPoint::DLLQZ_Search_Present_Device, {vid, pid}, {}, SdkAccess::Anytime, [&](ChipState& s) {
            const bool present = s.presence.plugged && s.presence.vid == vid && s.presence.pid == pid;
            return present ? kSdkOk : kSdkNoDevice;
        });
}

std::int32_t EmulatedSdk::DLLQZ_SetActive_Device(std::uint16_t vid, std::uint16_t pid)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetActive_Device, {vid, pid}, {}, SdkAccess::Anytime, [&](ChipState& s) {
        const bool present = s.presence.plugged && s.presence.vid == vid && s.presence.pid == pid;
        s.presence.active = present ? 1 : 0;
        return present ? kSdkOk : kSdkNoDevice;
    });
}

// ---- Generic command, equalizer, 3D, registers, EEPROM ----

std::int32_t EmulatedSdk::DLLQZ_AudioCommand(std::uint8_t* block, std::int32_t inLength, std::int32_t outLength)
{
    return chip_.SdkRequest(
        EntryPoint::DLLQZ_AudioCommand, {inLength, outLength}, BytesOf(block, sdk::kAudioCommandLength),
        SdkAccess::ActiveDevice, [&](ChipState& s) -> std::int32_t {
            if (block == nullptr || inLength != static_cast<std::int32_t>(sdk::kAudioCommandLength) ||
                outLength != static_cast<std::int32_t>(sdk::kAudioCommandLength))
                return kSdkBadArgument;
            if (s.sound.probeFailuresLeft > 0) {
                if (s.sound.probeFailuresLeft != kForever)
                    --s.sound.probeFailuresLeft;
                return kSdkNoAnswer;
            }
            return RunAudioCommand(s.sound, {block, sdk::kAudioCommandLength});
        });
}

std::int32_t EmulatedSdk::DLLQZ_ConfigEQ_ById(std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_ConfigEQ_ById, {index}, {}, SdkAccess::ActiveDevice, [&](ChipState& s) {
        if (!ValidIndex(index))
            return kSdkBadArgument;
        ++s.sound.eqConfigCount;
        return kSdkOk;
    });
}

std::int32_t EmulatedSdk::DLLQZ_SetEQ_OnOff_ById(std::int32_t on, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetEQ_OnOff_ById, {on, index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index))
                                    return kSdkBadArgument;
                                s.sound.eqEnabled = on != 0 ? 1 : 0;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_IsEQ_Enable_ById(std::int32_t* on, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_IsEQ_Enable_ById, {index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index) || on == nullptr)
                                    return kSdkBadArgument;
                                *on = s.sound.eqEnabled;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_Config3D_ById(std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Config3D_ById, {index}, {}, SdkAccess::ActiveDevice, [&](ChipState& s) {
        if (!ValidIndex(index))
            return kSdkBadArgument;
        ++s.sound.threeDConfigCount;
        return kSdkOk;
    });
}

std::int32_t EmulatedSdk::DLLQZ_Set3D_OnOff_ById(std::int32_t on, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Set3D_OnOff_ById, {on, index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index))
                                    return kSdkBadArgument;
                                s.sound.threeDEnabled = on != 0 ? 1 : 0;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_Is3D_Enable_ById(std::int32_t* on, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Is3D_Enable_ById, {index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index) || on == nullptr)
                                    return kSdkBadArgument;
                                *on = s.sound.threeDEnabled;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_Read_Register_ById(std::uint16_t address, std::uint8_t* value, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Read_Register_ById, {address, index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index) || value == nullptr)
                                    return kSdkBadArgument;
                                *value = s.registers[address];
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_Write_Register_ById(std::uint16_t address, std::uint8_t value, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Write_Register_ById, {address, value, index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index))
                                    return kSdkBadArgument;
                                s.registers[address] = value;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_Read_I2C_ById(std::uint8_t slave, std::uint8_t address, std::uint8_t* data,
                                              std::int32_t count, std::int32_t timeoutMs, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_Read_I2C_ById, {slave, address, count, timeoutMs, index}, {},
                            SdkAccess::ActiveDevice, [&](ChipState& s) {
                                if (!ValidIndex(index) || data == nullptr || count <= 0 ||
                                    address + static_cast<std::size_t>(count) > kEepromBlockSize)
                                    return kSdkBadArgument;
                                if (slave < kFirstEepromSlave || slave >= kFirstEepromSlave + kEepromBlockCount)
                                    return kSdkNoAnswer;
                                std::copy_n(s.eeprom[slave - kFirstEepromSlave] + address, count, data);
                                return kSdkOk;
                            });
}

// ---- Button scan ----

std::int32_t EmulatedSdk::DLLQZ_SetGpioModeEx_ById(std::uint8_t mode, std::int32_t reserved, std::int32_t index)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetGpioModeEx_ById, {mode, reserved, index}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                if (!ValidIndex(index))
                                    return kSdkBadArgument;
                                s.hid.gpioMode = mode;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_ScanButton_ById(std::uint16_t vid, std::uint16_t pid, sdk::ButtonCallback callback,
                                                std::int32_t enable, std::int32_t index)
{
    const std::int32_t result = chip_.SdkRequest(EntryPoint::DLLQZ_ScanButton_ById, {vid, pid, enable, index}, {},
                                                 SdkAccess::ActiveDevice, [&](ChipState& s) {
                                                     if (!ValidIndex(index) || (enable != 0 && callback == nullptr))
                                                         return kSdkBadArgument;
                                                     if (s.presence.vid != vid || s.presence.pid != pid)
                                                         return kSdkNoDevice;
                                                     s.button.scanning = enable != 0 ? 1 : 0;
                                                     s.button.scanVid = vid;
                                                     s.button.scanPid = pid;
                                                     return kSdkOk;
                                                 });
    if (result == kSdkOk)
        scanCallback_ = enable != 0 ? callback : nullptr;
    return result;
}

bool EmulatedSdk::PressButton(const std::array<std::uint8_t, 5>& report, ButtonDelivery delivery)
{
    const InjectedButtonReport injected = chip_.InjectButtonReport(report);
    const sdk::ButtonCallback callback = scanCallback_;
    if (!injected.deliver || callback == nullptr)
        return false;
    const auto deliver = [&] {
        callback(injected.vid, injected.pid, report.data(), static_cast<std::int32_t>(report.size()), 0);
    };
    if (delivery == ButtonDelivery::CallingThread)
        deliver();
    else
        std::thread(deliver).join();
    return true;
}

// ---- Virtual 7.1 and noise cancellation ----

std::int32_t EmulatedSdk::DLLQZ_SetVirtual7ch1_OnOff(std::int32_t on)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetVirtual7ch1_OnOff, {on}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                s.sound.virtualOn = on != 0 ? 1 : 0;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetVirtual7ch1(const sdk::Virtual7ch1Block* block)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetVirtual7ch1, {}, BytesOf(block, sizeof(sdk::Virtual7ch1Block)),
                            SdkAccess::ActiveDevice, [&](ChipState& s) {
                                if (block == nullptr)
                                    return kSdkBadArgument;
                                s.sound.virtualBlock = *block;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetVirtual7ch1_Scalar(float scalar)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetVirtual7ch1_Scalar, {FloatBits(scalar)}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) {
                                s.sound.virtualScalar = scalar;
                                return kSdkOk;
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetEnc_Parameters(const std::uint8_t* parameters)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_SetEnc_Parameters, {}, BytesOf(parameters, sdk::kEncParameterLength),
                            SdkAccess::ActiveDevice, [&](ChipState& s) {
                                if (parameters == nullptr)
                                    return kSdkBadArgument;
                                std::copy_n(parameters, sdk::kEncParameterLength, s.sound.encParameters);
                                return kSdkOk;
                            });
}

// ---- LED controller, master path (bus address) ----

template <typename Command>
std::int32_t EmulatedSdk::MasterLedRequest(sdk::EntryPoint entry, std::initializer_list<std::int32_t> args,
                                           std::uint8_t address, std::int32_t index, Command command)
{
    return chip_.SdkRequest(entry, args, {}, SdkAccess::ActiveDevice, [&](ChipState& s) {
        return AtLedAddress(address, index, [&] { return command(s.ledMaster); });
    });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Mode(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                            std::uint8_t parameter, std::int32_t time)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Mode, {address, led, mode, parameter, time}, address, 0,
                            [&](LedController& c) { return SetLedMode(c, led, mode, parameter, time); });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Mode_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                                 std::uint8_t parameter, std::int32_t time, std::int32_t index)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Mode_ById, {address, led, mode, parameter, time, index}, address,
                            index, [&](LedController& c) { return SetLedMode(c, led, mode, parameter, time); });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Color(std::uint8_t address, std::uint8_t led, std::uint8_t slot, std::uint8_t r,
                                             std::uint8_t g, std::uint8_t b, std::int32_t time)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Color, {address, led, slot, r, g, b, time}, address, 0,
                            [&](LedController& c) {
                                return SetLedPaletteColor(c, led, slot, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Color_ById(std::uint8_t address, std::uint8_t led, std::uint8_t slot,
                                                  std::uint8_t r, std::uint8_t g, std::uint8_t b, std::int32_t time,
                                                  std::int32_t index)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Color_ById, {address, led, slot, r, g, b, time, index}, address,
                            index, [&](LedController& c) {
                                return SetLedPaletteColor(c, led, slot, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_SingleColor(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                                   std::uint8_t r, std::uint8_t g, std::uint8_t b, std::int32_t time)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_SingleColor, {address, led, mode, r, g, b, time}, address, 0,
                            [&](LedController& c) {
                                return SetLedSingleColor(c, led, mode, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_SingleColor_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                                        std::uint8_t r, std::uint8_t g, std::uint8_t b,
                                                        std::int32_t time, std::int32_t index)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_SingleColor_ById, {address, led, mode, r, g, b, time, index},
                            address, index, [&](LedController& c) {
                                return SetLedSingleColor(c, led, mode, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Step(std::uint8_t address, std::uint8_t step, std::int32_t time)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Step, {address, step, time}, address, 0,
                            [&](LedController& c) { return SetLedStep(c, step, time); });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Step_ById(std::uint8_t address, std::uint8_t step, std::int32_t time,
                                                 std::int32_t index)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Step_ById, {address, step, time, index}, address, index,
                            [&](LedController& c) { return SetLedStep(c, step, time); });
}

std::int32_t EmulatedSdk::DLLQZ_SetRGB_Brightness(std::uint8_t address, std::uint8_t led, std::uint8_t level,
                                                  std::int32_t time)
{
    return MasterLedRequest(EntryPoint::DLLQZ_SetRGB_Brightness, {address, led, level, time}, address, 0,
                            [&](LedController& c) { return SetLedBrightness(c, led, level, time); });
}

// ---- LED controller, HID slave path ----

std::int32_t EmulatedSdk::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t parameter,
                                                           std::int32_t time)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Mode_Ex, {led, mode, parameter, time}, {},
                            SdkAccess::ActiveDevice,
                            [&](ChipState& s) { return SetLedMode(s.ledSlave, led, mode, parameter, time); });
}

std::int32_t EmulatedSdk::DLLQZ_UsbHidSlave_SetRGB_Color_Ex(std::uint8_t led, std::uint8_t slot, std::uint8_t r,
                                                            std::uint8_t g, std::uint8_t b, std::int32_t time)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Color_Ex, {led, slot, r, g, b, time}, {},
                            SdkAccess::ActiveDevice, [&](ChipState& s) {
                                return SetLedPaletteColor(s.ledSlave, led, slot, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_UsbHidSlave_SetRGB_SingleColor_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t r,
                                                                  std::uint8_t g, std::uint8_t b, std::int32_t time)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_SingleColor_Ex, {led, mode, r, g, b, time}, {},
                            SdkAccess::ActiveDevice, [&](ChipState& s) {
                                return SetLedSingleColor(s.ledSlave, led, mode, {r, g, b}, time);
                            });
}

std::int32_t EmulatedSdk::DLLQZ_UsbHidSlave_SetRGB_Step_Ex(std::uint8_t step, std::int32_t time)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Step_Ex, {step, time}, {}, SdkAccess::ActiveDevice,
                            [&](ChipState& s) { return SetLedStep(s.ledSlave, step, time); });
}

std::int32_t EmulatedSdk::DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex(std::uint8_t led, std::uint8_t level,
                                                                 std::int32_t time)
{
    return chip_.SdkRequest(EntryPoint::DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex, {led, level, time}, {},
                            SdkAccess::ActiveDevice,
                            [&](ChipState& s) { return SetLedBrightness(s.ledSlave, led, level, time); });
}

} // namespace emulator
