#pragma once
// Running a helper program from a test: its exit code and everything it wrote to stdout and stderr.

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <string>
#include <vector>

namespace child_process {

struct Finished {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// The folder of the running test program, with its trailing backslash.
inline std::wstring ProgramFolder()
{
    const std::wstring path = win32::RunningProgramPath();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// Runs `program` with `arguments`, in `currentFolder` when given, and waits up to `timeoutMs`.
inline Finished Run(const std::wstring& program, const std::wstring& arguments, const std::wstring& currentFolder = {},
                    DWORD timeoutMs = 30000)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return {};
    const win32::KernelHandle reader(readEnd);
    win32::KernelHandle writer(writeEnd);
    ::SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    startup.hStdInput = nullptr;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process))
        return {};
    const win32::KernelHandle processHandle(process.hProcess);
    const win32::KernelHandle threadHandle(process.hThread);
    writer.Reset(); // the child holds the only write end now, so the pipe ends with it

    Finished finished;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(reader.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        finished.output.append(buffer, read);
    if (::WaitForSingleObject(processHandle.Get(), timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(processHandle.Get(), &finished.exitCode);
    // The child's C library writes text mode: line ends arrive as CR LF.
    for (std::size_t at = finished.output.find("\r\n"); at != std::string::npos; at = finished.output.find("\r\n", at))
        finished.output.erase(at, 1);
    return finished;
}

} // namespace child_process
