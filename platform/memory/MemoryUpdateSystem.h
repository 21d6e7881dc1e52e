#pragma once
// The update prerequisite's Windows calls in memory: native-view keys and their subkeys as set up, every
// file handed to the shell recorded with the outcome chosen for it, and the restart requests counted.

#include "setup/ports/UpdateSystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace memory {

class MemoryUpdateSystem final : public ports::UpdateSystem {
public:
    bool NativeKeyExists(const std::wstring& path) override { return keys.contains(path) || subkeys.contains(path); }
    std::optional<std::vector<std::wstring>> NativeSubkeyNames(const std::wstring& path) override
    {
        const auto found = subkeys.find(path);
        if (found == subkeys.end())
            return std::nullopt;
        return found->second;
    }
    ports::ShellRun Open(const std::wstring& file, const std::wstring& parameters, int waitMs) override
    {
        opens.push_back({file, parameters, waitMs});
        if (!launches)
            return {};
        return {true, waitMs < 0 ? exitCode : std::nullopt};
    }
    bool RestartWindows() override
    {
        ++restarts;
        return restartAccepted;
    }

    // Set-up.
    std::set<std::wstring> keys;                              // existing keys, by path as asked
    std::map<std::wstring, std::vector<std::wstring>> subkeys; // key path → its subkeys' names
    bool launches = true;
    std::optional<std::uint32_t> exitCode = 0;
    bool restartAccepted = true;

    struct OpenRecord {
        std::wstring file;
        std::wstring parameters;
        int waitMs;
        bool operator==(const OpenRecord&) const = default;
    };
    std::vector<OpenRecord> opens;
    int restarts = 0;
};

} // namespace memory
