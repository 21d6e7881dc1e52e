#pragma once

#include "setup/ports/InstallerSystem.h"

namespace win32 {

class Win32InstallerSystem final : public ports::InstallerSystem {
public:
    void BroadcastRegisteredMessage(const std::wstring& name, std::uint32_t timeoutMs) override;
    bool DeviceOpens(const std::wstring& devicePath) override;
    ports::ProcessWait RunAndWait(const std::wstring& commandLine, std::uint32_t timeoutMs) override;
    bool SaveShellLink(const std::wstring& linkPath, const std::wstring& target) override;
    void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs) override;
};

} // namespace win32
