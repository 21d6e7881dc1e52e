#pragma once
// Switches file-system redirection off for a 32-bit process on 64-bit Windows, and on again when it goes:
// the installer and the uninstaller reach the native system folder only inside one.

#include "common/SystemFacts.h"
#include "common/ports/SystemInfo.h"

namespace setup {

class RedirectionOff {
public:
    RedirectionOff(ports::SystemInfo& system, bool wow64) : system_(system), off_(wow64 && DisableFsRedirection(system, cookie_)) {}
    ~RedirectionOff()
    {
        if (off_)
            RevertFsRedirection(system_, cookie_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    ports::SystemInfo& system_;
    ports::RedirectionCookie cookie_;
    bool off_;
};

} // namespace setup
