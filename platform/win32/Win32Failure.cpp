#include "platform/win32/Win32Failure.h"

#include "common/Text.h"
#include "platform/win32/Win32DebugOutput.h"

namespace win32 {

namespace {
constexpr std::size_t kLineChars = 255;
} // namespace

ports::DebugOutput& SystemDebugOutput()
{
    static Win32DebugOutput debug;
    return debug;
}

std::wstring FailureLine(std::wstring_view call, DWORD error)
{
    return FormatText(kLineChars, L"***** %ls failed, error %lu *****\n", std::wstring(call).c_str(),
                      static_cast<unsigned long>(error));
}

std::wstring ResultFailureLine(std::wstring_view call, HRESULT result)
{
    return FormatText(kLineChars, L"***** %ls failed, error 0x%08lX *****\n", std::wstring(call).c_str(),
                      static_cast<unsigned long>(result));
}

DWORD ReportLastError(ports::DebugOutput& debug, std::wstring_view call)
{
    const DWORD error = ::GetLastError();
    debug.Write(FailureLine(call, error));
    ::SetLastError(error);
    return error;
}

void ReportError(ports::DebugOutput& debug, std::wstring_view call, DWORD error)
{
    debug.Write(FailureLine(call, error));
}

void ReportResult(ports::DebugOutput& debug, std::wstring_view call, HRESULT result)
{
    debug.Write(ResultFailureLine(call, result));
}

} // namespace win32
