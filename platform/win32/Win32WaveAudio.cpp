// The wave and mixer part of the Windows audio port: the legacy mixer's lines and controls, the meter's
// capture delivered to the window, and the record-and-replay test on wave input and output.

#include "platform/win32/Win32WindowsAudio.h"

#include "platform/win32/Handles.h"

#include <algorithm>

namespace win32 {

namespace {

constexpr DWORD kCaptureRate = 8000;
constexpr std::size_t kCaptureBytes = 400;
constexpr std::size_t kRecordingBytes = 1048576;
constexpr DWORD kRecordingBytesPerSecond = 16000;

WAVEFORMATEX PcmFormat(WORD bitsPerSample)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kCaptureRate;
    format.wBitsPerSample = bitsPerSample;
    format.nBlockAlign = static_cast<WORD>(bitsPerSample / 8);
    format.nAvgBytesPerSec = kCaptureRate * format.nBlockAlign;
    return format;
}

// The name as the ANSI code page has it, read back: how the mixer's device and DirectSound's compare.
bool ThroughAnsi(const wchar_t* name, std::wstring& converted)
{
    char ansi[MAXPNAMELEN * 2] = {};
    const int length = ::WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), nullptr, nullptr);
    if (length <= 0)
        return false;
    wchar_t wide[MAXPNAMELEN * 2] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, MAXPNAMELEN * 2) <= 0)
        return false;
    converted = wide;
    return true;
}

class Win32Mixer final : public ports::MixerDevice {
public:
    explicit Win32Mixer(HMIXER mixer) : mixer_(mixer) {}
    ~Win32Mixer() override { ::mixerClose(mixer_); }
    Win32Mixer(const Win32Mixer&) = delete;
    Win32Mixer& operator=(const Win32Mixer&) = delete;

    bool WaveInDestination(ports::MixerLineEntry& line) override
    {
        MIXERLINEW info{};
        info.cbStruct = sizeof(info);
        info.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        return Read(info, MIXER_GETLINEINFOF_COMPONENTTYPE, line);
    }
    bool SourceLine(std::uint32_t destination, std::uint32_t source, ports::MixerLineEntry& line) override
    {
        MIXERLINEW info{};
        info.cbStruct = sizeof(info);
        info.dwDestination = destination;
        info.dwSource = source;
        return Read(info, MIXER_GETLINEINFOF_SOURCE, line);
    }
    bool ControlByType(std::uint32_t lineId, std::uint32_t controlType, ports::MixerControlEntry& control) override
    {
        MIXERCONTROLW found{};
        found.cbStruct = sizeof(found);
        MIXERLINECONTROLSW controls{};
        controls.cbStruct = sizeof(controls);
        controls.dwLineID = lineId;
        controls.dwControlType = controlType;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof(found);
        controls.pamxctrl = &found;
        if (::mixerGetLineControlsW(Object(), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
            MMSYSERR_NOERROR)
            return false;
        control = {found.dwControlID, found.dwControlType, static_cast<std::int32_t>(found.Bounds.dwMinimum),
                   static_cast<std::int32_t>(found.Bounds.dwMaximum)};
        return true;
    }
    bool ReadValue(const ports::MixerControlEntry& control, std::int32_t& value) override
    {
        MIXERCONTROLDETAILS_SIGNED detail{};
        MIXERCONTROLDETAILS details = Details(control, detail);
        if (::mixerGetControlDetailsW(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
            MMSYSERR_NOERROR)
            return false;
        value = detail.lValue;
        return true;
    }
    bool WriteValue(const ports::MixerControlEntry& control, std::int32_t value) override
    {
        MIXERCONTROLDETAILS_SIGNED detail{value};
        MIXERCONTROLDETAILS details = Details(control, detail);
        return ::mixerSetControlDetails(Object(), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
               MMSYSERR_NOERROR;
    }

private:
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(mixer_); }

    bool Read(MIXERLINEW& info, DWORD how, ports::MixerLineEntry& line)
    {
        if (::mixerGetLineInfoW(Object(), &info, MIXER_OBJECTF_HMIXER | how) != MMSYSERR_NOERROR)
            return false;
        line = {info.dwDestination, info.dwSource, info.dwLineID, info.dwComponentType, info.cConnections, {}};
        return ThroughAnsi(info.Target.szPname, line.targetProductName);
    }

    // One 32-bit value of one channel.
    static MIXERCONTROLDETAILS Details(const ports::MixerControlEntry& control, MIXERCONTROLDETAILS_SIGNED& detail)
    {
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof(details);
        details.dwControlID = control.controlId;
        details.cChannels = 1;
        details.cbDetails = sizeof(detail);
        details.paDetails = &detail;
        return details;
    }

    HMIXER mixer_;
};

} // namespace

// The meter's capture: the device and its two buffers, which stay where they are while queued.
struct Win32WindowsAudio::Capture {
    HWAVEIN device = nullptr;
    std::array<std::array<std::uint8_t, kCaptureBytes>, 2> buffers{};
    std::array<WAVEHDR, 2> headers{};
    std::function<void(std::span<const std::uint8_t>)> completed;

