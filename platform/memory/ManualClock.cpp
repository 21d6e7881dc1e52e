#include "platform/memory/ManualClock.h"

namespace memory {

void ManualClock::SleepMs(std::uint32_t milliseconds)
{
    slept_ += milliseconds;
    ++sleeps_;
    Advance(milliseconds);
}

void ManualClock::Advance(std::uint64_t milliseconds)
{
    now_ += milliseconds;
    for (const auto& listener : listeners_)
        listener(now_);
}

} // namespace memory
