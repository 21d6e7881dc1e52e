#pragma once
// The debug line of a failed system call, in one form for every adapter: the call's name and the code
// the system gave for it, "***** CreateFileW failed, error 2 *****". Error codes (GetLastError and the
// registry's status) are written in decimal, HRESULTs in hexadecimal, as each is usually looked up.

#include "common/ports/DebugOutput.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The debugger output: where an adapter made without a debug output of its own writes its failures.
ports::DebugOutput& SystemDebugOutput();

std::wstring FailureLine(std::wstring_view call, DWORD error);
std::wstring ResultFailureLine(std::wstring_view call, HRESULT result);

// Writes the line of `call` with the calling thread's last error, and returns that error. The last error
// is the same afterwards, for a caller that reads it again.
DWORD ReportLastError(ports::DebugOutput& debug, std::wstring_view call);
// The same with a code the call returned (a registry status, say).
void ReportError(ports::DebugOutput& debug, std::wstring_view call, DWORD error);
void ReportResult(ports::DebugOutput& debug, std::wstring_view call, HRESULT result);

} // namespace win32
