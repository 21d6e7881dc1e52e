#pragma once
// The timers of a form as the form declares them: a name, an interval, an enabled flag and a handler.
// A timer runs on the window's timer port only while it is enabled and has a handler, as a form's timer
// component does.

#include "panel/ports/WindowTimers.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace form {

struct TimerDeclaration {
    const wchar_t* name;
    std::uint32_t intervalMs;
};

// The main form's timers: presence poll, speaker-ring motion, test-sound steps, the microphone's replay.
inline constexpr TimerDeclaration kMainFormTimers[] = {
    {L"Timer1", 2000},
    {L"Timer", 20},
    {L"BeeTimer", 10},
    {L"BeePlayTimer", 100},
    {L"ReplayTimer", 1000},
};

class FormTimers {
public:
    FormTimers(ports::WindowTimers& port, std::span<const TimerDeclaration> declarations);
    ~FormTimers();
    FormTimers(const FormTimers&) = delete;
    FormTimers& operator=(const FormTimers&) = delete;

    void SetHandler(const std::wstring& name, std::function<void()> handler);
    void SetEnabled(const std::wstring& name, bool enabled);
    void SetInterval(const std::wstring& name, std::uint32_t intervalMs);
    bool Enabled(const std::wstring& name) const;
    std::uint32_t Interval(const std::wstring& name) const;

private:
    struct Timer {
        std::wstring name;
        int id;
        std::uint32_t intervalMs;
        bool enabled = false;
        std::function<void()> handler;
    };

    Timer& At(const std::wstring& name);
    const Timer& At(const std::wstring& name) const;
    void Apply(const Timer& timer);

    ports::WindowTimers& port_;
    std::vector<Timer> timers_;
};

} // namespace form
