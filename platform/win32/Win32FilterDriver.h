#pragma once
// The filter driver's device channel through CreateFileW and DeviceIoControl.

#include "device/ports/FilterDriver.h"

namespace win32 {

class Win32FilterDriver final : public ports::FilterDriver {
public:
    std::unique_ptr<ports::FilterDriverHandle> OpenDevicePath(const std::wstring& path) override;
};

} // namespace win32
