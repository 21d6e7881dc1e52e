#pragma once
// The update prerequisite's and the Finish button's Windows calls: the servicing store's keys in the
// 64-bit registry view, ShellExecuteExW with its two waits, and the restart.

#include "common/ports/DebugOutput.h"
#include "setup/ports/UpdateSystem.h"

namespace win32 {

class Win32UpdateSystem final : public ports::UpdateSystem {
public:
    explicit Win32UpdateSystem(ports::DebugOutput& debug) : debug_(debug) {}

    bool NativeKeyExists(const std::wstring& path) override;
    std::optional<std::vector<std::wstring>> NativeSubkeyNames(const std::wstring& path) override;
    ports::ShellRun Open(const std::wstring& file, const std::wstring& parameters, int waitMs) override;
    bool RestartWindows() override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
