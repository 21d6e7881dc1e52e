#include "sound/AudioEndpoints.h"

namespace sound {

// Windows audio comes with its own feature; until then no capture endpoint is found and no test sound
// plays.

bool AudioEndpoints::HasCaptureEndpoint() const
{
    return false;
}

void AudioEndpoints::StartCapture() {}

void AudioEndpoints::StopCapture() {}

bool AudioEndpoints::CaptureRunning() const
{
    return false;
}

void AudioEndpoints::ReleaseCaptureEndpoint() {}

void AudioEndpoints::ForgetCaptureHandle() {}

bool AudioEndpoints::TestSoundRunning() const
{
    return false;
}

void AudioEndpoints::CloseMediaPlayer() {}

} // namespace sound
