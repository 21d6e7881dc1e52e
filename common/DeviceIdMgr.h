#pragma once
// The USB devices a product accepts: device-ID patterns from a section of "AudioConfig.cfg", in which
// an "X" stands for any one character. Finds the present device that matches and publishes the lists
// in the registry for the companion service.

#include "common/Inifilemanager.h"
#include "common/ports/DeviceEnumeration.h"
#include "common/ports/FileSystem.h"
#include "common/ports/Registry.h"

#include <set>
#include <string>
#include <vector>

namespace DEVICEID_MGR {

inline constexpr wchar_t kUsbIdSection[] = L"USB_VID_PID";
inline constexpr wchar_t kHidIdSection[] = L"HID_VID_PID";
inline constexpr wchar_t kUsbIdGroup[] = L"KVQ USB DeviceId Group";
inline constexpr wchar_t kHidIdGroup[] = L"KVQ HID DeviceId Group";
// Only the length of the template matters: it selects which hardware IDs are considered at all.
inline constexpr wchar_t kHardwareIdTemplate[] = L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00";

class CDeviceIdMgr {
public:
    explicit CDeviceIdMgr(const ports::FileSystem& files);
    ~CDeviceIdMgr();
    CDeviceIdMgr(const CDeviceIdMgr&) = delete;
    CDeviceIdMgr& operator=(const CDeviceIdMgr&) = delete;

    // 0 loaded; 1 the file cannot be loaded; 2 no such section; 3 the section has no entries.
    int LoadFromIniFile(const std::wstring& path, const std::wstring& section);
    // Writes the accepted patterns as "1", "2", … under "SOFTWARE\<group>"; always 0.
    int SaveToRegistry(ports::Registry& registry, const std::wstring& groupName) const;
    bool IsAcceptedDeviceId(const std::wstring& hardwareId) const;
    // The first present device, in enumeration order, whose first hardware ID has the template's length
    // and is accepted.
    bool FindPresentDevice(const ports::DeviceEnumeration& devices, const std::wstring& hardwareIdTemplate,
                           std::wstring& hardwareId) const;
    // The same in a list the caller already has (nullopt: the list could not be obtained).
    bool FindAmong(const ports::PresentDeviceList& present, const std::wstring& hardwareIdTemplate,
                   std::wstring& hardwareId) const;
    void Clear();

    const std::vector<std::wstring>& Entries() const { return entries_; }
    const std::set<std::wstring>& Accepted() const { return accepted_; }

private:
    REGINI_MGR::CIniMgr ini_;
    std::vector<std::wstring> entries_;
    std::set<std::wstring> accepted_;
};

} // namespace DEVICEID_MGR
