#pragma once
// Which device the panel drives: the first present device whose hardware ID the product accepts, its
// USB vendor and product ID, and making it the SDK's active device.

#include "common/DeviceIdMgr.h"
#include "common/ports/DeviceEnumeration.h"
#include "common/ports/FileSystem.h"
#include "device/ports/AudioSdk.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace device {

struct DeviceIds {
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    bool operator==(const DeviceIds&) const = default;
};

// VID and PID from a hardware ID such as "USB\VID_4D2F&PID_4812&REV_0100&MI_00": the hexadecimal digits
// (at most four) after "VID_" (else "Vid_") and "PID_" (else "Pid_"). Without a VID both stay 0; reading
// stops at the first character that is no hexadecimal digit.
DeviceIds ParseDeviceIds(std::wstring_view hardwareId);

struct Identification {
    bool found = false;
    std::wstring hardwareId; // of the last search; empty when nothing was found
    DeviceIds ids;           // 0 and 0 when nothing was found
    std::int32_t setActiveResult = 0;
};

// Loads the accepted IDs from [USB_VID_PID] of `configPath`, searches the present devices `searches`
// times at most (stopping at the first success), parses the IDs of the last search (0 and 0 when it
// found nothing) and passes them to DLLQZ_SetActive_Device.
Identification IdentifyDevice(const ports::FileSystem& files, const ports::DeviceEnumeration& devices,
                              ports::AudioSdk& sdk, const std::wstring& configPath, int searches = 1);

// The accepted IDs, loaded from [USB_VID_PID] of the configuration before a search.
struct AcceptedDeviceIds {
    explicit AcceptedDeviceIds(const ports::FileSystem& files) : ids(files) {}
    DEVICEID_MGR::CDeviceIdMgr ids;
    bool loaded = false;
};

// Loads the accepted IDs as the file says now.
void LoadAcceptedDeviceIds(AcceptedDeviceIds& accepted, const std::wstring& configPath);

// The end of an identification of one search whose list has come: the first accepted device, its IDs
// (0 and 0 when none) passed to DLLQZ_SetActive_Device.
Identification IdentifyAmong(const AcceptedDeviceIds& accepted, const ports::PresentDeviceList& present,
                             ports::AudioSdk& sdk);

} // namespace device
