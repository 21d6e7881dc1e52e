#include "platform/win32/Win32PrivateProfile.h"

#include "platform/win32/Win32Failure.h"

#include <algorithm>
#include <limits>
#include <vector>
#include <windows.h>

namespace win32 {

std::wstring Win32PrivateProfile::GetString(const std::wstring& file, const std::wstring& section,
                                            const std::wstring& key, const std::wstring& defaultValue,
                                            std::size_t capacity) const
{
    if (capacity == 0 || capacity > std::numeric_limits<DWORD>::max())
        return {};
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                    static_cast<DWORD>(capacity), file.c_str());
    return std::wstring(buffer.data(), std::min<std::size_t>(length, capacity - 1));
}

bool Win32PrivateProfile::WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                      const std::wstring& value)
{
    if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()))
        return true;
    ReportLastError(SystemDebugOutput(), L"WritePrivateProfileStringW");
    return false;
}

} // namespace win32
