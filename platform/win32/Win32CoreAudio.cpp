// The endpoint interface's part of the Windows audio port: the active capture endpoints, an endpoint's
// volume, and the walk through the device topology to its automatic gain control. Every operation
// initialises COM for itself.

#include "platform/win32/Win32WindowsAudio.h"

#include "platform/win32/Win32Com.h"

#include <devicetopology.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <propidl.h>

namespace win32 {

namespace {

constexpr CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
constexpr IID kIDeviceTopology = {0x2A07407E, 0x6497, 0x4A18, {0x97, 0x87, 0x32, 0xF7, 0x9B, 0xD0, 0xD9, 0x8F}};
constexpr IID kIPart = {0xAE2DE0E4, 0x5BCA, 0x4F2D, {0xAA, 0x46, 0x5D, 0x13, 0xF8, 0xFD, 0xB3, 0xA9}};
constexpr IID kIAudioAutoGainControl = {0x85401FD4, 0x6DE4, 0x4B9D, {0x98, 0x69, 0x2D, 0x67, 0x53, 0xA8, 0x2F, 0x3C}};
constexpr PROPERTYKEY kFriendlyName = {{0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}},
                                       14};
// The automatic gain control as Windows lays it out: the toolchain's header gives this interface's two
// methods other parameters, which would call the wrong slots.
struct GainControlInterface : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL enable, LPCGUID eventContext) = 0;
};

// Changes carry no event context of their own.
constexpr GUID kNoContext = {};

// A string the system allocated with CoTaskMemAlloc.
class TaskString {
public:
    TaskString() = default;
    TaskString(const TaskString&) = delete;
    TaskString& operator=(const TaskString&) = delete;
    ~TaskString() { ::CoTaskMemFree(text_); }
    LPWSTR* Out() { return &text_; }
    std::wstring Text() const { return text_ != nullptr ? std::wstring(text_) : std::wstring(); }

private:
    LPWSTR text_ = nullptr;
};

HRESULT MakeEnumerator(ComRef<IMMDeviceEnumerator>& enumerator)
{
    return ::CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_ALL, kIMMDeviceEnumerator, enumerator.OutVoid());
}

class Win32EndpointVolume final : public ports::EndpointVolume {
public:
    // Empty when the endpoint or its volume cannot be had; the failure is in the debug output then.
    static std::unique_ptr<Win32EndpointVolume> Activate(const std::wstring& endpointId, ports::DebugOutput& debug)
    {
        auto volume = std::unique_ptr<Win32EndpointVolume>(new Win32EndpointVolume());
        ComRef<IMMDeviceEnumerator> enumerator;
        ComRef<IMMDevice> device;
        HRESULT result = MakeEnumerator(enumerator);
        if (SUCCEEDED(result))
            result = enumerator->GetDevice(endpointId.c_str(), device.Out());
        if (SUCCEEDED(result))
            result = device->Activate(kIAudioEndpointVolume, CLSCTX_ALL, nullptr, volume->volume_.OutVoid());
        if (FAILED(result)) {
            ReportResult(debug, L"IMMDevice::Activate(IAudioEndpointVolume)", result);
            return nullptr;
        }
        return volume;
    }

    ports::AudioResult GetVolumeStepInfo(std::uint32_t& step, std::uint32_t& stepCount) override
    {
        UINT current = 0;
        UINT count = 0;
        const HRESULT result = volume_->GetVolumeStepInfo(&current, &count);
        step = current;
        stepCount = count;
        return result;
    }
    ports::AudioResult SetMasterVolumeLevelScalar(float level) override
    {
        return volume_->SetMasterVolumeLevelScalar(level, &kNoContext);
    }
    ports::AudioResult GetMute(bool& muted) override
    {
        BOOL value = FALSE;
        const HRESULT result = volume_->GetMute(&value);
        muted = value != FALSE;
        return result;
    }
    ports::AudioResult SetMute(bool muted) override { return volume_->SetMute(muted ? TRUE : FALSE, &kNoContext); }

private:
    Win32EndpointVolume() = default;

    ComScope com_; // outlives the interface below
    ComRef<IAudioEndpointVolume> volume_;
};

ports::GainControlOutcome Failed(ports::GainControlWalk step, HRESULT result)
{
    return {static_cast<int>(step), result};
}

} // namespace

