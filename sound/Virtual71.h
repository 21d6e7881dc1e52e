#pragma once
// Virtual 7.1 surround: the speaker ring, its motion and the speaker block sent to the device (the
// Virtual 7.1 page).

#include "sound/FeatureContext.h"

#include <cstdint>

namespace sound {

class Virtual71 {
public:
    explicit Virtual71(FeatureContext& context) : context_(context) {}

    void InitialiseRing();
    // After the enable button switched: send it, with the rules against 3D.
    void EnableSwitched();
    void ResetClick();
    // A rotate, narrow or enlarge button (tags 49, 50, 52, 53) starts or stops the ring's motion.
    void MotionButtonPressed(int tag);
    // A speaker was dragged to a new place: the motion stops and the ring is sent.
    void SpeakerMoved(const form::Control& speaker);
    // The ring animation's tick (`Timer`).
    void TimerTick();
    // After a skin change: the speakers keep their places relative to the ring.
    void RescaleSpeakers(int previousRadius, int newRadius);

    int Enabled() const { return context_.states.cells.virtualEnable; }
    void SetEnabled(int enabled) { context_.states.cells.virtualEnable = enabled != 0 ? 1 : 0; }
    int DefaultProfileSwitch() const;
    // Shows the enable button in the present state.
    void ShowSwitch();
    // The SDK's results: 0 success.
    std::int32_t SendOnOff(int on);
    std::int32_t SendParameters(int enable);
    std::int32_t SendScalar();
    void ApplyDefaultProfilePart();

private:
    FeatureContext& context_;
};

} // namespace sound
