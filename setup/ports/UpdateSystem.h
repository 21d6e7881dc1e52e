#pragma once
// What the Windows-update prerequisite and the Finish button need of Windows: the servicing store's keys
// in the native (64-bit) registry view, a file handed to the shell for its default action, and a restart.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ports {

// How a file handed to the shell went: whether it started, and the started process's exit code when the
// caller waited for its end (nullopt when it did not wait or the code could not be read).
struct ShellRun {
    bool launched = false;
    std::optional<std::uint32_t> exitCode;
};

inline constexpr int kWaitWithoutLimit = -1;

class UpdateSystem {
public:
    virtual ~UpdateSystem() = default;

    // HKEY_LOCAL_MACHINE, read access, native view.
    virtual bool NativeKeyExists(const std::wstring& path) = 0;
    // The names of the key's subkeys in index order (a name that cannot be read, or is longer than 259
    // characters, is left out); nullopt when the key cannot be opened; empty when it has none or the count
    // cannot be read.
    virtual std::optional<std::vector<std::wstring>> NativeSubkeyNames(const std::wstring& path) = 0;
    // The file's default action, hidden, with `parameters`. waitMs < 0: waits for the process to end and
    // reads its exit code; waitMs > 0: keeps the calling thread's messages flowing for that long; 0: returns
    // at once.
    virtual ShellRun Open(const std::wstring& file, const std::wstring& parameters, int waitMs) = 0;
    // Enables the shutdown privilege (failures ignored) and asks Windows to restart, not forced; false when
    // Windows refuses.
    virtual bool RestartWindows() = 0;
};

} // namespace ports
