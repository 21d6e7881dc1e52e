#include "platform/win32/Win32DeviceEnumeration.h"

#include <windows.h>
#include <initguid.h>
#include <setupapi.h>

namespace win32 {

namespace {

// The kernel-streaming audio category. It is passed along as the device search always did; with
// DIGCF_ALLCLASSES it does not narrow the list.
DEFINE_GUID(kKsCategoryAudio, 0x6994AD04, 0x93EF, 0x11D0, 0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96);

class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : list_(list) {}
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    ~DeviceInfoList()
    {
        if (Valid())
            ::SetupDiDestroyDeviceInfoList(list_);
    }
    bool Valid() const { return list_ != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return list_; }

private:
    HDEVINFO list_;
};

// The REG_MULTI_SZ hardware-ID property split into its strings; empty when the device has none.
std::vector<std::wstring> HardwareIds(HDEVINFO list, SP_DEVINFO_DATA& device)
{
    DWORD size = 0;
    ::SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, nullptr, nullptr, 0, &size);
    if (size == 0)
        return {};
    // Room for two terminating zeros even when the property lacks them.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (!::SetupDiGetDeviceRegistryPropertyW(list, &device, SPDRP_HARDWAREID, nullptr,
                                             reinterpret_cast<BYTE*>(buffer.data()), size, nullptr))
        return {};
    std::vector<std::wstring> ids;
    for (const wchar_t* id = buffer.data(); *id != L'\0'; id += wcslen(id) + 1)
        ids.emplace_back(id);
    return ids;
}

} // namespace

std::optional<std::vector<ports::PresentDevice>> Win32DeviceEnumeration::PresentDevices() const
{
    const DeviceInfoList list(
        ::SetupDiGetClassDevsW(&kKsCategoryAudio, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES));
    if (!list.Valid()) {
        ReportLastError(debug_, L"SetupDiGetClassDevsW");
        return std::nullopt;
    }

    std::vector<ports::PresentDevice> devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index)
        devices.push_back({HardwareIds(list.Get(), device)});
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_ITEMS)
        ReportError(debug_, L"SetupDiEnumDeviceInfo", error);
    return devices;
}

} // namespace win32
