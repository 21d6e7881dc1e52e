#pragma once
// The device's Windows audio endpoints as the panel uses them: the capture endpoint for the microphone
// meter and probe, and the looping test sound.

#include "sound/FeatureDevice.h"

namespace sound {

class AudioEndpoints {
public:
    explicit AudioEndpoints(const FeatureDevice& device) : device_(device) {}

    bool HasCaptureEndpoint() const;
    void StartCapture();
    void StopCapture();
    bool CaptureRunning() const;
    void ReleaseCaptureEndpoint();
    void ForgetCaptureHandle();
    bool TestSoundRunning() const;
    void CloseMediaPlayer();

private:
    [[maybe_unused]] const FeatureDevice& device_; // the device work comes with the feature
};

} // namespace sound