std::vector<ports::CaptureEndpointEntry> Win32WindowsAudio::ActiveCaptureEndpoints()
{
    const ComScope com;
    std::vector<ports::CaptureEndpointEntry> endpoints;
    ComRef<IMMDeviceEnumerator> enumerator;
    ComRef<IMMDeviceCollection> collection;
    HRESULT result = MakeEnumerator(enumerator);
    if (SUCCEEDED(result))
        result = enumerator->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, collection.Out());
    UINT count = 0;
    if (SUCCEEDED(result))
        result = collection->GetCount(&count);
    if (FAILED(result)) {
        ReportResult(debug_, L"IMMDeviceEnumerator::EnumAudioEndpoints", result);
        return endpoints;
    }
    for (UINT i = 0; i < count; ++i) {
        ComRef<IMMDevice> device;
        ComRef<IPropertyStore> store;
        TaskString id;
        if (FAILED(collection->Item(i, device.Out())) || FAILED(device->GetId(id.Out())) ||
            FAILED(device->OpenPropertyStore(STGM_READ, store.Out())))
            continue;
        PROPVARIANT name;
        ::PropVariantInit(&name);
        if (SUCCEEDED(store->GetValue(kFriendlyName, &name)) && name.vt == VT_LPWSTR && name.pwszVal != nullptr)
            endpoints.push_back({id.Text(), name.pwszVal});
        ::PropVariantClear(&name);
    }
    return endpoints;
}

std::unique_ptr<ports::EndpointVolume> Win32WindowsAudio::ActivateVolume(const std::wstring& endpointId)
{
    return Win32EndpointVolume::Activate(endpointId, debug_);
}

ports::GainControlOutcome Win32WindowsAudio::AutoGainControl(const std::wstring& endpointId, bool set, bool& enabled)
{
    using Step = ports::GainControlWalk;
    const ComScope com;
    ComRef<IMMDeviceEnumerator> enumerator;
    ComRef<IMMDevice> endpoint;
    HRESULT result = MakeEnumerator(enumerator);
    if (SUCCEEDED(result))
        result = enumerator->GetDevice(endpointId.c_str(), endpoint.Out());
    if (FAILED(result))
        return Failed(Step::Enumerator, result);
    ComRef<IDeviceTopology> topology;
    if (FAILED(result = endpoint->Activate(kIDeviceTopology, CLSCTX_ALL, nullptr, topology.OutVoid())))
        return Failed(Step::Topology, result);
    ComRef<IConnector> connector;
    if (FAILED(result = topology->GetConnector(0, connector.Out())))
        return Failed(Step::Connector, result);
    TaskString connectedId;
    if (FAILED(result = connector->GetDeviceIdConnectedTo(connectedId.Out())))
        return Failed(Step::ConnectedId, result);
    ComRef<IMMDevice> device;
    if (FAILED(result = enumerator->GetDevice(connectedId.Text().c_str(), device.Out())))
        return Failed(Step::Device, result);
    ComRef<IDeviceTopology> deviceTopology;
    if (FAILED(result = device->Activate(kIDeviceTopology, CLSCTX_ALL, nullptr, deviceTopology.OutVoid())))
        return Failed(Step::DeviceTopology, result);
    UINT subunits = 0;
    if (FAILED(result = deviceTopology->GetSubunitCount(&subunits)))
        return Failed(Step::SubunitCount, result);
    HRESULT activation = E_NOINTERFACE; // no subunit to ask
    for (UINT i = 0; i < subunits; ++i) {
        ComRef<ISubUnit> subunit;
        if (FAILED(result = deviceTopology->GetSubunit(i, subunit.Out())))
            return Failed(Step::Subunit, result);
        ComRef<IPart> part;
        if (FAILED(result = subunit->QueryInterface(kIPart, part.OutVoid())))
            return Failed(Step::Part, result);
        ComRef<GainControlInterface> gain;
        activation = part->Activate(CLSCTX_ALL, kIAudioAutoGainControl, gain.OutVoid());
        if (FAILED(activation))
            continue;
        if (set)
            return {0, gain->SetEnabled(enabled ? TRUE : FALSE, &kNoContext)};
        BOOL value = FALSE;
        const HRESULT read = gain->GetEnabled(&value);
        enabled = value != FALSE;
        return {0, read};
    }
    return {0, activation};
}

} // namespace win32
