#pragma once
// The payload resources of a module: the running setup program, or an executable loaded as data.

#include "setup/ports/Payload.h"

#include <windows.h>

namespace win32 {

class Win32Payload final : public ports::Payload {
public:
    // The module must stay loaded while the payload is used.
    explicit Win32Payload(HMODULE module) : module_(module) {}
    std::optional<std::vector<std::uint8_t>> Load(const std::wstring& type, int id) const override;

private:
    HMODULE module_;
};

} // namespace win32
