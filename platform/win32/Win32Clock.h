#pragma once

#include "common/ports/Clock.h"

#include <windows.h>

namespace win32 {

class Win32Clock final : public ports::Clock {
public:
    std::uint64_t NowMs() const override { return ::GetTickCount64(); }
    void SleepMs(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

} // namespace win32
