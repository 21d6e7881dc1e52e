#include "platform/win32/Win32SessionLauncher.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Failure.h"

#include <windows.h>

#include <userenv.h>
#include <wtsapi32.h>

#include <string>

namespace win32 {

namespace {

constexpr wchar_t kInteractiveDesktop[] = L"winsta0\\default";

// The environment block of a user, freed when it goes. It builds on the service's own environment, so that
// machine-wide variables the service was given (the display of a system without sessions, say) reach the
// panel; the user's own variables and profile folders take precedence.
class EnvironmentBlock {
public:
    explicit EnvironmentBlock(HANDLE token)
    {
        if (!::CreateEnvironmentBlock(&block_, token, TRUE))
            block_ = nullptr;
    }
    ~EnvironmentBlock()
    {
        if (block_)
            ::DestroyEnvironmentBlock(block_);
    }
    EnvironmentBlock(const EnvironmentBlock&) = delete;
    EnvironmentBlock& operator=(const EnvironmentBlock&) = delete;
    void* Get() const { return block_; }

private:
    void* block_ = nullptr;
};

// The console user's primary token; invalid when Windows has none for the service.
KernelHandle ConsoleUserToken(ports::DebugOutput& debug)
{
    const DWORD session = ::WTSGetActiveConsoleSessionId();
    HANDLE token = nullptr;
    if (session == 0xFFFFFFFF || !::WTSQueryUserToken(session, &token)) {
        ReportLastError(debug, L"WTSQueryUserToken");
        return KernelHandle();
    }
    return KernelHandle(token);
}

} // namespace

bool Win32SessionLauncher::InstanceRuns(const std::wstring& mutexName)
{
    // Seen from the service, the panel's object lies in its session's own namespace.
    const DWORD session = ::WTSGetActiveConsoleSessionId();
    for (const std::wstring& name : {L"Session\\" + std::to_wstring(session) + L"\\" + mutexName, mutexName}) {
        const KernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
        if (mutex.Valid())
            return true;
    }
    return false;
}

bool Win32SessionLauncher::StartInUserSession(const std::wstring& commandLine)
{
    std::wstring mutableLine = commandLine; // CreateProcess may write into it
    std::wstring desktop = kInteractiveDesktop;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.lpDesktop = desktop.data();
    PROCESS_INFORMATION process{};

    const KernelHandle token = ConsoleUserToken(debug_);
    BOOL started = FALSE;
    if (token.Valid()) {
        const EnvironmentBlock environment(token.Get());
        started = ::CreateProcessAsUserW(token.Get(), nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                                         CREATE_UNICODE_ENVIRONMENT, environment.Get(), nullptr, &startup, &process);
        if (!started)
            ReportLastError(debug_, L"CreateProcessAsUserW");
    } else {
        debug_.Write(L"DeviceWatchService: no user token, the panel starts with the service's rights\n");
        started = ::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process);
        if (!started)
            ReportLastError(debug_, L"CreateProcessW");
    }
    if (!started)
        return false;
    const KernelHandle processHandle(process.hProcess);
    const KernelHandle threadHandle(process.hThread);
    return true;
}

} // namespace win32
