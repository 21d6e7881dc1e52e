#include "platform/win32/Win32CallbackGuard.h"

#include <string>

namespace win32 {

void ReportException(ports::DebugOutput& debug, std::wstring_view where, const char* what) noexcept
{
    try {
        std::wstring line = L"***** Exception in ";
        line.append(where);
        line += L": ";
        if (what == nullptr)
            line += L"(unknown exception)";
        for (; what != nullptr && *what != '\0'; ++what)
            line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*what)));
        line += L" *****\n";
        debug.Write(line);
    } catch (...) {
        // Not even the line could be made (no memory, say): nothing more can be told.
    }
}

} // namespace win32
