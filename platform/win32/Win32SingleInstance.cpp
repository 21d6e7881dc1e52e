#include "platform/win32/Win32SingleInstance.h"

#include "platform/win32/Win32Failure.h"

namespace win32 {

namespace {
HWND ToWindow(ports::WindowRef window)
{
    return reinterpret_cast<HWND>(window.value);
}
} // namespace

bool Win32SingleInstance::NamedMutexExists(const std::wstring& name)
{
    const KernelHandle existing(::OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
    // "Not found" is the answer no; any other failure is worth a line.
    if (!existing && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        ReportLastError(SystemDebugOutput(), L"OpenMutexW");
    return existing.Valid();
}

bool Win32SingleInstance::HoldNamedMutex(const std::wstring& name)
{
    mutex_.Reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex_)
        ReportLastError(SystemDebugOutput(), L"CreateMutexW");
    return mutex_.Valid();
}

void Win32SingleInstance::ClearOwnApplicationCaption()
{
    if (ownWindow_ != nullptr)
        ::SetWindowTextW(ownWindow_, L"");
}

std::optional<ports::WindowRef> Win32SingleInstance::FindTopLevelWindow(const std::wstring& className,
                                                                        const std::wstring& caption)
{
    const HWND found = ::FindWindowW(className.c_str(), caption.c_str());
    if (found == nullptr)
        return std::nullopt;
    return ports::WindowRef{reinterpret_cast<std::uintptr_t>(found)};
}

bool Win32SingleInstance::IsWindowMinimized(ports::WindowRef window)
{
    return ::IsIconic(ToWindow(window)) != FALSE;
}

void Win32SingleInstance::RestoreWindow(ports::WindowRef window)
{
    ::ShowWindow(ToWindow(window), SW_RESTORE);
}

void Win32SingleInstance::BringWindowForward(ports::WindowRef window)
{
    ::BringWindowToTop(ToWindow(window));
    ::SetForegroundWindow(ToWindow(window));
}

} // namespace win32
