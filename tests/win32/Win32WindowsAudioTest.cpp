// The Windows audio adapter on Wine's audio. The test prefix has one recording device that records
// silence (its ALSA default is the null device), so the endpoint, its volume and mute, the capture's
// buffers at the window and the record-and-replay test can be seen working; the listen switch runs on
// endpoint keys this test creates.

#include "platform/win32/Win32WindowsAudio.h"

#include "platform/win32/Handles.h"
#include "sound/AudioEndpointRules.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A window that only receives messages, handing MM_WIM_DATA to the adapter as the panel's window does.
class CaptureWindow {
public:
    CaptureWindow()
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TonvioAudioTestWindow";
        ::RegisterClassExW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CaptureWindow() { ::DestroyWindow(window_); }
    CaptureWindow(const CaptureWindow&) = delete;
    CaptureWindow& operator=(const CaptureWindow&) = delete;

    HWND Handle() const { return window_; }
    void Serve(win32::Win32WindowsAudio& audio) { audio_ = &audio; }

    // Pumps messages until `done` holds or `timeoutMs` passed; false on the time-out.
    template <typename Done> bool PumpUntil(Done done, DWORD timeoutMs)
    {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        while (!done()) {
            if (::GetTickCount64() > end)
                return false;
            MSG message{};
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            ::Sleep(5);
        }
        return true;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<CaptureWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == MM_WIM_DATA && self != nullptr && self->audio_ != nullptr) {
            self->audio_->OnCaptureData(wParam, lParam);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    win32::Win32WindowsAudio* audio_ = nullptr;
};

class Win32WindowsAudioTest : public testing::Test {
protected:
    Win32WindowsAudioTest() { window.Serve(audio); }

