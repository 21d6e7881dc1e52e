#pragma once
// Single INI keys through the platform's own private-profile functions.

#include "common/ports/PrivateProfile.h"

namespace win32 {

class Win32PrivateProfile final : public ports::PrivateProfile {
public:
    std::wstring GetString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue, std::size_t capacity) const override;
    bool WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
};

} // namespace win32
