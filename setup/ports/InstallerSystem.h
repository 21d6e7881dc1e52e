#pragma once
// What the installation needs of Windows beyond files and the registry: a broadcast to running programs,
// the filter driver's control device, a program run to its end, shell links and the speaker beep.

#include <cstdint>
#include <string>

namespace ports {

enum class ProcessWait { NotStarted, Ended, TimedOut };

class InstallerSystem {
public:
    virtual ~InstallerSystem() = default;

    // Registers the message name and sends it to every top-level window, waiting at most timeoutMs for each.
    virtual void BroadcastRegisteredMessage(const std::wstring& name, std::uint32_t timeoutMs) = 0;
    // True when the device opens for reading and writing (the handle is closed again at once).
    virtual bool DeviceOpens(const std::wstring& devicePath) = 0;
    // Starts the command line (high priority, inheriting handles, the caller's folder and environment) and
    // waits for the program to end.
    virtual ProcessWait RunAndWait(const std::wstring& commandLine, std::uint32_t timeoutMs) = 0;
    // Saves a shell link at linkPath pointing to target (no arguments, folder or icon); false when any step
    // of the shell's link object fails.
    virtual bool SaveShellLink(const std::wstring& linkPath, const std::wstring& target) = 0;
    virtual void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs) = 0;
};

} // namespace ports
