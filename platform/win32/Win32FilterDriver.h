#pragma once
// The filter driver's device channel through CreateFileW and DeviceIoControl.

#include "device/ports/FilterDriver.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

class Win32FilterDriver final : public ports::FilterDriver {
public:
    // Failed calls are written to `debug` with their code.
    explicit Win32FilterDriver(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    std::unique_ptr<ports::FilterDriverHandle> OpenDevicePath(const std::wstring& path) override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