    ~Capture()
    {
        if (device == nullptr)
            return;
        ::waveInStop(device);
        ::waveInReset(device);
        for (WAVEHDR& header : headers)
            if (header.dwFlags & WHDR_PREPARED)
                ::waveInUnprepareHeader(device, &header, sizeof(header));
        ::waveInClose(device);
    }
};

// The record-and-replay test: one recording buffer, read by the replay while it fills.
struct Win32WindowsAudio::Recorder {
    KernelHandle event;
    HWAVEIN input = nullptr;
    HWAVEOUT output = nullptr;
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kRecordingBytes);
    WAVEHDR inputHeader{};
    WAVEHDR outputHeader{};
    std::wstring file;
    FileHandle fileHandle;

    // The off steps, however the test ends: recording stops and what it got goes to the file, the
    // replay stops, and the file is deleted.
    ~Recorder()
    {
        if (input != nullptr) {
            ::waveInStop(input);
            ::waveInReset(input);
            if (inputHeader.dwFlags & WHDR_PREPARED)
                ::waveInUnprepareHeader(input, &inputHeader, sizeof(inputHeader));
            ::waveInClose(input);
        }
        if (fileHandle) {
            DWORD written = 0;
            ::WriteFile(fileHandle.Get(), buffer.data(), std::min<DWORD>(inputHeader.dwBytesRecorded, kRecordingBytes),
                        &written, nullptr);
            fileHandle.Reset();
        }
        EndReplay();
        if (!file.empty())
            ::DeleteFileW(file.c_str());
    }

    void EndReplay()
    {
        if (output == nullptr)
            return;
        ::waveOutReset(output);
        if (outputHeader.dwFlags & WHDR_PREPARED)
            ::waveOutUnprepareHeader(output, &outputHeader, sizeof(outputHeader));
        ::waveOutClose(output);
        output = nullptr;
    }
};

Win32WindowsAudio::Win32WindowsAudio(HWND window, ports::DebugOutput& debug) : window_(window), debug_(debug) {}

Win32WindowsAudio::~Win32WindowsAudio()
{
    StopRecording();
    StopCapture();
    CloseMedia();
}

std::uint32_t Win32WindowsAudio::MixerCount()
{
    return ::mixerGetNumDevs();
}

std::unique_ptr<ports::MixerDevice> Win32WindowsAudio::OpenMixer(std::uint32_t index)
{
    HMIXER mixer = nullptr;
    const MMRESULT result = ::mixerOpen(&mixer, index, 0, 0, MIXER_OBJECTF_MIXER);
    if (result != MMSYSERR_NOERROR) {
        ReportError(debug_, L"mixerOpen", result);
        return nullptr;
    }
    return std::make_unique<Win32Mixer>(mixer);
}

bool Win32WindowsAudio::StartCapture(std::function<void(std::span<const std::uint8_t>)> completed)
{
    if (capture_)
        return true;
    auto capture = std::make_unique<Capture>();
    capture->completed = std::move(completed);
    const WAVEFORMATEX format = PcmFormat(8);
    MMRESULT result = ::waveInOpen(&capture->device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window_), 0,
                                   CALLBACK_WINDOW);
    if (result != MMSYSERR_NOERROR) {
        capture->device = nullptr;
        ReportError(debug_, L"waveInOpen", result);
        return false;
    }
    for (std::size_t i = 0; i < capture->headers.size() && result == MMSYSERR_NOERROR; ++i) {
        WAVEHDR& header = capture->headers[i];
        header.lpData = reinterpret_cast<LPSTR>(capture->buffers[i].data());
        header.dwBufferLength = kCaptureBytes;
        header.dwLoops = 1;
        result = ::waveInPrepareHeader(capture->device, &header, sizeof(header));
        if (result == MMSYSERR_NOERROR)
            result = ::waveInAddBuffer(capture->device, &header, sizeof(header));
    }
    if (result == MMSYSERR_NOERROR)
        result = ::waveInStart(capture->device);
    if (result != MMSYSERR_NOERROR) {
        ReportError(debug_, L"waveInStart", result);
        return false; // the capture closes as it goes
    }
    capture_ = std::move(capture);
    return true;
}

