#pragma once
// The Windows audio port on the system: DirectSound's capture enumeration and its private property set
// for each device's interface path, the endpoint interface (Core Audio) with its volume and the device
// topology's automatic gain control, the legacy mixer, wave input delivering its buffers to a window as
// MM_WIM_DATA, wave output for the replay, the registry's capture endpoint keys in the native view, and
// the media control interface for the test sound.

#include "device/ports/WindowsAudio.h"
#include "platform/win32/Win32Failure.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <memory>
#include <vector>

namespace win32 {

class Win32WindowsAudio final : public ports::WindowsAudio {
public:
    // Completed capture buffers are sent to `window`, which hands each MM_WIM_DATA to OnCaptureData.
    explicit Win32WindowsAudio(HWND window, ports::DebugOutput& debug = SystemDebugOutput());
    ~Win32WindowsAudio() override;
    Win32WindowsAudio(const Win32WindowsAudio&) = delete;
    Win32WindowsAudio& operator=(const Win32WindowsAudio&) = delete;

    // The window's MM_WIM_DATA: `device` and `header` as the message carries them. Buffers of a capture
    // that has been closed meanwhile are ignored.
    void OnCaptureData(WPARAM device, LPARAM header);

    std::vector<ports::CaptureDeviceEntry> CaptureDevices() override;
    std::vector<ports::CaptureEndpointEntry> ActiveCaptureEndpoints() override;
    std::unique_ptr<ports::EndpointVolume> ActivateVolume(const std::wstring& endpointId) override;
    ports::GainControlOutcome AutoGainControl(const std::wstring& endpointId, bool set, bool& enabled) override;

    std::uint32_t MixerCount() override;
    std::unique_ptr<ports::MixerDevice> OpenMixer(std::uint32_t index) override;

    bool StartCapture(std::function<void(std::span<const std::uint8_t>)> completed) override;
    void StopCapture() override;
    bool CaptureOpen() const override { return capture_ != nullptr; }

    bool StartRecording(const std::wstring& file) override;
    void Replay() override;
    void StopRecording() override;
    bool Recording() const override { return recorder_ != nullptr; }
    std::wstring TemporaryFolder() override;

    std::vector<ports::ListenEndpointEntry> ListenEndpoints() override;
    bool WriteListenValues(const std::wstring& subkey, std::span<const std::uint8_t> value) override;

    bool OpenMedia(const std::wstring& file) override;
    bool PlayMedia() override;
    bool MediaAtEnd() override;
    void CloseMedia() override;

private:
    struct Capture;
    struct Recorder;

    HWND window_;
    ports::DebugOutput& debug_;
    std::unique_ptr<Capture> capture_;
    std::unique_ptr<Recorder> recorder_;
    bool mediaOpen_ = false;
};

} // namespace win32
