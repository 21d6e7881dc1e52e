// The Windows audio port's own parts: DirectSound's recording devices with their interface paths, the
// capture endpoints' keys in the registry, the temporary folder and the test sound's media player.

#include "platform/win32/Win32WindowsAudio.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Com.h"
#include "sound/AudioEndpointRules.h"

#include <dsconf.h>
#include <dsound.h>

#include <utility>

namespace win32 {

namespace {

constexpr CLSID kDirectSoundPrivate = {0x11AB3EC0, 0x25EC, 0x11D1, {0xA4, 0xD8, 0x00, 0xC0, 0x4F, 0xC2, 0x8A, 0xCA}};
constexpr GUID kDirectSoundDeviceProperties = {0x84624F82, 0x25EC, 0x11D1,
                                               {0xA4, 0xD8, 0x00, 0xC0, 0x4F, 0xC2, 0x8A, 0xCA}};
constexpr IID kIKsPropertySet = {0x31EFAC30, 0x515C, 0x11D0, {0xA9, 0xAA, 0x00, 0xAA, 0x00, 0x61, 0xBE, 0x93}};
constexpr IID kIClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr wchar_t kMediaAlias[] = L"TonvioTestSound";

struct Enumerated {
    bool primary;
    GUID id;
    std::wstring description;
};

BOOL CALLBACK CollectDevice(LPGUID id, LPCWSTR description, LPCWSTR, LPVOID context)
{
    auto& devices = *static_cast<std::vector<Enumerated>*>(context);
    devices.push_back({id == nullptr, id != nullptr ? *id : GUID{}, description != nullptr ? description : L""});
    return TRUE; // every device is looked at
}

// DirectSound's private property set, which knows the device interface path behind a device's GUID.
ComRef<IKsPropertySet> DevicePropertySet()
{
    ComRef<IKsPropertySet> properties;
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, LPVOID*);
    const HMODULE library = ::GetModuleHandleW(L"dsound.dll");
    const auto getClassObject =
        library != nullptr ? reinterpret_cast<GetClassObject>(
                                 reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject")))
                           : nullptr;
    ComRef<IClassFactory> factory;
    if (getClassObject != nullptr && SUCCEEDED(getClassObject(kDirectSoundPrivate, kIClassFactory, factory.OutVoid())))
        factory->CreateInstance(nullptr, kIKsPropertySet, properties.OutVoid());
    return properties;
}

std::wstring InterfacePath(IKsPropertySet* properties, const GUID& id)
{
    if (properties == nullptr)
        return {};
    DSPROPERTY_DIRECTSOUNDDEVICE_DESCRIPTION_W_DATA data{};
    data.DeviceId = id;
    ULONG returned = 0;
    if (FAILED(properties->Get(kDirectSoundDeviceProperties, DSPROPERTY_DIRECTSOUNDDEVICE_DESCRIPTION_W, nullptr, 0,
                               &data, sizeof(data), &returned)) ||
        data.Interface == nullptr)
        return {};
    return data.Interface;
}

MCIERROR Mci(const std::wstring& command, std::wstring* answer = nullptr)
{
    wchar_t text[64] = {};
    const MCIERROR error = ::mciSendStringW(command.c_str(), text, 64, nullptr);
    if (answer != nullptr)
        *answer = text;
    return error;
}

} // namespace

std::vector<ports::CaptureDeviceEntry> Win32WindowsAudio::CaptureDevices()
{
    const ComScope com;
    std::vector<Enumerated> enumerated;
    const HRESULT result = ::DirectSoundCaptureEnumerateW(&CollectDevice, &enumerated);
    if (FAILED(result))
        ReportResult(debug_, L"DirectSoundCaptureEnumerateW", result);
    const ComRef<IKsPropertySet> properties = DevicePropertySet();
    std::vector<ports::CaptureDeviceEntry> devices;
    for (const Enumerated& device : enumerated)
        devices.push_back({device.description, device.primary ? std::wstring() : InterfacePath(properties.Get(), device.id),
                           device.primary});
    return devices;
}

std::wstring Win32WindowsAudio::TemporaryFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        ReportLastError(debug_, L"GetTempPathW");
        return {};
    }
    return folder;
}

std::vector<ports::ListenEndpointEntry> Win32WindowsAudio::ListenEndpoints()
{
    std::vector<ports::ListenEndpointEntry> endpoints;
    HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, sound::kCaptureEndpointsKey, 0,
                                           KEY_READ | KEY_WOW64_64KEY, &opened);
    if (status != ERROR_SUCCESS) {
        ReportError(debug_, L"RegOpenKeyExW", static_cast<DWORD>(status));
        return endpoints;
    }
    const RegistryKeyHandle capture(opened);
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(capture.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        ports::ListenEndpointEntry endpoint{name, {}};
        HKEY properties = nullptr;
        if (::RegOpenKeyExW(capture.Get(), (endpoint.subkey + L"\\Properties").c_str(), 0,
                            KEY_QUERY_VALUE | KEY_WOW64_64KEY, &properties) == ERROR_SUCCESS) {
            const RegistryKeyHandle owned(properties);
            // The path is read into 260 bytes; a longer one is not read at all.
            wchar_t path[130] = {};
            DWORD size = sizeof(path) - sizeof(wchar_t);
            DWORD type = 0;
            if (::RegQueryValueExW(owned.Get(), sound::kEndpointDevicePathValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(path), &size) == ERROR_SUCCESS &&
                type == REG_SZ)
                endpoint.devicePath = path;
        }
        endpoints.push_back(std::move(endpoint));
    }
    return endpoints;
}

bool Win32WindowsAudio::WriteListenValues(const std::wstring& subkey, std::span<const std::uint8_t> value)
{
    HKEY opened = nullptr;
    const std::wstring path = std::wstring(sound::kCaptureEndpointsKey) + L"\\" + subkey + L"\\Properties";
    LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &opened);
    if (status != ERROR_SUCCESS) {
        ReportError(debug_, L"RegOpenKeyExW", static_cast<DWORD>(status));
        return false;
    }
    const RegistryKeyHandle key(opened);
    for (const wchar_t* name : {sound::kListenValue, sound::kListenValue4}) {
        status = ::RegSetValueExW(key.Get(), name, 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
        if (status != ERROR_SUCCESS) {
            ReportError(debug_, L"RegSetValueExW", static_cast<DWORD>(status));
            return false;
        }
    }
    ::RegFlushKey(key.Get());
    return true;
}

bool Win32WindowsAudio::OpenMedia(const std::wstring& file)
{
    CloseMedia();
    const MCIERROR error = Mci(L"open \"" + file + L"\" type waveaudio alias " + kMediaAlias);
    if (error != 0) {
        ReportError(debug_, L"mciSendStringW(open)", error);
        return false;
    }
    mediaOpen_ = true;
    return true;
}

bool Win32WindowsAudio::PlayMedia()
{
    return mediaOpen_ && Mci(std::wstring(L"play ") + kMediaAlias + L" from 0") == 0;
}

bool Win32WindowsAudio::MediaAtEnd()
{
    if (!mediaOpen_)
        return false;
    std::wstring position;
    std::wstring length;
    return Mci(std::wstring(L"status ") + kMediaAlias + L" position", &position) == 0 &&
           Mci(std::wstring(L"status ") + kMediaAlias + L" length", &length) == 0 && position == length;
}

void Win32WindowsAudio::CloseMedia()
{
    if (std::exchange(mediaOpen_, false))
        Mci(std::wstring(L"close ") + kMediaAlias);
}

} // namespace win32
