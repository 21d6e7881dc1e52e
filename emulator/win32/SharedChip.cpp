#include "emulator/win32/SharedChip.h"

#include "platform/win32/Win32Failure.h"

#include <windows.h>

#include <iterator>

namespace emulator {

namespace {

std::wstring BackingFilePath(const std::wstring& name)
{
    wchar_t folder[MAX_PATH + 1]{};
    const DWORD length = ::GetTempPathW(static_cast<DWORD>(std::size(folder)), folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    return std::wstring(folder, length) + name + L".state";
}

bool Valid(const ChipState& state)
{
    return state.magic == kChipStateMagic && state.layout == kChipStateLayout && state.size == sizeof(ChipState);
}

} // namespace

void NamedMutexLock::lock()
{
    // An abandoned mutex is ours as well: its last owner ended mid-access, and the state is still usable.
    ::WaitForSingleObject(mutex_.Get(), INFINITE);
}

void NamedMutexLock::unlock()
{
    ::ReleaseMutex(mutex_.Get());
}

std::unique_ptr<SharedChip> SharedChip::Open(unsigned long& error, const std::wstring& name)
{
    const std::wstring path = BackingFilePath(name);
    if (path.empty()) {
        error = win32::ReportLastError(win32::SystemDebugOutput(), L"GetTempPathW");
        return nullptr;
    }
    win32::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = win32::ReportLastError(win32::SystemDebugOutput(), L"CreateFileW");
        return nullptr;
    }
    const std::wstring objectName = L"Local\\" + name;
    win32::KernelHandle mapping(::CreateFileMappingW(file.Get(), nullptr, PAGE_READWRITE, 0,
                                                     static_cast<DWORD>(sizeof(ChipState)), objectName.c_str()));
    if (!mapping) {
        error = win32::ReportLastError(win32::SystemDebugOutput(), L"CreateFileMappingW");
        return nullptr;
    }
    MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(ChipState)));
    if (!view) {
        error = win32::ReportLastError(win32::SystemDebugOutput(), L"MapViewOfFile");
        return nullptr;
    }
    win32::KernelHandle mutex(::CreateMutexW(nullptr, FALSE, (objectName + L".Lock").c_str()));
    if (!mutex) {
        error = win32::ReportLastError(win32::SystemDebugOutput(), L"CreateMutexW");
        return nullptr;
    }
    error = ERROR_SUCCESS;
    auto shared =
        std::make_unique<SharedChip>(Key{}, std::move(file), std::move(mapping), std::move(view), std::move(mutex));
    shared->chip().WithState([](ChipState& state) {
        if (!Valid(state))
            ResetChipState(state);
        return 0;
    });
    return shared;
}

SharedChip::SharedChip(Key, win32::FileHandle file, win32::KernelHandle mapping, MappedView view,
                       win32::KernelHandle mutex)
    : file_(std::move(file)), mapping_(std::move(mapping)), view_(std::move(view)), lock_(std::move(mutex)),
      chip_(*static_cast<ChipState*>(view_.Get()), lock_)
{
}

SharedChip::~SharedChip() = default;

} // namespace emulator