void Win32WindowsAudio::StopCapture()
{
    capture_.reset();
}

void Win32WindowsAudio::OnCaptureData(WPARAM device, LPARAM header)
{
    // Buffers handed back by a reset arrive after their capture was closed; they belong to nobody.
    if (!capture_ || reinterpret_cast<HWAVEIN>(device) != capture_->device)
        return;
    auto* completed = reinterpret_cast<WAVEHDR*>(header);
    const auto ours = std::find_if(capture_->headers.begin(), capture_->headers.end(),
                                   [completed](const WAVEHDR& mine) { return &mine == completed; });
    if (ours == capture_->headers.end())
        return;
    const Capture* before = capture_.get();
    const auto length = std::min<std::size_t>(completed->dwBytesRecorded, kCaptureBytes);
    capture_->completed(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(completed->lpData), length));
    // The receiver may have closed capture meanwhile; only an open one takes the buffer back.
    if (capture_.get() == before)
        ::waveInAddBuffer(capture_->device, completed, sizeof(WAVEHDR));
}

bool Win32WindowsAudio::StartRecording(const std::wstring& file)
{
    if (recorder_)
        return true;
    auto recording = std::make_unique<Recorder>();
    recording->event = KernelHandle(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!recording->event) {
        ReportLastError(debug_, L"CreateEventW");
        return false;
    }
    const WAVEFORMATEX format = PcmFormat(16);
    MMRESULT result = ::waveInOpen(&recording->input, WAVE_MAPPER, &format,
                                   reinterpret_cast<DWORD_PTR>(recording->event.Get()), 0, CALLBACK_EVENT);
    if (result != MMSYSERR_NOERROR) {
        recording->input = nullptr;
        ReportError(debug_, L"waveInOpen", result);
        return false;
    }
    recording->fileHandle =
        FileHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!recording->fileHandle)
        ReportLastError(debug_, L"CreateFileW");
    else
        recording->file = file;
    WAVEHDR& header = recording->inputHeader;
    header.lpData = reinterpret_cast<LPSTR>(recording->buffer.data());
    header.dwBufferLength = kRecordingBytes;
    header.dwLoops = 1;
    result = ::waveInPrepareHeader(recording->input, &header, sizeof(header));
    if (result == MMSYSERR_NOERROR)
        result = ::waveInAddBuffer(recording->input, &header, sizeof(header));
    if (result == MMSYSERR_NOERROR)
        result = ::waveInStart(recording->input);
    if (result != MMSYSERR_NOERROR) {
        ReportError(debug_, L"waveInStart", result);
        return false;
    }
    recorder_ = std::move(recording);
    return true;
}

void Win32WindowsAudio::Replay()
{
    if (!recorder_)
        return;
    Recorder& recording = *recorder_;
    recording.EndReplay();
    // The last second recorded so far is played: heard again a second later, it follows the microphone.
    MMTIME position{};
    position.wType = TIME_BYTES;
    if (::waveInGetPosition(recording.input, &position, sizeof(position)) != MMSYSERR_NOERROR ||
        position.wType != TIME_BYTES)
        return;
    const DWORD end = std::min<DWORD>(position.u.cb & ~DWORD{1}, kRecordingBytes);
    const DWORD begin = end > kRecordingBytesPerSecond ? end - kRecordingBytesPerSecond : 0;
    if (end == begin)
        return;
    const WAVEFORMATEX format = PcmFormat(16);
    const MMRESULT opened = ::waveOutOpen(&recording.output, WAVE_MAPPER, &format,
                                          reinterpret_cast<DWORD_PTR>(recording.event.Get()), 0, CALLBACK_EVENT);
    if (opened != MMSYSERR_NOERROR) {
        recording.output = nullptr;
        ReportError(debug_, L"waveOutOpen", opened);
        return;
    }
    recording.outputHeader = {};
    recording.outputHeader.lpData = reinterpret_cast<LPSTR>(recording.buffer.data() + begin);
    recording.outputHeader.dwBufferLength = end - begin;
    recording.outputHeader.dwLoops = 1;
    if (::waveOutPrepareHeader(recording.output, &recording.outputHeader, sizeof(WAVEHDR)) == MMSYSERR_NOERROR)
        ::waveOutWrite(recording.output, &recording.outputHeader, sizeof(WAVEHDR));
}

void Win32WindowsAudio::StopRecording()
{
    recorder_.reset();
}

} // namespace win32
