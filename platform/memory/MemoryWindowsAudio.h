#pragma once
// Windows audio held in memory: a test scripts the recording devices, the capture endpoints with their
// volume steps, mute and gain control, the mixers with their lines and controls, and feeds captured
// buffers; it reads back what the panel set, recorded, played and wrote.

#include "device/ports/WindowsAudio.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace memory {

struct ScriptedVolume {
    bool activates = true;
    std::uint32_t step = 0;
    std::uint32_t stepCount = 101;
    float level = 0.0f;
    bool muted = false;
    ports::AudioResult stepInfoResult = ports::kAudioOk;
    ports::AudioResult setLevelResult = ports::kAudioOk;
    ports::AudioResult muteResult = ports::kAudioOk;
    int muteFailures = 0; // the next sets of mute that fail, before they go through
};

struct ScriptedGainControl {
    bool enabled = false;
    int failedStep = 0; // 2-10: the walk stops there
    ports::AudioResult result = ports::kAudioOk;
};

struct ScriptedMixerLine {
    ports::MixerLineEntry line;
    std::vector<ports::MixerControlEntry> controls;
};

struct ScriptedMixer {
    bool opens = true;
    std::optional<ScriptedMixerLine> waveIn; // none: the destination cannot be read
    std::vector<ScriptedMixerLine> sources;
    std::map<std::uint32_t, std::int32_t> values; // by control ID
    bool readFails = false;
    bool writeFails = false;
};

class MemoryWindowsAudio final : public ports::WindowsAudio {
public:
    std::vector<ports::CaptureDeviceEntry> CaptureDevices() override { return captureDevices; }
    std::vector<ports::CaptureEndpointEntry> ActiveCaptureEndpoints() override { return endpoints; }
    std::unique_ptr<ports::EndpointVolume> ActivateVolume(const std::wstring& endpointId) override;
    ports::GainControlOutcome AutoGainControl(const std::wstring& endpointId, bool set, bool& enabled) override;

    std::uint32_t MixerCount() override { return static_cast<std::uint32_t>(mixers.size()); }
    std::unique_ptr<ports::MixerDevice> OpenMixer(std::uint32_t index) override;

    bool StartCapture(std::function<void(std::span<const std::uint8_t>)> completed) override;
    void StopCapture() override;
    bool CaptureOpen() const override { return static_cast<bool>(capture_); }

    bool StartRecording(const std::wstring& file) override;
    void Replay() override;
    void StopRecording() override;
    bool Recording() const override { return !recordingFile.empty(); }
    std::wstring TemporaryFolder() override { return temporaryFolder; }

    std::vector<ports::ListenEndpointEntry> ListenEndpoints() override { return listenEndpoints; }
    bool WriteListenValues(const std::wstring& subkey, std::span<const std::uint8_t> value) override;

    bool OpenMedia(const std::wstring& file) override;
    bool PlayMedia() override;
    bool MediaAtEnd() override { return mediaAtEnd; }
    void CloseMedia() override { mediaFile.clear(); }

    // A completed capture buffer, as the window would hand it over; false while capture is closed.
    bool Deliver(std::span<const std::uint8_t> buffer);

    // Script.
    std::vector<ports::CaptureDeviceEntry> captureDevices;
    std::vector<ports::CaptureEndpointEntry> endpoints;
    std::map<std::wstring, ScriptedVolume> volumes;          // by endpoint ID
    std::map<std::wstring, ScriptedGainControl> gainControls; // by endpoint ID
    std::vector<ScriptedMixer> mixers;
    bool captureOpens = true;
    bool recordingOpens = true;
    std::wstring temporaryFolder = L"C:\\Users\\user\\AppData\\Local\\Temp\\";
    std::vector<ports::ListenEndpointEntry> listenEndpoints;
    bool mediaOpens = true;
    bool mediaAtEnd = false;

    // Record.
    int captureStarts = 0;
    int muteSets = 0;
    int openMixers = 0;     // mixers open now
    int mostOpenMixers = 0; // mixers open at the same time, at most
    std::wstring recordingFile; // while recording
    std::vector<std::wstring> deletedRecordings;
    int replays = 0;
    std::map<std::wstring, std::array<std::uint8_t, 16>> listenValues; // by endpoint subkey
    std::wstring mediaFile; // while open
    int mediaPlays = 0;

private:
    std::function<void(std::span<const std::uint8_t>)> capture_;
};

} // namespace memory
