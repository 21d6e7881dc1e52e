#pragma once
// The device's RGB lighting and the "LED" button's output lines.

#include "sound/FeatureContext.h"

namespace sound {

class LedLighting {
public:
    explicit LedLighting(FeatureContext& context) : context_(context) {}

    // The LED page replaces the LED dialog.
    bool PageEnabled() const { return context_.states.ledPageEnabled; }
    // The output line follows the LED-on cell.
    void ApplyLineState();
    // The "LED" button acts while it is held: line 1 on press, 0 on release.
    void SetLine(int level);
    void RunSetup();
    void ShapeMouseDown(int tag);
    // The effect thread's event goes; the LEDs are switched off at shutdown.
    void CloseEffectEvent();

private:
    FeatureContext& context_;
};

} // namespace sound
