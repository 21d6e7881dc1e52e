#pragma once
// Windows calls back into the program: window and dialog procedures, timers, the message hook, thread
// start routines. A C++ exception must never unwind through the system's frames in between, so every such
// callback runs its work through Guarded: whatever the work throws is caught there, written to the debug
// output ("***** Exception in <where>: <what> *****") and the callback returns normally.

#include "common/ports/DebugOutput.h"

#include <exception>
#include <string_view>

namespace win32 {

// Writes the line of an exception caught in `where`; `what` is its message (ASCII), or null when the
// exception was of no known type. Never throws.
void ReportException(ports::DebugOutput& debug, std::wstring_view where, const char* what) noexcept;

// Runs `work`; true when it returned, false when it threw (the exception is reported and dropped).
template <typename Work> bool Guarded(ports::DebugOutput& debug, std::wstring_view where, Work&& work) noexcept
{
    try {
        work();
        return true;
    } catch (const std::exception& failure) {
        ReportException(debug, where, failure.what());
    } catch (...) {
        ReportException(debug, where, nullptr);
    }
    return false;
}

} // namespace win32
