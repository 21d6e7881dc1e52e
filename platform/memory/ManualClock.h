#pragma once
// A clock that moves only when told to, or when someone sleeps on it. Listeners hear every move, so
// simulated devices and services can change state at the right moment.

#include "common/ports/Clock.h"

#include <functional>
#include <vector>

namespace memory {

class ManualClock final : public ports::Clock {
public:
    std::uint64_t NowMs() const override { return now_; }
    void SleepMs(std::uint32_t milliseconds) override;

    void Advance(std::uint64_t milliseconds);
    std::uint64_t TotalSleptMs() const { return slept_; }
    std::size_t SleepCount() const { return sleeps_; }
    void OnAdvance(std::function<void(std::uint64_t now)> listener) { listeners_.push_back(std::move(listener)); }

private:
    std::uint64_t now_ = 0;
    std::uint64_t slept_ = 0;
    std::size_t sleeps_ = 0;
    std::vector<std::function<void(std::uint64_t)>> listeners_;
};

} // namespace memory
