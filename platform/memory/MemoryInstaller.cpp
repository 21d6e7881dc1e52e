#include "platform/memory/MemoryInstaller.h"

#include "common/Text.h"

#include <algorithm>

namespace memory {

std::optional<std::vector<std::uint8_t>> MemoryPayload::Load(const std::wstring& type, int id) const
{
    const auto found = resources_.find({ToUpperAscii(type), id});
    if (found == resources_.end() || found->second.empty())
        return std::nullopt;
    return found->second;
}

void MemoryPayload::Put(const std::wstring& type, int id, std::string_view bytes)
{
    resources_[{ToUpperAscii(type), id}].assign(bytes.begin(), bytes.end());
}

void MemoryPayload::Remove(const std::wstring& type, int id)
{
    resources_.erase({ToUpperAscii(type), id});
}

void MemoryInstallerSystem::BroadcastRegisteredMessage(const std::wstring& name, std::uint32_t timeoutMs)
{
    broadcasts.push_back({name, timeoutMs});
}

bool MemoryInstallerSystem::DeviceOpens(const std::wstring& devicePath)
{
    deviceChecks.push_back(devicePath);
    return std::any_of(openableDevices.begin(), openableDevices.end(),
                       [&](const std::wstring& device) { return EqualsIgnoreAsciiCase(device, devicePath); });
}

ports::ProcessWait MemoryInstallerSystem::RunAndWait(const std::wstring& commandLine, std::uint32_t timeoutMs)
{
    runs.push_back({commandLine, timeoutMs});
    return onRun ? onRun(commandLine) : ports::ProcessWait::Ended;
}

bool MemoryInstallerSystem::SaveShellLink(const std::wstring& linkPath, const std::wstring& target)
{
    links[linkPath] = target;
    return true;
}

void MemoryInstallerSystem::Beep(std::uint32_t frequencyHz, std::uint32_t durationMs)
{
    beeps.emplace_back(frequencyHz, durationMs);
}

} // namespace memory
