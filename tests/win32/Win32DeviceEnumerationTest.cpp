#include "common/DeviceIdMgr.h"
#include "platform/win32/Win32DeviceEnumeration.h"
#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// A pattern that accepts `id` with its last two characters free.
std::wstring WildcardPattern(std::wstring id)
{
    id[id.size() - 1] = L'X';
    id[id.size() - 2] = L'X';
    return id;
}

bool IsAscii(const std::wstring& text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c > 0 && c < 128; });
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (const wchar_t c : text)
        narrow += static_cast<char>(c);
    return narrow;
}

} // namespace

TEST(Win32DeviceEnumeration, FindsAPresentDeviceByItsHardwareIdPattern)
{
    const win32::Win32DeviceEnumeration devices;
    const auto present = devices.PresentDevices();
    ASSERT_TRUE(present.has_value());

    // Wine shows a handful of virtual devices; take the first with an ASCII hardware ID of some length.
    std::wstring target;
    for (const ports::PresentDevice& device : *present)
        if (!device.hardwareIds.empty() && device.hardwareIds.front().size() > 4 &&
            IsAscii(device.hardwareIds.front())) {
            target = device.hardwareIds.front();
            break;
        }
    ASSERT_FALSE(target.empty()) << "no present device with a hardware ID";

    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring config = std::wstring(temp) + L"tonvio-device-ids.cfg";
    win32::Win32FileSystem files;
    const std::string text = "[USB_VID_PID]\r\n1=" + Narrow(WildcardPattern(target)) + "\r\n";
    ASSERT_TRUE(files.WriteAll(config, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));

    DEVICEID_MGR::CDeviceIdMgr ids(files);
    ASSERT_EQ(ids.LoadFromIniFile(config, DEVICEID_MGR::kUsbIdSection), 0);
    std::wstring found;
    ASSERT_TRUE(ids.FindPresentDevice(devices, std::wstring(target.size(), L'?'), found));
    EXPECT_TRUE(ids.IsAcceptedDeviceId(found));
    EXPECT_FALSE(ids.FindPresentDevice(devices, std::wstring(target.size() + 1, L'?'), found))
        << "only IDs of the template's length are considered";
    files.RemoveFile(config);
}
