#include "sound/LedLighting.h"

namespace sound {

device::GpioLineResult LedLighting::ApplyLineState()
{
    return device::ApplyLedLineState(device_.hid, device_.state.deviceVid, device_.state.devicePid, lineOn_ != 0);
}

device::GpioLineResult LedLighting::DriveLine(bool on)
{
    return device::DriveLedLine(device_.hid, device_.state.deviceVid, device_.state.devicePid, on);
}

void LedLighting::RunSetup() {}

void LedLighting::ShapePressed(int) {}

void LedLighting::CloseEffectEvent() {}

} // namespace sound
