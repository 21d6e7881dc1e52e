#include "platform/win32/Win32SdkLibrary.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

namespace win32 {

namespace {

class Win32SdkLibrary final : public ports::SdkLibrary {
public:
    explicit Win32SdkLibrary(ModuleHandle module) : module_(std::move(module)) {}

    ports::SdkSymbol Symbol(const std::string& name) const override
    {
        // FARPROC to the generic function pointer; the binder casts it to the entry point's own type.
        return reinterpret_cast<ports::SdkSymbol>(::GetProcAddress(module_.Get(), name.c_str()));
    }

private:
    ModuleHandle module_;
};

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Present from Windows 8 on, and on Windows 7 with the loader update; the LOAD_LIBRARY_SEARCH_* flags
// work exactly where it does.
SetDefaultDllDirectoriesFunction SafeSearchSupport()
{
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr)
        return nullptr;
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

std::wstring ProgramFolder()
{
    const std::wstring program = RunningProgramPath();
    const std::size_t slash = program.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash + 1);
}

// Returns the module, or null with the loader's error code in `error` (taken before any other call).
HMODULE LoadFromTrustedFolders(const std::wstring& fileName, DWORD& error)
{
    HMODULE module = nullptr;
    if (const auto setDefaultDirectories = SafeSearchSupport()) {
        // Later loads of the process, the SDK's own included, keep away from the current folder too.
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        module = ::LoadLibraryExW(fileName.c_str(), nullptr,
                                  LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    } else {
        // Without the search flags, a full path beside the program is the one safe way to name it.
        const std::wstring path = ProgramFolder() + fileName;
        module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    error = module == nullptr ? ::GetLastError() : ERROR_SUCCESS;
    return module;
}

} // namespace

std::wstring SystemErrorText(unsigned long errorCode)
{
    wchar_t text[512]{};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                          errorCode, 0, text, static_cast<DWORD>(std::size(text)), nullptr);
    return std::wstring(text, length);
}

std::unique_ptr<ports::SdkLibrary> Win32SdkLibraryLoader::Open(const std::wstring& fileName,
                                                               ports::SdkLibraryFailure& failure)
{
    DWORD error = ERROR_SUCCESS;
    ModuleHandle module(LoadFromTrustedFolders(fileName, error));
    if (!module) {
        failure = {error, SystemErrorText(error)};
        return nullptr;
    }
    return std::make_unique<Win32SdkLibrary>(std::move(module));
}

void Win32SdkErrorBox::Show(const std::wstring& text, const std::wstring& caption)
{
    ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

device::SdkLoadOutcome LoadAudioSdk(ports::DebugOutput& debug)
{
    Win32SdkLibraryLoader loader;
    Win32SdkErrorBox errorBox;
    return device::LoadSdk(loader, errorBox, debug);
}

} // namespace win32
