#pragma once
// In-memory stand-ins for the window side: each records what it was asked, in order, and answers as a
// test arranged it. Memory window timers run on the ManualClock, so a test moves time to make them tick.

#include "panel/ports/SingleInstance.h"
#include "panel/ports/WindowPorts.h"
#include "platform/memory/ManualClock.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace memory {

class RecordingApplicationWindow final : public ports::ApplicationWindow {
public:
    void MinimizeToTray() override { calls.push_back(L"MinimizeToTray"); }
    void MinimizeToTaskbar() override { calls.push_back(L"MinimizeToTaskbar"); }
    void RestoreFromTray() override { calls.push_back(L"RestoreFromTray"); }
    void ShowMain() override { calls.push_back(L"ShowMain"); }
    void HideMain() override { calls.push_back(L"HideMain"); }
    void BringToForeground() override { calls.push_back(L"BringToForeground"); }
    void PostMinimizeCommand() override { calls.push_back(L"PostMinimizeCommand"); }
    // Any thread: only counted, the test delivers the message itself.
    void PostRegisteredMessage(std::uint32_t) override { ++posted; }
    void BeginMoveByCaption() override { calls.push_back(L"BeginMoveByCaption"); }
    void RequestClose() override { calls.push_back(L"RequestClose"); }
    void Redraw() override { ++redraws; }
    bool ApplyRegion(std::span<const std::uint8_t> regionFile) override;

    int redraws = 0;
    std::atomic<int> posted = 0;
    std::vector<std::vector<std::uint8_t>> regions; // every region taken, as given

    std::vector<std::wstring> calls;
};

class RecordingMessageBoxes final : public ports::MessageBoxes {
public:
    struct Shown {
        std::wstring text;
        std::wstring caption;
        ports::MessageBoxIcon icon;
        bool operator==(const Shown&) const = default;
    };
    ports::MessageBoxAnswer Show(const std::wstring& text, const std::wstring& caption,
                                 ports::MessageBoxIcon icon) override
    {
        shown.push_back({text, caption, icon});
        return answer;
    }

    std::vector<Shown> shown;
    ports::MessageBoxAnswer answer = ports::MessageBoxAnswer::Ok;
};

// Answers with the queued choices, one per call; an empty queue cancels.
class ScriptedColourDialog final : public ports::ColourDialog {
public:
    std::optional<std::uint32_t> Choose(std::uint32_t initial) override;

    std::deque<std::optional<std::uint32_t>> answers;
    std::vector<std::uint32_t> initials;
};

class ScriptedFileDialogs final : public ports::FileDialogs {
public:
    std::optional<std::wstring> ChooseFileToOpen(const ports::FileDialogRequest& request) override;
    std::optional<std::wstring> ChooseFileToSave(const ports::FileDialogRequest& request) override;

    std::deque<std::optional<std::wstring>> answers;
    std::vector<ports::FileDialogRequest> requests;
};

// Counts its runs; messages a test queued (a timer tick, a notification) are handled by the next run,
// as a nested handler would be.
class CountingMessagePump final : public ports::MessagePump {
public:
    void ProcessPendingMessages() override
    {
        ++runs;
        while (!queued.empty()) {
            auto message = std::move(queued.front());
            queued.pop_front();
            message();
        }
    }
    int runs = 0;
    std::deque<std::function<void()>> queued;
};

class FixedScreen final : public ports::Screen {
public:
    ports::ScreenFacts Facts() const override { return facts; }
    ports::ScreenFacts facts{1920, 1080, 96};
};

class RecordingTrayIcon final : public ports::TrayIcon {
public:
    bool Show(const std::wstring& iconFile, const std::wstring& hint) override;
    void Remove() override { shown = false; }

    bool shown = false;
    std::wstring iconFile;
    std::wstring hint;
    bool refuse = false;
};

// Answers each pop-up with the queued item id; an empty queue dismisses the menu.
class ScriptedPopupMenus final : public ports::PopupMenus {
public:
    std::optional<int> ShowAtCursor(const form::MenuItem& menu) override;

    std::deque<std::optional<int>> choices;
    std::vector<form::MenuItem> shown; // each menu as it was when shown
};

