#pragma once
// Time as the programs see it: a millisecond tick and a blocking sleep.

#include <cstdint>

namespace ports {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t NowMs() const = 0;
    virtual void SleepMs(std::uint32_t milliseconds) = 0;
};

} // namespace ports
