#include "common/DeviceIdMgr.h"

#include "common/Text.h"

namespace DEVICEID_MGR {

CDeviceIdMgr::CDeviceIdMgr(const ports::FileSystem& files) : ini_(files) {}

CDeviceIdMgr::~CDeviceIdMgr()
{
    Clear();
}

int CDeviceIdMgr::LoadFromIniFile(const std::wstring& path, const std::wstring& section)
{
    if (ini_.OpenFromFile(path) != 0)
        return 1;
    Clear();
    if (!ini_.HasSection(section))
        return 2;

    std::vector<std::wstring> names;
    ini_.GetValueNames(section, names);
    if (names.empty())
        return 3;

    for (const std::wstring& name : names)
        entries_.push_back(ini_.GetValue(section, name));
    for (const std::wstring& entry : entries_) {
        const std::wstring_view pattern = TrimChars(entry, L" ");
        if (!pattern.empty())
            accepted_.emplace(pattern);
    }
    return 0;
}

int CDeviceIdMgr::SaveToRegistry(ports::Registry& registry, const std::wstring& groupName) const
{
    const ports::CreatedKey opened =
        registry.CreateKey(ports::RegistryRoot::LocalMachine, L"SOFTWARE\\" + groupName, ports::RegistryView::Bits32);
    if (!opened.key)
        return 0;
    int number = 1;
    for (const std::wstring& pattern : accepted_)
        opened.key->WriteString(std::to_wstring(number++), pattern);
    return 0;
}

bool CDeviceIdMgr::IsAcceptedDeviceId(const std::wstring& hardwareId) const
{
    const std::wstring id = ToUpperAscii(hardwareId);
    for (const std::wstring& accepted : accepted_) {
        const std::wstring pattern = ToUpperAscii(accepted);
        if (pattern.size() != id.size())
            continue;
        std::wstring masked = id;
        for (std::size_t i = 0; i < pattern.size(); ++i)
            if (pattern[i] == L'X')
                masked[i] = L'X';
        if (masked == pattern)
            return true;
    }
    return false;
}

bool CDeviceIdMgr::FindPresentDevice(const ports::DeviceEnumeration& devices, const std::wstring& hardwareIdTemplate,
                                     std::wstring& hardwareId) const
{
    return FindAmong(devices.PresentDevices(), hardwareIdTemplate, hardwareId);
}

bool CDeviceIdMgr::FindAmong(const ports::PresentDeviceList& present, const std::wstring& hardwareIdTemplate,
                             std::wstring& hardwareId) const
{
    if (!present)
        return false;
    for (const ports::PresentDevice& device : *present) {
        if (device.hardwareIds.empty())
            continue;
        const std::wstring& first = device.hardwareIds.front();
        if (first.size() != hardwareIdTemplate.size())
            continue;
        if (IsAcceptedDeviceId(first)) {
            hardwareId = first;
            return true;
        }
    }
    return false;
}

void CDeviceIdMgr::Clear()
{
    entries_.clear();
    accepted_.clear();
}

} // namespace DEVICEID_MGR
