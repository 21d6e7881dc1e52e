#pragma once
// The device's RGB lighting and the "LED" button's output line.

#include "device/GpioLineOperations.h"
#include "sound/FeatureDevice.h"

namespace sound {

class LedLighting {
public:
    explicit LedLighting(const FeatureDevice& device) : device_(device) {}

    int LineOn() const { return lineOn_; }
    // The LED-on switch's state, which the output line follows after an arrival.
    void SetLineOn(int on) { lineOn_ = on != 0 ? 1 : 0; }
    device::GpioLineResult ApplyLineState();
    // The "LED" button acts while it is held: line 1 on press, 0 on release.
    device::GpioLineResult DriveLine(bool on);

    // The RGB controller's modes, colours and worker threads come with the LED feature.
    void RunSetup();
    void ShapePressed(int shape);
    void CloseEffectEvent();

private:
    const FeatureDevice& device_;
    int lineOn_ = 0;
};

} // namespace sound
