#include "platform/win32/Win32ServiceManager.h"

#include "platform/win32/Handles.h"

namespace win32 {

namespace {

class Win32Service final : public ports::Service {
public:
    Win32Service(ServiceHandle service, ports::DebugOutput& debug) : service_(std::move(service)), debug_(debug) {}

    std::optional<ports::ServiceState> QueryState() override
    {
        SERVICE_STATUS status{};
        if (!::QueryServiceStatus(service_.Get(), &status)) {
            ReportLastError(debug_, L"QueryServiceStatus");
            return std::nullopt;
        }
        if (status.dwCurrentState < SERVICE_STOPPED || status.dwCurrentState > SERVICE_PAUSED)
            return std::nullopt;
        return static_cast<ports::ServiceState>(status.dwCurrentState);
    }

    bool Control(std::uint32_t code) override
    {
        SERVICE_STATUS status{};
        if (::ControlService(service_.Get(), code, &status))
            return true;
        ReportLastError(debug_, L"ControlService");
        return false;
    }

    bool Start() override
    {
        if (::StartServiceW(service_.Get(), 0, nullptr))
            return true;
        ReportLastError(debug_, L"StartServiceW");
        return false;
    }

private:
    ServiceHandle service_;
    ports::DebugOutput& debug_;
};

class Win32Connection final : public ports::ServiceManagerConnection {
public:
    Win32Connection(ServiceHandle manager, ports::DebugOutput& debug) : manager_(std::move(manager)), debug_(debug) {}

    std::unique_ptr<ports::Service> Open(const std::wstring& name, ports::ServiceAccess access) override
    {
        const DWORD rights = access == ports::ServiceAccess::QueryAndUserControl
                                 ? SERVICE_QUERY_STATUS | SERVICE_USER_DEFINED_CONTROL
                                 : SERVICE_ALL_ACCESS;
        ServiceHandle service(::OpenServiceW(manager_.Get(), name.c_str(), rights));
        if (!service) {
            ReportLastError(debug_, L"OpenServiceW");
            return nullptr;
        }
        return std::make_unique<Win32Service>(std::move(service), debug_);
    }

private:
    ServiceHandle manager_;
    ports::DebugOutput& debug_;
};

} // namespace

std::unique_ptr<ports::ServiceManagerConnection> Win32ServiceManager::Connect()
{
    ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        ReportLastError(debug_, L"OpenSCManagerW");
        return nullptr;
    }
    return std::make_unique<Win32Connection>(std::move(manager), debug_);
}

} // namespace win32
