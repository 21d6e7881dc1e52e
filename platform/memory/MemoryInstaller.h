#pragma once
// In-memory stand-ins for the installer's payload, its system calls and its wizard window. Each records
// what it was asked, so a test can check the order of broadcasts, programs run, links and progress.

#include "setup/ports/InstallerSystem.h"
#include "setup/ports/InstallerWindow.h"
#include "setup/ports/Payload.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace memory {

class MemoryPayload final : public ports::Payload {
public:
    std::optional<std::vector<std::uint8_t>> Load(const std::wstring& type, int id) const override;
    void Put(const std::wstring& type, int id, std::string_view bytes);
    void Remove(const std::wstring& type, int id);

private:
    std::map<std::pair<std::wstring, int>, std::vector<std::uint8_t>> resources_; // type upper-cased
};

class MemoryInstallerSystem final : public ports::InstallerSystem {
public:
    void BroadcastRegisteredMessage(const std::wstring& name, std::uint32_t timeoutMs) override;
    bool DeviceOpens(const std::wstring& devicePath) override;
    ports::ProcessWait RunAndWait(const std::wstring& commandLine, std::uint32_t timeoutMs) override;
    bool SaveShellLink(const std::wstring& linkPath, const std::wstring& target) override;
    void Beep(std::uint32_t frequencyHz, std::uint32_t durationMs) override;

    // Set-up: devices that open; what a run program does (it may act on other adapters) and how it ends.
    std::vector<std::wstring> openableDevices;
    std::function<ports::ProcessWait(const std::wstring& commandLine)> onRun;

    struct Broadcast {
        std::wstring name;
        std::uint32_t timeoutMs;
        bool operator==(const Broadcast&) const = default;
    };
    struct Run {
        std::wstring commandLine;
        std::uint32_t timeoutMs;
        bool operator==(const Run&) const = default;
    };
    std::vector<Broadcast> broadcasts;
    std::vector<std::wstring> deviceChecks;
    std::vector<Run> runs;
    std::map<std::wstring, std::wstring> links; // link path → target, as saved
    std::vector<std::pair<std::uint32_t, std::uint32_t>> beeps;
};

class RecordingInstallerWindow final : public ports::InstallerWindow {
public:
    void PostProgress(int percent) override { progress.push_back(percent); }
    void PostFinished() override { ++finished; }
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override
    {
        messages.push_back({text, caption});
    }

    struct Message {
        std::wstring text;
        std::wstring caption;
        bool operator==(const Message&) const = default;
    };
    std::vector<int> progress;
    int finished = 0;
    std::vector<Message> messages;
};

} // namespace memory
