#include "emulator/win32/SharedEmulatedDevice.h"

#include <windows.h>

#include <iterator>

namespace emulator {

std::unique_ptr<SharedEmulatedDevice> SharedEmulatedDevice::Open(unsigned long& error, const std::wstring& name)
{
    auto shared = SharedChip::Open(error, name);
    if (!shared)
        return nullptr;
    return std::make_unique<SharedEmulatedDevice>(std::move(shared));
}

SharedEmulatedDevice::SharedEmulatedDevice(std::unique_ptr<SharedChip> shared)
    : shared_(std::move(shared)), sdk_(shared_->chip()), hid_(shared_->chip()), filterDriver_(shared_->chip()),
      enumeration_(shared_->chip())
{
}

bool EmulatedDeviceRequested()
{
    wchar_t value[8]{};
    const DWORD length =
        ::GetEnvironmentVariableW(L"TONVIO_EMULATED_DEVICE", value, static_cast<DWORD>(std::size(value)));
    return length == 1 && value[0] == L'1';
}

} // namespace emulator
