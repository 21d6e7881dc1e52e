#pragma once
// The shell's "open" verb for documents and web addresses.

#include "panel/ports/ShellOpen.h"

#include <windows.h>

namespace win32 {

class Win32ShellOpen final : public ports::ShellOpen {
public:
    // Whatever the shell shows (an error box, a program) belongs to `owner`.
    explicit Win32ShellOpen(HWND owner) : owner_(owner) {}
    void Open(const std::wstring& target) override;
    void StartHidden(const std::wstring& program, const std::wstring& parameters) override;

private:
    HWND owner_;
};

} // namespace win32