class MemoryWindowMessages final : public ports::WindowMessages {
public:
    std::uint32_t Register(const std::wstring& name) override;
    void Broadcast(std::uint32_t message, std::uint32_t timeoutMs) override;

    // The name a registered id stands for; empty when none.
    std::wstring NameOf(std::uint32_t message) const;

    struct Broadcasted {
        std::wstring name;
        std::uint32_t timeoutMs;
        bool operator==(const Broadcasted&) const = default;
    };
    std::vector<Broadcasted> broadcasts;

private:
    // Registered ids lie in the range the platform uses for them.
    std::map<std::wstring, std::uint32_t> ids_;
};

class ClockDrivenTimers final : public ports::WindowTimers {
public:
    explicit ClockDrivenTimers(ManualClock& clock);
    void Start(int id, std::uint32_t intervalMs, std::function<void()> tick) override;
    void Stop(int id) override;

    bool Running(int id) const { return timers_.contains(id); }

private:
    struct ActiveTimer {
        std::uint32_t intervalMs;
        std::uint64_t nextDueMs;
        std::function<void()> tick;
    };
    void Fire(std::uint64_t now);

    ManualClock& clock_;
    std::map<int, ActiveTimer> timers_;
};

class RecordingDeviceNotifications final : public ports::DeviceNotifications {
public:
    bool RegisterWindow() override
    {
        ++registrations;
        return !refuse;
    }
    int registrations = 0;
    bool refuse = false;
};

class RecordingShellOpen final : public ports::ShellOpen {
public:
    void Open(const std::wstring& target) override { opened.push_back(target); }
    void StartHidden(const std::wstring& program, const std::wstring& parameters) override
    {
        started.emplace_back(program, parameters);
    }
    std::vector<std::wstring> opened;
    std::vector<std::pair<std::wstring, std::wstring>> started;
};

// Records each modal form as it was shown; a test may click its controls meanwhile.
class RecordingModalForms final : public ports::ModalForms {
public:
    void ShowModal(form::Form& form, const std::function<void(const form::Control&)>& click) override
    {
        shown.push_back(form);
        for (const std::wstring& name : clicks)
            if (const form::Control* control = form.Find(name))
                click(*control);
    }
    std::vector<form::Form> shown;
    std::vector<std::wstring> clicks; // controls clicked in every dialog, in order
};

// A session of processes: named mutexes and top-level windows, which a test arranges.
class MemorySingleInstance final : public ports::SingleInstance {
public:
    struct Window {
        std::wstring className;
        std::wstring caption;
        bool minimized = false;
        bool ownProcess = false;
    };

    bool NamedMutexExists(const std::wstring& name) override { return mutexes.contains(name); }
    bool HoldNamedMutex(const std::wstring& name) override;
    void ClearOwnApplicationCaption() override;
    std::optional<ports::WindowRef> FindTopLevelWindow(const std::wstring& className,
                                                       const std::wstring& caption) override;
    bool IsWindowMinimized(ports::WindowRef window) override { return windows.at(window.value).minimized; }
    void RestoreWindow(ports::WindowRef window) override;
    void BringWindowForward(ports::WindowRef window) override;

    std::set<std::wstring> mutexes;
    std::vector<std::wstring> heldMutexes;
    std::vector<Window> windows; // WindowRef values are indices
    std::vector<std::wstring> actions;
};

// Every window-side stand-in, wired together.
struct MemoryWindowPorts {
    explicit MemoryWindowPorts(ManualClock& clock) : timers(clock) {}

    RecordingApplicationWindow window;
    RecordingMessageBoxes messageBoxes;
    ScriptedColourDialog colourDialog;
    ScriptedFileDialogs fileDialogs;
    CountingMessagePump pump;
    FixedScreen screen;
    RecordingTrayIcon tray;
    ScriptedPopupMenus menus;
    MemoryWindowMessages messages;
    ClockDrivenTimers timers;
    RecordingDeviceNotifications notifications;
    RecordingShellOpen shell;
    RecordingModalForms modal;

    ports::WindowPorts Ports()
    {
        return {window, messageBoxes, colourDialog, fileDialogs,   pump,  screen, tray,
                menus,  messages,     timers,       notifications, shell, modal};
    }
};

} // namespace memory
