#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <vector>

namespace win32 {

std::wstring WindowsFolder()
{
    wchar_t buffer[MAX_PATH]{};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring RunningProgramPath()
{
    // GetModuleFileNameW cuts silently at the buffer; grow until the path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace win32
