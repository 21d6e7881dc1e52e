#include "device/DeviceIdentification.h"

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

namespace {

Identification Identified(bool found, std::wstring hardwareId, ports::AudioSdk& sdk)
{
    Identification result;
    result.found = found;
    if (found)
        result.hardwareId = std::move(hardwareId);
    result.ids = ParseDeviceIds(result.hardwareId);
    result.setActiveResult = sdk.DLLQZ_SetActive_Device(result.ids.vid, result.ids.pid);
    return result;
}

} // namespace

void LoadAcceptedDeviceIds(AcceptedDeviceIds& accepted, const std::wstring& configPath)
{
    accepted.loaded = accepted.ids.LoadFromIniFile(configPath, DEVICEID_MGR::kUsbIdSection) == 0;
}

Identification IdentifyDevice(const ports::FileSystem& files, const ports::DeviceEnumeration& devices,
                              ports::AudioSdk& sdk, const std::wstring& configPath, int searches)
{
    // Fresh IDs for every identification: the accepted list follows the file as it is now.
    AcceptedDeviceIds accepted(files);
    LoadAcceptedDeviceIds(accepted, configPath);
    bool found = false;
    std::wstring hardwareId;
    for (int search = 0; search < searches && !found; ++search) {
        hardwareId.clear();
        found =
            accepted.loaded && accepted.ids.FindPresentDevice(devices, DEVICEID_MGR::kHardwareIdTemplate, hardwareId);
    }
    return Identified(found, std::move(hardwareId), sdk);
}

Identification IdentifyAmong(const AcceptedDeviceIds& accepted, const ports::PresentDeviceList& present,
                             ports::AudioSdk& sdk)
{
    std::wstring hardwareId;
    const bool found =
        accepted.loaded && accepted.ids.FindAmong(present, DEVICEID_MGR::kHardwareIdTemplate, hardwareId);
    return Identified(found, std::move(hardwareId), sdk);
}

} // namespace device
