// Stand-in for the companion service "DeviceWatchService", the least the installer needs of it: run with
// " /Service" it registers itself with the service manager (or points an existing registration at itself)
// and ends; started by the service manager it runs until stopped and accepts the installer's control 128.
// The real service replaces this program in the setup's payload.

#include "platform/win32/Handles.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kServiceName[] = L"DeviceWatchService";
constexpr DWORD kBeforeInstallControl = 128;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopEvent = nullptr;

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    ::SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, LPVOID, LPVOID)
{
    if (control == SERVICE_CONTROL_STOP) {
        Report(SERVICE_STOP_PENDING);
        ::SetEvent(stopEvent);
        return NO_ERROR;
    }
    return control == SERVICE_CONTROL_INTERROGATE || control == kBeforeInstallControl ? NO_ERROR
                                                                                      : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, LPWSTR*)
{
    statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
    if (!statusHandle)
        return;
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

// 0 registered; 1 the service manager refused.
int RegisterSelf()
{
    wchar_t path[MAX_PATH]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::wstring command = L"\"" + std::wstring(path) + L"\"";
    const win32::ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return 1;
    win32::ServiceHandle service(::CreateServiceW(manager.Get(), kServiceName, kServiceName, SERVICE_ALL_ACCESS,
                                                  SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                                  command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (service)
        return 0;
    if (::GetLastError() != ERROR_SERVICE_EXISTS)
        return 1;
    service.Reset(::OpenServiceW(manager.Get(), kServiceName, SERVICE_ALL_ACCESS));
    return service && ::ChangeServiceConfigW(service.Get(), SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                             SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr,
                                             nullptr, nullptr, kServiceName)
               ? 0
               : 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    if (commandLine && std::wcsstr(commandLine, L"/Service"))
        return RegisterSelf();
    wchar_t name[] = L"DeviceWatchService";
    const SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
