#include "emulator/ChipState.h"

#include <cstdio>
#include <cstring>

namespace emulator {

namespace {

constexpr std::uint16_t kFactoryVid = 0x4D2F;
constexpr std::uint16_t kFactoryPid = 0x4802;
// The length a full-speed HID interface usually announces: report ID + 64 bytes.
constexpr std::uint16_t kFactoryReportLength = 65;

void CopyHardwareId(char16_t (&target)[kHardwareIdLength], const char* text)
{
    std::size_t i = 0;
    for (; text[i] != '\0' && i + 1 < kHardwareIdLength; ++i)
        target[i] = static_cast<char16_t>(text[i]);
    target[i] = u'\0';
}

void SetFactoryRegisters(ChipState& state)
{
    // Equalizer record: five flat gains (0x400) and, in the top nibble of 0x129, flags B and C and the
    // EQ-off bit.
    for (std::uint16_t band = 0; band < 5; ++band) {
        state.registers[0x120 + 2 * band] = 0x00;
        state.registers[0x121 + 2 * band] = 0x04;
    }
    state.registers[0x129] = 0xE4;
    // 3D: FBM on, alpha 10 / beta 3 on both sides.
    state.registers[0x18A] = 0x01;
    state.registers[0x18B] = 0xA3;
    state.registers[0x18C] = 0xA3;
    state.registers[0x1CD] = 0xAA;
    state.registers[0x1CE] = 0xAA;
}

void SetFactoryEeprom(ChipState& state)
{
    std::memset(state.eeprom, 0xFF, sizeof state.eeprom);
    state.eeprom[0][0x8D] = 0x00; // no equalizer bank stored
    state.eeprom[0][0x8E] = 0x10; // bank 0 active
}

void SetFactoryLeds(LedController& controller)
{
    for (LedUnit& led : controller.leds) {
        led.mode = 2;
        led.singleColorMode = 2;
        led.singleColor = {0xFF, 0xFF, 0xFF};
        led.brightness = 6;
    }
}

} // namespace

void SetChipIdentity(ChipState& state, std::uint16_t vid, std::uint16_t pid)
{
    state.presence.vid = vid;
    state.presence.pid = pid;
    char text[kHardwareIdLength];
    std::snprintf(text, sizeof text, "USB\\VID_%.4X&PID_%.4X&REV_0100&MI_00", vid, pid);
    CopyHardwareId(state.presence.hardwareIds[0], text);
    std::snprintf(text, sizeof text, "USB\\VID_%.4X&PID_%.4X&MI_00", vid, pid);
    CopyHardwareId(state.presence.hardwareIds[1], text);
    state.presence.hardwareIdCount = 2;
}

void ResetChipState(ChipState& state)
{
    std::memset(&state, 0, sizeof state);
    state.magic = kChipStateMagic;
    state.layout = kChipStateLayout;
    state.size = sizeof state;

    state.presence.plugged = 1;
    state.presence.driverChannelPresent = 1;
    state.presence.outputReportLength = kFactoryReportLength;
    state.presence.inputReportLength = kFactoryReportLength;
    state.presence.plugGeneration = 1;
    SetChipIdentity(state, kFactoryVid, kFactoryPid);

    SetFactoryRegisters(state);
    SetFactoryEeprom(state);
    SetFactoryLeds(state.ledMaster);
    SetFactoryLeds(state.ledSlave);

    // The noise-cancellation block as the firmware keeps it: level (bytes 8-11) 15.
    constexpr std::uint8_t encParameters[sdk::kEncParameterLength] = {0x01, 0x00, 0x02, 0x00, 0x20, 0x00, 0x00, 0x00,
                                                                      0x0F, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00};
    std::memcpy(state.sound.encParameters, encParameters, sizeof encParameters);
    state.sound.virtualScalar = 2.0f;
    state.driver.status = 1;
}

} // namespace emulator
