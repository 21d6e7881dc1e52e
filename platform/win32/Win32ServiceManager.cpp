#include "platform/win32/Win32ServiceManager.h"

#include "platform/win32/Handles.h"

namespace win32 {

namespace {

class Win32Service final : public ports::Service {
public:
    explicit Win32Service(ServiceHandle service) : service_(std::move(service)) {}

    std::optional<ports::ServiceState> QueryState() override
    {
        SERVICE_STATUS status{};
        if (!::QueryServiceStatus(service_.Get(), &status))
            return std::nullopt;
        if (status.dwCurrentState < SERVICE_STOPPED || status.dwCurrentState > SERVICE_PAUSED)
            return std::nullopt;
        return static_cast<ports::ServiceState>(status.dwCurrentState);
    }

    bool Control(std::uint32_t code) override
    {
        SERVICE_STATUS status{};
        return ::ControlService(service_.Get(), code, &status) != FALSE;
    }

    bool Start() override { return ::StartServiceW(service_.Get(), 0, nullptr) != FALSE; }

private:
    ServiceHandle service_;
};

class Win32Connection final : public ports::ServiceManagerConnection {
public:
    explicit Win32Connection(ServiceHandle manager) : manager_(std::move(manager)) {}

    std::unique_ptr<ports::Service> Open(const std::wstring& name, ports::ServiceAccess access) override
    {
        const DWORD rights = access == ports::ServiceAccess::QueryAndUserControl
                                 ? SERVICE_QUERY_STATUS | SERVICE_USER_DEFINED_CONTROL
                                 : SERVICE_ALL_ACCESS;
        ServiceHandle service(::OpenServiceW(manager_.Get(), name.c_str(), rights));
        if (!service)
            return nullptr;
        return std::make_unique<Win32Service>(std::move(service));
    }

private:
    ServiceHandle manager_;
};

} // namespace

std::unique_ptr<ports::ServiceManagerConnection> Win32ServiceManager::Connect()
{
    ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return nullptr;
    return std::make_unique<Win32Connection>(std::move(manager));
}

} // namespace win32
