#include "panel/form/FormTimers.h"

#include <algorithm>
#include <stdexcept>

namespace form {

FormTimers::FormTimers(ports::WindowTimers& port, std::span<const TimerDeclaration> declarations) : port_(port)
{
    // Ids start at 1: a timer id of 0 means "none" to the window system.
    for (const TimerDeclaration& declaration : declarations)
        timers_.push_back(
            Timer{declaration.name, static_cast<int>(timers_.size()) + 1, declaration.intervalMs, false, {}});
}

FormTimers::~FormTimers()
{
    for (const Timer& timer : timers_)
        if (timer.enabled)
            port_.Stop(timer.id);
}

FormTimers::Timer& FormTimers::At(const std::wstring& name)
{
    const auto found = std::ranges::find(timers_, name, &Timer::name);
    if (found == timers_.end())
        throw std::out_of_range("no such timer");
    return *found;
}

const FormTimers::Timer& FormTimers::At(const std::wstring& name) const
{
    const auto found = std::ranges::find(timers_, name, &Timer::name);
    if (found == timers_.end())
        throw std::out_of_range("no such timer");
    return *found;
}

void FormTimers::Apply(const Timer& timer)
{
    if (timer.enabled && timer.handler && timer.intervalMs > 0)
        port_.Start(timer.id, timer.intervalMs, timer.handler);
    else
        port_.Stop(timer.id);
}

void FormTimers::SetHandler(const std::wstring& name, std::function<void()> handler)
{
    Timer& timer = At(name);
    timer.handler = std::move(handler);
    Apply(timer);
}

void FormTimers::SetEnabled(const std::wstring& name, bool enabled)
{
    Timer& timer = At(name);
    if (timer.enabled == enabled)
        return;
    timer.enabled = enabled;
    Apply(timer);
}

void FormTimers::SetInterval(const std::wstring& name, std::uint32_t intervalMs)
{
    Timer& timer = At(name);
    timer.intervalMs = intervalMs;
    Apply(timer);
}

bool FormTimers::Enabled(const std::wstring& name) const
{
    return At(name).enabled;
}

std::uint32_t FormTimers::Interval(const std::wstring& name) const
{
    return At(name).intervalMs;
}

} // namespace form
