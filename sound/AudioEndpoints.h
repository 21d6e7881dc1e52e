#pragma once
// The device's Windows audio endpoints as the panel uses them: the capture endpoint for the microphone
// meter and probe, and the looping test sound.

#include "sound/FeatureContext.h"

namespace sound {

class AudioEndpoints {
public:
    explicit AudioEndpoints(FeatureContext& context) : context_(context) {}

    bool HasCaptureEndpoint() const;
    void StartCapture();
    void StopCapture();
    bool CaptureRunning() const;
    void ReleaseCaptureEndpoint();
    void ForgetCaptureHandle();
    bool TestSoundRunning() const;
    void HideTestSoundImage();
    void CloseMediaPlayer();

private:
    FeatureContext& context_;
};

} // namespace sound
