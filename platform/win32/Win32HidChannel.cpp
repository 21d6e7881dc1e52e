#include "platform/win32/Win32HidChannel.h"

#include "platform/win32/Handles.h"

#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <vector>

namespace win32 {

namespace {

struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle list) { ::SetupDiDestroyDeviceInfoList(list); }
};
using DeviceInfoList = UniqueHandle<DeviceInfoListTraits>;

struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle data) { ::HidD_FreePreparsedData(data); }
};
using PreparsedData = UniqueHandle<PreparsedDataTraits>;

struct ReportLengths {
    std::size_t output = 0;
    std::size_t input = 0;
};

ReportLengths ReadReportLengths(HANDLE device, ports::DebugOutput& debug)
{
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!::HidD_GetPreparsedData(device, &raw)) {
        ReportLastError(debug, L"HidD_GetPreparsedData");
        return {};
    }
    const PreparsedData data(raw);
    HIDP_CAPS caps{};
    if (const NTSTATUS status = ::HidP_GetCaps(data.Get(), &caps); status != HIDP_STATUS_SUCCESS) {
        ReportResult(debug, L"HidP_GetCaps", status);
        return {};
    }
    return {caps.OutputReportByteLength, caps.InputReportByteLength};
}

class Win32HidInterface final : public ports::HidInterface {
public:
    Win32HidInterface(FileHandle device, ports::DebugOutput& debug) : device_(std::move(device)), debug_(debug) {}

    std::size_t OutputReportLength() const override { return ReadReportLengths(device_.Get(), debug_).output; }
    std::size_t InputReportLength() const override { return ReadReportLengths(device_.Get(), debug_).input; }

    bool SendOutputReport(std::span<const std::uint8_t> report) override
    {
        // The class driver takes a writable buffer; the caller's report stays untouched.
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        if (::HidD_SetOutputReport(device_.Get(), buffer.data(), static_cast<ULONG>(buffer.size())))
            return true;
        ReportLastError(debug_, L"HidD_SetOutputReport");
        return false;
    }

    bool ReadInputReport(std::span<std::uint8_t> report) override
    {
        if (::HidD_GetInputReport(device_.Get(), report.data(), static_cast<ULONG>(report.size())))
            return true;
        ReportLastError(debug_, L"HidD_GetInputReport");
        return false;
    }

private:
    FileHandle device_;
    ports::DebugOutput& debug_;
};

// The interface's device path: the size first, then the detail record of that size.
std::wstring InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& deviceInterface, ports::DebugOutput& debug)
{
    DWORD size = 0;
    ::SetupDiGetDeviceInterfaceDetailW(list, &deviceInterface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        ReportLastError(debug, L"SetupDiGetDeviceInterfaceDetailW");
        return {};
    }
    // The record is variable-length; DWORD storage gives it the alignment of its cbSize field.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(list, &deviceInterface, detail, size, nullptr, nullptr)) {
        ReportLastError(debug, L"SetupDiGetDeviceInterfaceDetailW");
        return {};
    }
    return detail->DevicePath;
}

FileHandle OpenInterface(const std::wstring& path, ports::DebugOutput& debug)
{
    FileHandle device(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!device)
        ReportLastError(debug, L"CreateFileW");
    return device;
}

bool Matches(HANDLE device, std::uint16_t vid, std::uint16_t pid)
{
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    return ::HidD_GetAttributes(device, &attributes) && attributes.VendorID == vid && attributes.ProductID == pid;
}

} // namespace

std::unique_ptr<ports::HidInterface> Win32HidChannel::OpenFirst(std::uint16_t vid, std::uint16_t pid)
{
    GUID hidClass{};
    ::HidD_GetHidGuid(&hidClass);
    const DeviceInfoList list(
        ::SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) {
        ReportLastError(debug_, L"SetupDiGetClassDevsW");
        return nullptr;
    }

    SP_DEVICE_INTERFACE_DATA deviceInterface{};
    deviceInterface.cbSize = sizeof(deviceInterface);
    for (DWORD index = 0; ::SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &hidClass, index, &deviceInterface);
         ++index) {
        const std::wstring path = InterfacePath(list.Get(), deviceInterface, debug_);
        if (path.empty())
            continue;
        FileHandle device = OpenInterface(path, debug_);
        if (device && Matches(device.Get(), vid, pid))
            return std::make_unique<Win32HidInterface>(std::move(device), debug_);
        // Any other interface's handle closes here, as `device` goes out of scope.
    }
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_ITEMS)
        ReportError(debug_, L"SetupDiEnumDeviceInterfaces", error);
    return nullptr;
}

} // namespace win32
