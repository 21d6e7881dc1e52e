#pragma once
// Periodic timers of a window: each tick runs on the GUI thread, between messages.

#include <cstdint>
#include <functional>

namespace ports {

class WindowTimers {
public:
    virtual ~WindowTimers() = default;
    // Starts or restarts timer `id`; `tick` runs every `intervalMs` until it is stopped.
    virtual void Start(int id, std::uint32_t intervalMs, std::function<void()> tick) = 0;
    virtual void Stop(int id) = 0;
};

} // namespace ports
