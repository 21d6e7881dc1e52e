#pragma once
// Virtual 7.1 surround: the switch, the scale and the speaker ring sent to the device. The model keeps
// the eight speakers' positions; the page places the speaker images where the model says.

#include "sound/FeatureDevice.h"
#include "sound/SpeakerRing.h"

#include <cstdint>
#include <optional>
#include <string>

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
    // The old skin layout has a spot on which the chip misplaces a speaker.
    void SetOldLayout(bool oldLayout) { oldLayout_ = oldLayout; }
    // "DefaultProfile.ini" when "DefaultIni" asks the reset to take the layout from it; also gives the
    // arrival default "7ch1EN".
    void SetDefaultProfile(std::wstring path);
    int DefaultProfileSwitch() const { return defaultSwitch_; }
    void SetDefaultProfileSwitch(int value) { defaultSwitch_ = value; }
    // The switch as the last profile read left it: an arrival on the Virtual 7.1 page turns it on again.
    void RememberProfileSwitch(int value) { profileSwitch_ = value; }
    int ProfileSwitch() const { return profileSwitch_; }

    // Start-up: the skin's ring and the speakers where the form put them.
    void InitialiseRing(const SpeakerRing& ring, const SpeakerPositions& positions);
    const SpeakerRing& Ring() const { return ring_; }
    const SpeakerPositions& Positions() const { return positions_; }
    const SpeakerValues& Values() const { return values_; }
    const SpeakerPolars& Polars() const { return polars_; }
    sdk::Virtual7ch1Block Block(int enabled) const { return BuildVirtualBlock(enabled, values_, ring_.radius); }

    // The SDK's results, 0 for success; -1 while no SDK is bound.
    std::int32_t SendOnOff(int on);
    // The block with `enable`, only to an active device; 1 when the device refused it.
    std::int32_t SendParameters(int enable);
    std::int32_t SendScalar();
    // The on/off state, then the block.
    std::int32_t SendVirtual();

    // 7ch1-EN: the new state, with the values recomputed and sent to an active device.
    void SwitchedByButton(int enabled);
    // The default ring, or the layout of "DefaultProfile.ini"; sent to an active device.
    void Reset();
    // A profile's layout: recomputed and sent.
    void LoadLayout(const SpeakerPositions& positions);
    // A dragged speaker at its new place (the page already kept it inside the ring and the picture).
    void SpeakerMoved(int speaker, int left, int top);
    // A motion button: the same motion again stops it; any other replaces the one running.
    void ToggleMotion(RingMotion motion);
    std::optional<RingMotion> Motion() const { return motion_; }
    // The ring animation's tick (`Timer`); true when the speakers may have moved.
    bool MotionTick();
    // The test sound: every speaker gathers on angle 0 at `distance` (their ring kept to come back to),
    // or returns to the ring kept.
    void GatherForTestSound(double distance);
    void ReturnFromTestSound();
    // One step of the test sound's circling: every speaker where its angle puts it, then one degree on.
    void TestSoundStep();
    // The speakers' values from where they stand, sent to an active device.
    void SendFromPositions();
    // After a skin change: the speakers keep their places relative to a ring of another radius.
    void RescaleRing(const SpeakerRing& ring, int previousRadius);

private:
    void Compute(bool storePolar);
    bool ReadDefaultLayout();

    const FeatureDevice& device_;
    int enabled_ = 0;
    float scalar_ = 2.0f;
    bool oldLayout_ = false;
    std::wstring defaultProfile_;
    int defaultSwitch_ = 0;
    int profileSwitch_ = 0;
    SpeakerRing ring_;
    SpeakerPositions positions_{};
    SpeakerValues values_{};
    SpeakerPolars polars_{};
    std::optional<RingMotion> motion_;
    SpeakerPolars beforeTestSound_{};
};

} // namespace sound
