#pragma once
// The device's Windows audio as the panel uses it: the recording device and capture endpoint that carry
// the headset's microphone, the microphone's volume, mute and boost on the endpoint or mixer back-end,
// the capture that feeds the level meter, the listen-to-this-device switch, the audio service's
// restart, the record-and-replay test and the looping test sound.

#include "device/ports/WindowsAudio.h"
#include "sound/AudioEndpointRules.h"
#include "sound/FeatureDevice.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace sound {

// The OS kind whose endpoint interface carries the microphone; any other uses the mixer.
inline constexpr int kEndpointOsKind = 6;

// A microphone operation's outcome: whether it went through, and the back-end's own result (the
// endpoint back-end's 0 or failed step or call result; the mixer's 1 done, 0 not done).
struct MicOutcome {
    bool succeeded = false;
    int result = 0;
};

enum class ServiceRestartResult : int { Ok = 0, StopRefused = 1, DidNotStop = 2, StartRefused = 3 };

inline constexpr wchar_t kRecordTestFileName[] = L"RecordTest.pcm";
inline constexpr wchar_t kTestSoundFileName[] = L"bee.wav";
inline constexpr wchar_t kAudioServiceName[] = L"audiosrv";
inline constexpr int kServiceStopQueries = 1000;

class AudioEndpoints {
public:
    AudioEndpoints(const FeatureDevice& device, ports::WindowsAudio& audio) : device_(device), audio_(audio) {}
    ~AudioEndpoints();
    AudioEndpoints(const AudioEndpoints&) = delete;
    AudioEndpoints& operator=(const AudioEndpoints&) = delete;

    void SetOsKind(int osKind) { osKind_ = osKind; }
    bool EndpointBackEnd() const { return osKind_ == kEndpointOsKind; }

    // The recording device of the device's VID and PID; its name is kept for the lookups.
    const std::wstring& SearchCaptureDevice();
    const std::wstring& CaptureDeviceName() const { return captureName_; }
    // Looks the device's capture endpoint up and keeps it until it is released; true when there is one.
    bool HasCaptureEndpoint();
    const std::optional<std::wstring>& HeldEndpoint() const { return endpoint_; }
    void ReleaseCaptureEndpoint() { endpoint_.reset(); }

    // The microphone on the back-end of the OS kind, in per cent for the volume.
    MicOutcome GetVolume(int& percent);
    MicOutcome SetVolume(int percent);
    MicOutcome GetMute(bool& muted);
    MicOutcome SetMute(bool muted);
    MicOutcome GetBoost(bool& on);
    MicOutcome SetBoost(bool on);
    // The mixer back-end alone: 1 done, 0 not done. `value` in and out; `minimum` and `maximum` of the
    // control for a volume read.
    int MixerOperation(sound::MixerOperation operation, std::int32_t& value, std::int32_t& minimum,
                       std::int32_t& maximum);

    // The meter's capture; every completed buffer goes to the sink while capture is open.
    void SetCaptureSink(std::function<void(std::span<const std::uint8_t>)> sink) { sink_ = std::move(sink); }
    void StartCapture();
    void StopCapture();
    bool CaptureRunning() const { return audio_.CaptureOpen(); }
    // The device went: its capture ends with it.
    void ForgetCaptureHandle() { StopCapture(); }

    // Every capture endpoint of the device's VID and PID: listening on or off.
    void SwitchListening(bool on);
    ServiceRestartResult RestartAudioService();

    // The record-and-replay test, in the user's temporary folder.
    bool StartRecordAndReplay();
    void ReplayTick();
    void StopRecordAndReplay();
    bool RecordAndReplayRunning() const { return audio_.Recording(); }
    std::wstring RecordTestPath() { return audio_.TemporaryFolder() + kRecordTestFileName; }

    // The looping test sound: "bee.wav" of the program folder.
    bool StartTestSound(const std::wstring& programFolder);
    void StopTestSound();
    bool TestSoundRunning() const { return testSound_; }
    // The play timer: a track that reached its end plays again.
    void TestSoundTick();
    void CloseMediaPlayer() { StopTestSound(); }

private:
    // The endpoint the microphone operations use: the one held, or one looked up for this call.
    std::optional<std::wstring> OperationEndpoint();
    MicOutcome VolumeCall(const std::function<ports::AudioResult(ports::EndpointVolume&)>& call, int failedCallResult);
    MicOutcome GainControl(bool set, bool& on);
    MicOutcome Mixer(sound::MixerOperation operation, std::int32_t& value);

    const FeatureDevice& device_;
    ports::WindowsAudio& audio_;
    int osKind_ = kEndpointOsKind;
    std::wstring captureName_;
    std::optional<std::wstring> endpoint_;
    std::function<void(std::span<const std::uint8_t>)> sink_;
    bool testSound_ = false;
};

} // namespace sound
