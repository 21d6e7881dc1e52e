#include "platform/win32/Win32InstallerSystem.h"

#include "platform/win32/Handles.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace win32 {

namespace {

// One COM interface pointer, released once.
template <typename Interface> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (pointer_)
            pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    Interface** Out() { return &pointer_; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// COM for the calling thread, for as long as the object lives.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope()
    {
        if (initialized_)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Ready() const { return initialized_; }

private:
    bool initialized_;
};

} // namespace

void Win32InstallerSystem::BroadcastRegisteredMessage(const std::wstring& name, std::uint32_t timeoutMs)
{
    const UINT message = ::RegisterWindowMessageW(name.c_str());
    if (message == 0)
        return;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL, timeoutMs, &result);
}

bool Win32InstallerSystem::DeviceOpens(const std::wstring& devicePath)
{
    const FileHandle device(::CreateFileW(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    return device.Valid();
}

ports::ProcessWait Win32InstallerSystem::RunAndWait(const std::wstring& commandLine, std::uint32_t timeoutMs)
{
    std::wstring mutableLine = commandLine; // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, HIGH_PRIORITY_CLASS, nullptr, nullptr,
                          &startup, &process))
        return ports::ProcessWait::NotStarted;
    const KernelHandle processHandle(process.hProcess);
    const KernelHandle threadHandle(process.hThread);
    return ::WaitForSingleObject(processHandle.Get(), timeoutMs) == WAIT_OBJECT_0 ? ports::ProcessWait::Ended
                                                                                  : ports::ProcessWait::TimedOut;
}

bool Win32InstallerSystem::SaveShellLink(const std::wstring& linkPath, const std::wstring& target)
{
    const ComScope com;
    if (!com.Ready())
        return false;
    ComRef<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.OutVoid())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())))
        return false;
    if (FAILED(link->SetPath(target.c_str())))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

void Win32InstallerSystem::Beep(std::uint32_t frequencyHz, std::uint32_t durationMs)
{
    ::Beep(frequencyHz, durationMs);
}

} // namespace win32
