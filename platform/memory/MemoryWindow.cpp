#include "platform/memory/MemoryWindow.h"

#include "panel/skin/RegionFile.h"

namespace memory {

namespace {
template <typename T> std::optional<T> TakeFront(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    std::optional<T> front = std::move(queue.front());
    queue.pop_front();
    return front;
}
} // namespace

bool RecordingApplicationWindow::ApplyRegion(std::span<const std::uint8_t> regionFile)
{
    // Only a sound region reaches the platform; the recording keeps what a real window would take.
    if (!panel::ReadRegionHeader(regionFile))
        return false;
    regions.emplace_back(regionFile.begin(), regionFile.end());
    return true;
}

std::optional<std::uint32_t> ScriptedColourDialog::Choose(std::uint32_t initial)
{
    initials.push_back(initial);
    return TakeFront(answers);
}

std::optional<std::wstring> ScriptedFileDialogs::ChooseFileToOpen(const ports::FileDialogRequest& request)
{
    requests.push_back(request);
    return TakeFront(answers);
}

std::optional<std::wstring> ScriptedFileDialogs::ChooseFileToSave(const ports::FileDialogRequest& request)
{
    requests.push_back(request);
    return TakeFront(answers);
}

bool RecordingTrayIcon::Show(const std::wstring& file, const std::wstring& text)
{
    if (refuse)
        return false;
    shown = true;
    iconFile = file;
    hint = text;
    return true;
}

std::optional<int> ScriptedPopupMenus::ShowAtCursor(const form::MenuItem& menu)
{
    shown.push_back(menu);
    return TakeFront(choices);
}

std::uint32_t MemoryWindowMessages::Register(const std::wstring& name)
{
    constexpr std::uint32_t kFirstRegisteredId = 0xC000;
    const auto [at, added] = ids_.try_emplace(name, kFirstRegisteredId + static_cast<std::uint32_t>(ids_.size()));
    return at->second;
}

void MemoryWindowMessages::Broadcast(std::uint32_t message, std::uint32_t timeoutMs)
{
    broadcasts.push_back({NameOf(message), timeoutMs});
}

std::wstring MemoryWindowMessages::NameOf(std::uint32_t message) const
{
    for (const auto& [name, id] : ids_)
        if (id == message)
            return name;
    return {};
}

ClockDrivenTimers::ClockDrivenTimers(ManualClock& clock) : clock_(clock)
{
    clock_.OnAdvance([this](std::uint64_t now) { Fire(now); });
}

void ClockDrivenTimers::Start(int id, std::uint32_t intervalMs, std::function<void()> tick)
{
    if (intervalMs == 0) {
        Stop(id);
        return;
    }
    timers_[id] = {intervalMs, clock_.NowMs() + intervalMs, std::move(tick)};
}

void ClockDrivenTimers::Stop(int id)
{
    timers_.erase(id);
}

void ClockDrivenTimers::Fire(std::uint64_t now)
{
    // One tick per due interval, earliest first; a tick may stop or restart any timer, itself included.
    for (;;) {
        auto due = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.nextDueMs <= now && (due == timers_.end() || it->second.nextDueMs < due->second.nextDueMs))
                due = it;
        if (due == timers_.end())
            return;
        due->second.nextDueMs += due->second.intervalMs;
        const std::function<void()> tick = due->second.tick;
        tick();
    }
}

bool MemorySingleInstance::HoldNamedMutex(const std::wstring& name)
{
    mutexes.insert(name);
    heldMutexes.push_back(name);
    return true;
}

void MemorySingleInstance::ClearOwnApplicationCaption()
{
    actions.push_back(L"ClearOwnApplicationCaption");
    for (Window& window : windows)
        if (window.ownProcess)
            window.caption.clear();
}

std::optional<ports::WindowRef> MemorySingleInstance::FindTopLevelWindow(const std::wstring& className,
                                                                         const std::wstring& caption)
{
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i].className == className && windows[i].caption == caption)
            return ports::WindowRef{i};
    return std::nullopt;
}

void MemorySingleInstance::RestoreWindow(ports::WindowRef window)
{
    windows.at(window.value).minimized = false;
    actions.push_back(L"Restore " + windows.at(window.value).caption);
}

void MemorySingleInstance::BringWindowForward(ports::WindowRef window)
{
    actions.push_back(L"BringForward " + windows.at(window.value).caption);
}

} // namespace memory
