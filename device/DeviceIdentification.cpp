#include "device/DeviceIdentification.h"

#include "common/DeviceIdMgr.h"
#include "common/Text.h"

#include <optional>

namespace device {

namespace {

// The number after the first of the two markers that occurs; nullopt when neither does.
std::optional<std::uint16_t> NumberAfter(std::wstring_view text, std::wstring_view marker,
                                         std::wstring_view alternative)
{
    auto at = text.find(marker);
    if (at == std::wstring_view::npos)
        at = text.find(alternative);
    if (at == std::wstring_view::npos)
        return std::nullopt;
    const std::wstring_view digits = text.substr(at + marker.size(), 4);
    unsigned value = 0;
    for (const wchar_t c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value);
}

} // namespace

DeviceIds ParseDeviceIds(std::wstring_view hardwareId)
{
    DeviceIds ids;
    const auto vid = NumberAfter(hardwareId, L"VID_", L"Vid_");
    if (!vid)
        return ids;
    ids.vid = *vid;
    ids.pid = NumberAfter(hardwareId, L"PID_", L"Pid_").value_or(0);
    return ids;
}

Identification IdentifyDevice(const ports::FileSystem& files, const ports::DeviceEnumeration& devices,
                              ports::AudioSdk& sdk, const std::wstring& configPath, int searches)
{
    Identification result;
    // A fresh manager for every search: the accepted list follows the file as it is now.
    DEVICEID_MGR::CDeviceIdMgr accepted(files);
    const bool loaded = accepted.LoadFromIniFile(configPath, DEVICEID_MGR::kUsbIdSection) == 0;
    for (int search = 0; search < searches && !result.found; ++search) {
        result.hardwareId.clear();
        result.found =
            loaded && accepted.FindPresentDevice(devices, DEVICEID_MGR::kHardwareIdTemplate, result.hardwareId);
    }
    if (!result.found)
        result.hardwareId.clear();
    result.ids = ParseDeviceIds(result.hardwareId);
    result.setActiveResult = sdk.DLLQZ_SetActive_Device(result.ids.vid, result.ids.pid);
    return result;
}

} // namespace device
