#include "common/ServiceControl.h"

namespace {

// Polls until the service reports `wanted`; a failed query counts as "not yet".
bool WaitForState(ports::Service& service, ports::Clock& clock, ports::ServiceState wanted)
{
    for (int poll = 0; poll < kServicePollCount; ++poll) {
        clock.SleepMs(kServicePollIntervalMs);
        if (service.QueryState() == wanted)
            return true;
    }
    return false;
}

} // namespace

int ControlTheService(ports::ServiceManager& services, ports::Clock& clock, const std::wstring& name,
                      std::uint32_t control, ServiceRights rights)
{
    const std::unique_ptr<ports::ServiceManagerConnection> manager = services.Connect();
    if (!manager)
        return kServiceNoManager;

    const ports::ServiceAccess access =
        rights == ServiceRights::ByControl && control >= kFirstUserDefinedControl ? ports::ServiceAccess::QueryAndUserControl
                                                                                 : ports::ServiceAccess::All;
    const std::unique_ptr<ports::Service> service = manager->Open(name, access);
    if (!service)
        return kServiceCannotOpen;

    const std::optional<ports::ServiceState> state = service->QueryState();
    if (!state)
        return kServiceCannotQuery;

    switch (control) {
    case kServiceStop:
        if (*state == ports::ServiceState::Stopped)
            return kServiceControlOk;
        if (!service->Control(kServiceStop))
            return kServiceStopRefused;
        return WaitForState(*service, clock, ports::ServiceState::Stopped) ? kServiceControlOk : kServiceNeverStopped;
    case kServiceStart:
        if (*state == ports::ServiceState::Running)
            return kServiceControlOk;
        if (!service->Start())
            return kServiceStartFailed;
        return WaitForState(*service, clock, ports::ServiceState::Running) ? kServiceControlOk : kServiceNeverRunning;
    default:
        // The service's answer is not ours to judge: a service that ignores a code it does not know is fine.
        service->Control(control);
        return kServiceControlOk;
    }
}
