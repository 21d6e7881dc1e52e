#pragma once

#include "common/ports/DebugOutput.h"

#include <windows.h>

namespace win32 {

class Win32DebugOutput final : public ports::DebugOutput {
public:
    void Write(const std::wstring& text) override { ::OutputDebugStringW(text.c_str()); }
};

} // namespace win32
