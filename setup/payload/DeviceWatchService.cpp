// The companion service "DeviceWatchService". Run with " /Service" it registers itself with the service
// manager (or points an existing registration at itself) and ends. Started by the service manager it runs
// until stopped: the control panel's own codes 193 and 196 start the panel for the user at the console,
// 128 announces an installation. Everything it does goes to the debug output.

#include "platform/win32/Handles.h"
#include "platform/win32/Win32DebugOutput.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SessionLauncher.h"
#include "setup/CompanionService.h"

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kServiceName[] = L"DeviceWatchService";
constexpr wchar_t kDisplayName[] = L"Device Watch Service";
constexpr wchar_t kDescription[] = L"Starts the audio control panel for the signed-in user when it asks.";

win32::Win32DebugOutput debug;
SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopEvent = nullptr;
setup::CompanionService* companion = nullptr;

void Report(DWORD state)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 3000;
    ::SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, LPVOID, LPVOID)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        debug.Write(L"DeviceWatchService: stopping\n");
        Report(SERVICE_STOP_PENDING);
        ::SetEvent(stopEvent);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return companion && companion->OnControl(control) != setup::ControlOutcome::NotOwn ? NO_ERROR
                                                                                         : ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, LPWSTR*)
{
    statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
    if (!statusHandle) {
        win32::ReportLastError(debug, L"RegisterServiceCtrlHandlerExW");
        return;
    }
    const win32::KernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop) {
        win32::ReportLastError(debug, L"CreateEventW");
        Report(SERVICE_STOPPED);
        return;
    }
    win32::Win32Registry registry(debug);
    win32::Win32SessionLauncher launcher(debug);
    setup::CompanionService service(registry, launcher, debug);
    stopEvent = stop.Get();
    companion = &service;
    Report(SERVICE_RUNNING);
    debug.Write(L"DeviceWatchService: running\n");
    ::WaitForSingleObject(stop.Get(), INFINITE);
    companion = nullptr;
    Report(SERVICE_STOPPED);
}

// 0 registered; 1 the service manager refused. It starts with Windows, so that the panel that Windows
// starts at log-on finds it.
int RegisterSelf()
{
    wchar_t path[MAX_PATH]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::wstring command = L"\"" + std::wstring(path) + L"\"";
    const win32::ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        win32::ReportLastError(debug, L"OpenSCManagerW");
        return 1;
    }
    win32::ServiceHandle service(::CreateServiceW(manager.Get(), kServiceName, kDisplayName, SERVICE_ALL_ACCESS,
                                                  SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                                  command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service) {
        if (::GetLastError() != ERROR_SERVICE_EXISTS) {
            win32::ReportLastError(debug, L"CreateServiceW");
            return 1;
        }
        service.Reset(::OpenServiceW(manager.Get(), kServiceName, SERVICE_ALL_ACCESS));
        if (!service || !::ChangeServiceConfigW(service.Get(), SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                                SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr,
                                                nullptr, nullptr, kDisplayName)) {
            win32::ReportLastError(debug, L"ChangeServiceConfigW");
            return 1;
        }
    }
    std::wstring description = kDescription;
    SERVICE_DESCRIPTIONW text{description.data()};
    ::ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_DESCRIPTION, &text);
    debug.Write(L"DeviceWatchService: registered " + command + L"\n");
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    if (commandLine && std::wcsstr(commandLine, L"/Service"))
        return RegisterSelf();
    wchar_t name[] = L"DeviceWatchService";
    const SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    if (::StartServiceCtrlDispatcherW(table))
        return 0;
    win32::ReportLastError(debug, L"StartServiceCtrlDispatcherW");
    return 1;
}
