#pragma once
// Windows' audio as the panel uses it directly: the recording devices of DirectSound and of the
// endpoint interface (with an endpoint's volume, mute and automatic gain control), the legacy mixer,
// the microphone capture that feeds the level meter, the record-and-replay test, the capture
// endpoints' listen-to-this-device values in the registry, and a media player for the test sound.
// Every call runs on the GUI thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ports {

// One recording device as DirectSound enumerates it.
struct CaptureDeviceEntry {
    std::wstring description;
    std::wstring interfacePath; // the device interface path of the device behind it
    bool primary = false;       // the "primary capture driver" entry, which names no device
};

// One active capture endpoint of the endpoint interface, in Windows' order.
struct CaptureEndpointEntry {
    std::wstring id; // opens the endpoint again
    std::wstring friendlyName;
};

// The HRESULT of an endpoint call: 0 (S_OK) and other non-negative values are success.
using AudioResult = std::int32_t;
inline constexpr AudioResult kAudioOk = 0;
inline bool AudioSucceeded(AudioResult result)
{
    return result >= 0;
}

// An endpoint's IAudioEndpointVolume, released when the object goes.
class EndpointVolume {
public:
    virtual ~EndpointVolume() = default;
    virtual AudioResult GetVolumeStepInfo(std::uint32_t& step, std::uint32_t& stepCount) = 0;
    virtual AudioResult SetMasterVolumeLevelScalar(float level) = 0;
    virtual AudioResult GetMute(bool& muted) = 0;
    virtual AudioResult SetMute(bool muted) = 0;
};

// The steps of the walk from a capture endpoint to its automatic gain control; a failed step's result
// names it.
enum class GainControlWalk : int {
    Enumerator = 2,
    Topology = 3,
    Connector = 4,
    ConnectedId = 5,
    Device = 6,
    DeviceTopology = 7,
    SubunitCount = 8,
    Subunit = 9,
    Part = 10,
};

// What a walk to the automatic gain control gave: `failedStep` (0 when the walk itself went through)
// or the last activation's (or the get/set call's) own result.
struct GainControlOutcome {
    int failedStep = 0;
    AudioResult result = kAudioOk;
};

// A line of a mixer device (MIXERLINE): the destination is the wave-in destination, a source one of
// its inputs.
struct MixerLineEntry {
    std::uint32_t destination = 0; // the destination's index
    std::uint32_t source = 0;      // the source's index (sources only)
    std::uint32_t lineId = 0;
    std::uint32_t componentType = 0;
    std::uint32_t sourceCount = 0;  // destinations only
    std::wstring targetProductName; // the device the line belongs to
};

// A control of a line (MIXERCONTROL), found by its type.
struct MixerControlEntry {
    std::uint32_t controlId = 0;
    std::uint32_t controlType = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// One opened mixer device, closed when the object goes.
class MixerDevice {
public:
    virtual ~MixerDevice() = default;
    // The destination line of component type MIXERLINE_COMPONENTTYPE_DST_WAVEIN; false when it cannot
    // be read.
    virtual bool WaveInDestination(MixerLineEntry& line) = 0;
    virtual bool SourceLine(std::uint32_t destination, std::uint32_t source, MixerLineEntry& line) = 0;
    virtual bool ControlByType(std::uint32_t lineId, std::uint32_t controlType, MixerControlEntry& control) = 0;
    // One 32-bit value of one channel.
    virtual bool ReadValue(const MixerControlEntry& control, std::int32_t& value) = 0;
    virtual bool WriteValue(const MixerControlEntry& control, std::int32_t value) = 0;
};

// One capture endpoint's key under "...\MMDevices\Audio\Capture" and the device path it names.
struct ListenEndpointEntry {
    std::wstring subkey;
    std::wstring devicePath; // empty when the endpoint names none
};

class WindowsAudio {
public:
    virtual ~WindowsAudio() = default;

    // DirectSound's recording devices, in its order.
    virtual std::vector<CaptureDeviceEntry> CaptureDevices() = 0;
    // The active capture endpoints with their friendly names; none when the enumerator cannot be made.
    virtual std::vector<CaptureEndpointEntry> ActiveCaptureEndpoints() = 0;
    // The endpoint's volume interface; null when it cannot be activated.
    virtual std::unique_ptr<EndpointVolume> ActivateVolume(const std::wstring& endpointId) = 0;
    // Reads (`set` false) or writes (`set` true) the endpoint's automatic gain control.
    virtual GainControlOutcome AutoGainControl(const std::wstring& endpointId, bool set, bool& enabled) = 0;

    virtual std::uint32_t MixerCount() = 0;
    // Null when the mixer cannot be opened.
    virtual std::unique_ptr<MixerDevice> OpenMixer(std::uint32_t index) = 0;

    // Opens the default recording device for 8000 samples per second, 8 bits, one channel, and keeps
    // two buffers of 400 bytes queued; each completed buffer reaches `completed` on the GUI thread (as
    // the window's MM_WIM_DATA) and is queued again afterwards while capture stays open. False when the
    // device cannot be opened; nothing runs then.
    virtual bool StartCapture(std::function<void(std::span<const std::uint8_t>)> completed) = 0;
    // Stops, resets and closes the device; buffers still on their way are dropped.
    virtual void StopCapture() = 0;
    virtual bool CaptureOpen() const = 0;

    // The record-and-replay test: records 16-bit mono at 8000 samples per second into a buffer of
    // 1048576 bytes, for `file`. False when the recording device cannot be opened.
    virtual bool StartRecording(const std::wstring& file) = 0;
    // Plays the recording buffer on the default output device (the previous replay ends first).
    virtual void Replay() = 0;
    // Stops and closes recording, writes what was recorded to the file and closes it, stops and closes
    // the replay, and deletes the file.
    virtual void StopRecording() = 0;
    virtual bool Recording() const = 0;
    // The user's folder for temporary files, with its trailing "\".
    virtual std::wstring TemporaryFolder() = 0;

    // The capture endpoints' keys in the registry's native view.
    virtual std::vector<ListenEndpointEntry> ListenEndpoints() = 0;
    // Writes the two listen values of the endpoint's "Properties" key, then flushes it.
    virtual bool WriteListenValues(const std::wstring& subkey, std::span<const std::uint8_t> value) = 0;

    // The test sound's media player.
    virtual bool OpenMedia(const std::wstring& file) = 0;
    virtual bool PlayMedia() = 0; // from the start
    virtual bool MediaAtEnd() = 0; // its position equals its length
    virtual void CloseMedia() = 0;
};

} // namespace ports
