#pragma once
// The companion service's way to the user at the console: the session's named objects, and a program
// started with the user's token on the interactive desktop. Where Windows gives the service no user token
// (no one logged on, or a system without sessions), the program starts with the service's own rights on
// that desktop, and the debug output says so.

#include "common/ports/DebugOutput.h"
#include "setup/ports/SessionLauncher.h"

namespace win32 {

class Win32SessionLauncher final : public ports::SessionLauncher {
public:
    explicit Win32SessionLauncher(ports::DebugOutput& debug) : debug_(debug) {}

    bool InstanceRuns(const std::wstring& mutexName) override;
    bool StartInUserSession(const std::wstring& commandLine) override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
