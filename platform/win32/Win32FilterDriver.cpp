#include "platform/win32/Win32FilterDriver.h"

#include "platform/win32/Handles.h"

#include <windows.h>

#include <vector>

namespace win32 {

namespace {

class Win32FilterDriverHandle final : public ports::FilterDriverHandle {
public:
    Win32FilterDriverHandle(FileHandle device, ports::DebugOutput& debug) : device_(std::move(device)), debug_(debug)
    {
    }

    ports::DriverRequestOutcome Request(std::uint32_t controlCode, std::span<const std::uint8_t> input,
                                        std::span<std::uint8_t> output) override
    {
        // DeviceIoControl takes a writable input buffer; the caller's bytes stay untouched.
        std::vector<std::uint8_t> in(input.begin(), input.end());
        DWORD returned = 0;
        const BOOL succeeded = ::DeviceIoControl(
            device_.Get(), controlCode, in.empty() ? nullptr : in.data(), static_cast<DWORD>(in.size()),
            output.empty() ? nullptr : output.data(), static_cast<DWORD>(output.size()), &returned, nullptr);
        if (!succeeded) {
            ReportLastError(debug_, L"DeviceIoControl");
            return {false, 0u};
        }
        return {true, static_cast<std::uint32_t>(returned)};
    }

private:
    FileHandle device_;
    ports::DebugOutput& debug_;
};

} // namespace

std::unique_ptr<ports::FilterDriverHandle> Win32FilterDriver::OpenDevicePath(const std::wstring& path)
{
    FileHandle device(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device) {
        ReportLastError(debug_, L"CreateFileW");
        return nullptr;
    }
    return std::make_unique<Win32FilterDriverHandle>(std::move(device), debug_);
}

} // namespace win32
