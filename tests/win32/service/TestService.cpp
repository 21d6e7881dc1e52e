// A minimal Windows service for the service-control tests. It runs until told to stop, accepts the
// user-defined control 193 and records it as "LastUserControl" under HKLM\SOFTWARE\Tonvio Test Service,
// and rejects every other user-defined control, so a test can see which controls arrived.

#include "platform/win32/Handles.h"

#include <windows.h>

namespace {

constexpr DWORD kAcceptedUserControl = 193;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopEvent = nullptr;

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 2000;
    ::SetServiceStatus(statusHandle, &status);
}

void RecordUserControl(DWORD control)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tonvio Test Service", 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const win32::RegistryKeyHandle owned(key);
    ::RegSetValueExW(owned.Get(), L"LastUserControl", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&control),
                     sizeof(control));
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
        Report(SERVICE_STOP_PENDING);
        ::SetEvent(stopEvent);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    case kAcceptedUserControl:
        RecordUserControl(control);
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

// The service manager passes the service's name first.
void WINAPI ServiceMain(DWORD argc, LPWSTR* argv)
{
    statusHandle = ::RegisterServiceCtrlHandlerExW(argc > 0 ? argv[0] : L"", Handler, nullptr);
    if (!statusHandle)
        return;
    Report(SERVICE_START_PENDING);
    const win32::KernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop) {
        Report(SERVICE_STOPPED);
        return;
    }
    stopEvent = stop.Get();
    Report(SERVICE_RUNNING);
    ::WaitForSingleObject(stop.Get(), INFINITE);
    Report(SERVICE_STOPPED);
}

} // namespace

int wmain()
{
    wchar_t name[] = L""; // a service of its own process need not name itself here
    const SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
