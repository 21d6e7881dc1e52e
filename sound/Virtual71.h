#pragma once
// Virtual 7.1 surround: the switch, the scale and the speaker ring sent to the device.

#include "sound/FeatureDevice.h"

#include <cstdint>

namespace sound {

// The ring's motions that the rotate, narrow and enlarge buttons start and stop.
enum class RingMotion { Clockwise, Counterclockwise, Narrow, Enlarge };

class Virtual71 {
public:
    explicit Virtual71(const FeatureDevice& device) : device_(device) {}

    int Enabled() const { return enabled_; }
    void SetEnabled(int enabled) { enabled_ = enabled != 0 ? 1 : 0; }
    // "V7ch1Scalar" of the configuration, in its own units.
    void SetScalar(float scalar) { scalar_ = scalar; }
    float Scalar() const { return scalar_; }

    void InitialiseRing();
    int DefaultProfileSwitch() const { return 0; }
    // The SDK's results, 0 for success; -1 while no SDK is bound.
    std::int32_t SendOnOff(int on);
    std::int32_t SendParameters(int enable);
    std::int32_t SendScalar();
    void ApplyDefaultProfilePart();
    // The ring's geometry and motion come with the virtual 7.1 feature.
    void Reset();
    void SpeakerMoved(int speaker, int left, int top);
    void ToggleMotion(RingMotion motion);
    // The ring animation's tick (`Timer`).
    void MotionTick();
    // After a skin change: the speakers keep their places relative to a ring of another radius.
    void RescaleRing(int previousRadius, int newRadius);

private:
    const FeatureDevice& device_;
    int enabled_ = 0;
    float scalar_ = 2.0f;
};

} // namespace sound
