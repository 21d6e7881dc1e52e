#pragma once
// The Windows service control manager: a connection, a service opened through it, its state and controls.
// Handles close when their objects go.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ports {

enum class ServiceState : std::uint32_t {
    Stopped = 1,
    StartPending = 2,
    StopPending = 3,
    Running = 4,
    ContinuePending = 5,
    PausePending = 6,
    Paused = 7,
};

// The rights a service is opened with.
enum class ServiceAccess { QueryAndUserControl, All };

inline constexpr std::uint32_t kServiceControlStop = 1;

class Service {
public:
    virtual ~Service() = default;
    virtual std::optional<ServiceState> QueryState() = 0;
    virtual bool Control(std::uint32_t code) = 0;
    virtual bool Start() = 0; // without arguments
};

class ServiceManagerConnection {
public:
    virtual ~ServiceManagerConnection() = default;
    virtual std::unique_ptr<Service> Open(const std::wstring& name, ServiceAccess access) = 0;
};

class ServiceManager {
public:
    virtual ~ServiceManager() = default;
    virtual std::unique_ptr<ServiceManagerConnection> Connect() = 0;
};

} // namespace ports
