#include "platform/memory/MemoryWindowsAudio.h"

#include <algorithm>

namespace memory {

namespace {

class Volume final : public ports::EndpointVolume {
public:
    Volume(ScriptedVolume& script, int& muteSets) : script_(script), muteSets_(muteSets) {}

    ports::AudioResult GetVolumeStepInfo(std::uint32_t& step, std::uint32_t& stepCount) override
    {
        if (ports::AudioSucceeded(script_.stepInfoResult)) {
            step = script_.step;
            stepCount = script_.stepCount;
        }
        return script_.stepInfoResult;
    }
    ports::AudioResult SetMasterVolumeLevelScalar(float level) override
    {
        if (!ports::AudioSucceeded(script_.setLevelResult))
            return script_.setLevelResult;
        script_.level = level;
        // The endpoint's steps follow the level, as Windows rounds it to the nearest step.
        if (script_.stepCount > 1)
            script_.step = static_cast<std::uint32_t>(level * static_cast<float>(script_.stepCount - 1) + 0.5f);
        return ports::kAudioOk;
    }
    ports::AudioResult GetMute(bool& muted) override
    {
        if (ports::AudioSucceeded(script_.muteResult))
            muted = script_.muted;
        return script_.muteResult;
    }
    ports::AudioResult SetMute(bool muted) override
    {
        ++muteSets_;
        if (script_.muteFailures > 0) {
            --script_.muteFailures;
            return static_cast<ports::AudioResult>(0x80004005); // E_FAIL
        }
        if (ports::AudioSucceeded(script_.muteResult))
            script_.muted = muted;
        return script_.muteResult;
    }

private:
    ScriptedVolume& script_;
    int& muteSets_;
};

class Mixer final : public ports::MixerDevice {
public:
    Mixer(ScriptedMixer& script, int& open) : script_(script), open_(open) { ++open_; }
    ~Mixer() override { --open_; }
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    bool WaveInDestination(ports::MixerLineEntry& line) override
    {
        if (!script_.waveIn)
            return false;
        line = script_.waveIn->line;
        return true;
    }
    bool SourceLine(std::uint32_t, std::uint32_t source, ports::MixerLineEntry& line) override
    {
        if (source >= script_.sources.size())
            return false;
        line = script_.sources[source].line;
        return true;
    }
    bool ControlByType(std::uint32_t lineId, std::uint32_t controlType, ports::MixerControlEntry& control) override
    {
        const ScriptedMixerLine* owner = nullptr;
        if (script_.waveIn && script_.waveIn->line.lineId == lineId)
            owner = &*script_.waveIn;
        for (const ScriptedMixerLine& source : script_.sources)
            if (source.line.lineId == lineId)
                owner = &source;
        if (owner == nullptr)
            return false;
        const auto found = std::ranges::find(owner->controls, controlType, &ports::MixerControlEntry::controlType);
        if (found == owner->controls.end())
            return false;
        control = *found;
        return true;
    }
    bool ReadValue(const ports::MixerControlEntry& control, std::int32_t& value) override
    {
        if (script_.readFails)
            return false;
        value = script_.values[control.controlId];
        return true;
    }
    bool WriteValue(const ports::MixerControlEntry& control, std::int32_t value) override
    {
        if (script_.writeFails)
            return false;
        script_.values[control.controlId] = value;
        return true;
    }

private:
    ScriptedMixer& script_;
    int& open_;
};

} // namespace

std::unique_ptr<ports::EndpointVolume> MemoryWindowsAudio::ActivateVolume(const std::wstring& endpointId)
{
    const auto found = volumes.find(endpointId);
    if (found == volumes.end() || !found->second.activates)
        return nullptr;
    return std::make_unique<Volume>(found->second, muteSets);
}

ports::GainControlOutcome MemoryWindowsAudio::AutoGainControl(const std::wstring& endpointId, bool set, bool& enabled)
{
    const auto found = gainControls.find(endpointId);
    if (found == gainControls.end())
        return {static_cast<int>(ports::GainControlWalk::Topology), ports::kAudioOk};
    ScriptedGainControl& control = found->second;
    if (control.failedStep != 0 || !ports::AudioSucceeded(control.result))
        return {control.failedStep, control.result};
    if (set)
        control.enabled = enabled;
    else
        enabled = control.enabled;
    return {0, ports::kAudioOk};
}

std::unique_ptr<ports::MixerDevice> MemoryWindowsAudio::OpenMixer(std::uint32_t index)
{
    if (index >= mixers.size() || !mixers[index].opens)
        return nullptr;
    auto mixer = std::make_unique<Mixer>(mixers[index], openMixers);
    mostOpenMixers = std::max(mostOpenMixers, openMixers);
    return mixer;
}

bool MemoryWindowsAudio::StartCapture(std::function<void(std::span<const std::uint8_t>)> completed)
{
    if (!captureOpens || capture_)
        return false;
    ++captureStarts;
    capture_ = std::move(completed);
    return true;
}

void MemoryWindowsAudio::StopCapture()
{
    capture_ = nullptr;
}

bool MemoryWindowsAudio::Deliver(std::span<const std::uint8_t> buffer)
{
    if (!capture_)
        return false;
    // The receiver may stop capture while it handles the buffer.
    const auto completed = capture_;
    completed(buffer);
    return true;
}

bool MemoryWindowsAudio::StartRecording(const std::wstring& file)
{
    if (!recordingOpens || Recording())
        return false;
    recordingFile = file;
    return true;
}

void MemoryWindowsAudio::Replay()
{
    if (Recording())
        ++replays;
}

void MemoryWindowsAudio::StopRecording()
{
    if (!Recording())
        return;
    deletedRecordings.push_back(recordingFile);
    recordingFile.clear();
}

bool MemoryWindowsAudio::WriteListenValues(const std::wstring& subkey, std::span<const std::uint8_t> value)
{
    if (value.size() != 16)
        return false;
    std::ranges::copy(value, listenValues[subkey].begin());
    return true;
}

bool MemoryWindowsAudio::OpenMedia(const std::wstring& file)
{
    if (!mediaOpens)
        return false;
    mediaFile = file;
    return true;
}

bool MemoryWindowsAudio::PlayMedia()
{
    if (mediaFile.empty())
        return false;
    ++mediaPlays;
    mediaAtEnd = false;
    return true;
}

} // namespace memory