    CaptureWindow window;
    win32::Win32WindowsAudio audio{window.Handle()};
};

TEST_F(Win32WindowsAudioTest, FindsTheRecordingDeviceAndItsEndpoint)
{
    const std::vector<ports::CaptureDeviceEntry> devices = audio.CaptureDevices();
    ASSERT_FALSE(devices.empty()) << "the prefix's null recording device";
    EXPECT_TRUE(std::ranges::any_of(devices, &ports::CaptureDeviceEntry::primary));
    EXPECT_TRUE(std::ranges::any_of(devices, [](const auto& device) { return !device.primary; }));
    // No USB headset here: the search finds no name, so the lookup takes the first active endpoint.
    EXPECT_EQ(sound::FindCaptureDeviceName(devices, 0x4D2F, 0x4802), L"");
    const std::vector<ports::CaptureEndpointEntry> endpoints = audio.ActiveCaptureEndpoints();
    ASSERT_FALSE(endpoints.empty());
    EXPECT_FALSE(endpoints.front().friendlyName.empty());
    EXPECT_EQ(sound::FindCaptureEndpoint(endpoints, L""), endpoints.front().id);
}

TEST_F(Win32WindowsAudioTest, EndpointVolumeAndMuteReadBackWhatWasSet)
{
    const std::vector<ports::CaptureEndpointEntry> endpoints = audio.ActiveCaptureEndpoints();
    ASSERT_FALSE(endpoints.empty());
    std::unique_ptr<ports::EndpointVolume> volume = audio.ActivateVolume(endpoints.front().id);
    ASSERT_NE(volume, nullptr);
    // Wine 8 leaves parts of the endpoint volume unimplemented (E_NOTIMPL); what it implements must
    // read back what was set.
    const auto implemented = [](ports::AudioResult result, const char* call) {
        if (!ports::AudioSucceeded(result))
            EXPECT_EQ(result, static_cast<ports::AudioResult>(E_NOTIMPL)) << call;
        std::printf("%s: 0x%08lx\n", call, static_cast<unsigned long>(result));
        return ports::AudioSucceeded(result);
    };
    std::uint32_t step = 0;
    std::uint32_t count = 0;
    if (implemented(volume->SetMasterVolumeLevelScalar(1.0f), "SetMasterVolumeLevelScalar") &&
        implemented(volume->GetVolumeStepInfo(step, count), "GetVolumeStepInfo")) {
        ASSERT_GE(count, 2u);
        EXPECT_EQ(sound::VolumeFromSteps(step, count), 100);
    }
    for (const bool muted : {true, false}) {
        bool read = !muted;
        if (implemented(volume->SetMute(muted), "SetMute") && implemented(volume->GetMute(read), "GetMute"))
            EXPECT_EQ(read, muted);
    }
    EXPECT_EQ(audio.ActivateVolume(L"{no such endpoint}"), nullptr);
}

TEST_F(Win32WindowsAudioTest, GainControlWalkNamesWhereItStops)
{
    const std::vector<ports::CaptureEndpointEntry> endpoints = audio.ActiveCaptureEndpoints();
    ASSERT_FALSE(endpoints.empty());
    bool enabled = false;
    const ports::GainControlOutcome outcome = audio.AutoGainControl(endpoints.front().id, false, enabled);
    // Whatever the system offers, a stop names its step and carries the failing call's result.
    if (outcome.failedStep != 0) {
        EXPECT_GE(outcome.failedStep, 2);
        EXPECT_LE(outcome.failedStep, 10);
        EXPECT_FALSE(ports::AudioSucceeded(outcome.result));
    }
    const ports::GainControlOutcome missing = audio.AutoGainControl(L"{no such endpoint}", false, enabled);
    EXPECT_EQ(missing.failedStep, static_cast<int>(ports::GainControlWalk::Enumerator));
}

TEST_F(Win32WindowsAudioTest, CaptureDeliversItsBuffersToTheWindowUntilStopped)
{
    std::vector<std::vector<std::uint8_t>> buffers;
    ASSERT_TRUE(audio.StartCapture([&](std::span<const std::uint8_t> samples) {
        buffers.emplace_back(samples.begin(), samples.end());
    }));
    ASSERT_TRUE(audio.CaptureOpen());
    // More buffers than the two queued: each one went back to the device after its message.
    ASSERT_TRUE(window.PumpUntil([&] { return buffers.size() >= 5; }, 10000)) << buffers.size();
    for (const auto& buffer : buffers) {
        ASSERT_EQ(buffer.size(), 400u);
        EXPECT_EQ(std::ranges::count(buffer, std::uint8_t{0x80}), 400) << "the null device records silence";
    }
    audio.StopCapture();
    EXPECT_FALSE(audio.CaptureOpen());
    const std::size_t delivered = buffers.size();
    window.PumpUntil([] { return false; }, 200);
    EXPECT_EQ(buffers.size(), delivered) << "nothing arrives from a closed capture";
}

TEST_F(Win32WindowsAudioTest, RecordAndReplayLeavesNoFileBehind)
{
    const std::wstring file = audio.TemporaryFolder() + L"RecordTest.pcm";
    ASSERT_TRUE(audio.StartRecording(file));
    EXPECT_TRUE(audio.Recording());
    EXPECT_NE(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    window.PumpUntil([] { return false; }, 300);
    audio.Replay();
    audio.Replay();
    audio.StopRecording();
    EXPECT_FALSE(audio.Recording());
    EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32WindowsAudioTest, ListenValuesGoToTheEndpointsPropertiesKey)
{
    const std::wstring subkey = L"{0.0.1.00000000}.{tonvio-listen-test}";
    const std::wstring properties = std::wstring(sound::kCaptureEndpointsKey) + L"\\" + subkey + L"\\Properties";
    HKEY created = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, properties.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                nullptr, &created, nullptr),
              ERROR_SUCCESS);
    const win32::RegistryKeyHandle key(created);
    const std::wstring path = L"{1}.USB\\VID_4d2f&PID_4802&MI_00\\7&1";
    ::RegSetValueExW(key.Get(), sound::kEndpointDevicePathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));

    const std::vector<ports::ListenEndpointEntry> endpoints = audio.ListenEndpoints();
    const auto ours = std::ranges::find(endpoints, subkey, &ports::ListenEndpointEntry::subkey);
    ASSERT_NE(ours, endpoints.end());
    EXPECT_EQ(ours->devicePath, path);

    const std::array<std::uint8_t, 16> on = sound::ListenValueBytes(true);
    ASSERT_TRUE(audio.WriteListenValues(subkey, on));
    for (const wchar_t* name : {sound::kListenValue, sound::kListenValue4}) {
        std::array<std::uint8_t, 16> read{};
        DWORD size = sizeof(read);
        DWORD type = 0;
        ASSERT_EQ(::RegQueryValueExW(key.Get(), name, nullptr, &type, read.data(), &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(size, 16u);
        EXPECT_EQ(read, on);
    }
    EXPECT_FALSE(audio.WriteListenValues(L"{no such endpoint}", on));

    HKEY capture = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, sound::kCaptureEndpointsKey, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              &capture),
              ERROR_SUCCESS);
    const win32::RegistryKeyHandle captureKey(capture);
    ::RegDeleteTreeW(captureKey.Get(), subkey.c_str());
}

TEST_F(Win32WindowsAudioTest, MixerBackEndSeesWinesMixers)
{
    // Wine's mixers are read for their wave-in destination; whichever they offer, each opens and closes.
    const std::uint32_t count = audio.MixerCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<ports::MixerDevice> mixer = audio.OpenMixer(i);
        ASSERT_NE(mixer, nullptr) << i;
        ports::MixerLineEntry line;
        if (!mixer->WaveInDestination(line))
            continue;
        EXPECT_EQ(line.componentType, sound::kMixerWaveInDestination);
        ports::MixerControlEntry control;
        if (mixer->ControlByType(line.lineId, sound::kMixerVolumeControl, control)) {
            std::int32_t value = 0;
            EXPECT_TRUE(mixer->ReadValue(control, value));
            EXPECT_TRUE(mixer->WriteValue(control, value));
        }
    }
    EXPECT_EQ(audio.OpenMixer(count), nullptr);
}

} // namespace
