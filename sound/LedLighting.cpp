#include "sound/LedLighting.h"

#include "device/GpioLineOperations.h"

namespace sound {

// The RGB controller's modes, colours and worker threads come with the LED feature; the "LED" button's
// output line already works.

void LedLighting::ApplyLineState()
{
    device::ApplyLedLineState(context_.device.hid, context_.lifecycle.deviceVid, context_.lifecycle.devicePid,
                              context_.states.cells.ledOn != 0);
}

void LedLighting::SetLine(int level)
{
    device::DriveLedLine(context_.device.hid, context_.lifecycle.deviceVid, context_.lifecycle.devicePid, level != 0);
}

void LedLighting::RunSetup() {}

void LedLighting::ShapeMouseDown(int) {}

void LedLighting::CloseEffectEvent() {}

} // namespace sound
