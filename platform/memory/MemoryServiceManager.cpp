#include "platform/memory/MemoryServiceManager.h"

#include "common/Text.h"

#include <optional>

namespace memory {

namespace {

struct ServiceEntry {
    std::wstring name; // as added
    SimulatedService service;
    std::optional<ports::ServiceState> pendingState; // where a start or stop in progress ends
    std::uint64_t dueAtMs = 0;
};

} // namespace

struct MemoryServiceManager::State {
    explicit State(ManualClock& manualClock) : clock(manualClock) {}

    ManualClock& clock;
    bool failConnect = false;
    std::map<std::wstring, ServiceEntry> services; // by lower-cased name
    std::vector<OpenRecord> opens;
    std::vector<ControlRecord> controls;
    std::vector<std::wstring> starts;
    int openHandles = 0;

    void Settle(std::uint64_t now)
    {
        for (auto& [key, entry] : services) {
            if (entry.pendingState && now >= entry.dueAtMs) {
                entry.service.state = *entry.pendingState;
                entry.pendingState.reset();
            }
        }
    }

    // Moves the service to `transient` now and to `settled` once `takesMs` has passed on the clock.
    void BeginTransition(ServiceEntry& entry, ports::ServiceState transient, ports::ServiceState settled,
                         std::uint64_t takesMs)
    {
        entry.service.state = transient;
        if (takesMs == kNeverMs)
            return;
        entry.pendingState = settled;
        entry.dueAtMs = clock.NowMs() + takesMs;
        Settle(clock.NowMs());
    }
};

namespace {

using State = MemoryServiceManager::State;

// Counts itself among the open handles for as long as it lives.
class CountedHandle {
public:
    explicit CountedHandle(std::shared_ptr<State> state) : state_(std::move(state)) { ++state_->openHandles; }
    CountedHandle(const CountedHandle&) = delete;
    CountedHandle& operator=(const CountedHandle&) = delete;
    ~CountedHandle() { --state_->openHandles; }

protected:
    std::shared_ptr<State> state_;
};

class MemoryService final : public ports::Service, private CountedHandle {
public:
    MemoryService(std::shared_ptr<State> state, std::wstring key, ports::ServiceAccess access)
        : CountedHandle(std::move(state)), key_(std::move(key)), access_(access)
    {
    }

    std::optional<ports::ServiceState> QueryState() override
    {
        const ServiceEntry& entry = Entry();
        if (!entry.service.canQuery)
            return std::nullopt;
        return entry.service.state;
    }

    bool Control(std::uint32_t code) override
    {
        ServiceEntry& entry = Entry();
        const bool accepted = code == ports::kServiceControlStop ? Stop(entry) : OtherControl(entry, code);
        state_->controls.push_back({entry.name, code, accepted});
        return accepted;
    }

    bool Start() override
    {
        ServiceEntry& entry = Entry();
        state_->starts.push_back(entry.name);
        if (access_ != ports::ServiceAccess::All || !entry.service.startSucceeds ||
            entry.service.state != ports::ServiceState::Stopped)
            return false;
        state_->BeginTransition(entry, ports::ServiceState::StartPending, ports::ServiceState::Running,
                                entry.service.startTakesMs);
        return true;
    }

private:
    ServiceEntry& Entry() { return state_->services.at(key_); }

    bool Stop(ServiceEntry& entry)
    {
        if (access_ != ports::ServiceAccess::All || !entry.service.acceptsStop ||
            entry.service.state == ports::ServiceState::Stopped)
            return false;
        state_->BeginTransition(entry, ports::ServiceState::StopPending, ports::ServiceState::Stopped,
                                entry.service.stopTakesMs);
        return true;
    }

    bool OtherControl(const ServiceEntry& entry, std::uint32_t code) const
    {
        const bool userDefined = code >= 128;
        if (access_ != ports::ServiceAccess::All && !userDefined)
            return false;
        return entry.service.acceptsControls && entry.service.state != ports::ServiceState::Stopped;
    }

    std::wstring key_;
    ports::ServiceAccess access_;
};

class MemoryConnection final : public ports::ServiceManagerConnection, private CountedHandle {
public:
    using CountedHandle::CountedHandle;

    std::unique_ptr<ports::Service> Open(const std::wstring& name, ports::ServiceAccess access) override
    {
        const std::wstring key = ToLowerAscii(name);
        const auto found = state_->services.find(key);
        if (found == state_->services.end() || !found->second.service.canOpen)
            return nullptr;
        state_->opens.push_back({found->second.name, access});
        return std::make_unique<MemoryService>(state_, key, access);
    }
};

} // namespace

MemoryServiceManager::MemoryServiceManager(ManualClock& clock) : state_(std::make_shared<State>(clock))
{
    clock.OnAdvance([weak = std::weak_ptr<State>(state_)](std::uint64_t now) {
        if (const auto state = weak.lock())
            state->Settle(now);
    });
}

std::unique_ptr<ports::ServiceManagerConnection> MemoryServiceManager::Connect()
{
    if (state_->failConnect)
        return nullptr;
    return std::make_unique<MemoryConnection>(state_);
}

void MemoryServiceManager::Add(const std::wstring& name, const SimulatedService& service)
{
    state_->services[ToLowerAscii(name)] = ServiceEntry{name, service, std::nullopt, 0};
}

bool MemoryServiceManager::Exists(const std::wstring& name) const
{
    return state_->services.contains(ToLowerAscii(name));
}

bool MemoryServiceManager::Remove(const std::wstring& name)
{
    return state_->services.erase(ToLowerAscii(name)) > 0;
}

SimulatedService& MemoryServiceManager::At(const std::wstring& name)
{
    return state_->services.at(ToLowerAscii(name)).service;
}

void MemoryServiceManager::FailConnect(bool fail)
{
    state_->failConnect = fail;
}

const std::vector<MemoryServiceManager::OpenRecord>& MemoryServiceManager::Opens() const
{
    return state_->opens;
}

const std::vector<MemoryServiceManager::ControlRecord>& MemoryServiceManager::Controls() const
{
    return state_->controls;
}

const std::vector<std::wstring>& MemoryServiceManager::Starts() const
{
    return state_->starts;
}

int MemoryServiceManager::OpenHandles() const
{
    return state_->openHandles;
}

} // namespace memory
