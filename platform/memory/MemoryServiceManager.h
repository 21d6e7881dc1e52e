#pragma once
// Simulated Windows services. A start or stop takes effect after a set time on a ManualClock, so waiting
// for it costs no real time. Rights are checked as the service manager checks them. Every open, start and
// control is recorded, and open handles are counted so a test can see that all were closed.

#include "common/ports/ServiceManager.h"
#include "platform/memory/ManualClock.h"

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace memory {

inline constexpr std::uint64_t kNeverMs = std::numeric_limits<std::uint64_t>::max();

struct SimulatedService {
    ports::ServiceState state = ports::ServiceState::Stopped;
    bool canOpen = true;
    bool canQuery = true;
    bool startSucceeds = true;
    bool acceptsStop = true;
    bool acceptsControls = true;    // every control code other than stop
    std::uint64_t startTakesMs = 0; // until a started service runs; kNeverMs: it stays start-pending
    std::uint64_t stopTakesMs = 0;  // until a stopped service has stopped; kNeverMs: it stays stop-pending
};

class MemoryServiceManager final : public ports::ServiceManager {
public:
    explicit MemoryServiceManager(ManualClock& clock);

    std::unique_ptr<ports::ServiceManagerConnection> Connect() override;

    // Names compare without regard to ASCII case, as the service manager's do.
    void Add(const std::wstring& name, const SimulatedService& service);
    SimulatedService& At(const std::wstring& name);
    bool Exists(const std::wstring& name) const;
    // Deletes the service, as the service manager does once it has stopped; false when there is none.
    bool Remove(const std::wstring& name);
    void FailConnect(bool fail = true);

    struct OpenRecord {
        std::wstring name;
        ports::ServiceAccess access;
        bool operator==(const OpenRecord&) const = default;
    };
    struct ControlRecord {
        std::wstring name;
        std::uint32_t code;
        bool accepted;
        bool operator==(const ControlRecord&) const = default;
    };
    // Successful opens only; every control and start attempt, accepted or not.
    const std::vector<OpenRecord>& Opens() const;
    const std::vector<ControlRecord>& Controls() const;
    const std::vector<std::wstring>& Starts() const;
    // Connections and services handed out and not yet closed.
    int OpenHandles() const;

    struct State; // shared with the handles and the clock listener, so neither outlives it

private:
    std::shared_ptr<State> state_;
};

} // namespace memory
