#pragma once
// The emulated chip shared by every process on the desktop: its ChipState lives in a named file mapping
// and a named mutex is its lock. The mapping is backed by a file in the user's temporary folder, so a
// change made by a short-lived process (the control tool, say) is still there for the next one.
// A block that does not carry the current magic, layout and size is reset to the factory state.
//
// Names: the mapping "Local\TonvioEmulatedChip", the mutex "Local\TonvioEmulatedChip.Lock", the file
// "%TEMP%\TonvioEmulatedChip.state". "Local\" keeps the chip to one log-on session.

#include "emulator/Chip.h"
#include "platform/win32/Handles.h"

#include <memory>
#include <string>

namespace emulator {

inline constexpr wchar_t kSharedChipName[] = L"TonvioEmulatedChip";

// The named mutex of the block, held for every access to the state.
class NamedMutexLock final : public StateLock {
public:
    explicit NamedMutexLock(win32::KernelHandle mutex) : mutex_(std::move(mutex)) {}
    void lock() override;
    void unlock() override;

private:
    win32::KernelHandle mutex_;
};

class SharedChip {
    struct ViewTraits {
        using Handle = void*;
        static Handle Invalid() { return nullptr; }
        static void Close(Handle view) { ::UnmapViewOfFile(view); }
    };

public:
    using MappedView = win32::UniqueHandle<ViewTraits>;
    // Only Open builds one.
    class Key {
        Key() = default;
        friend class SharedChip;
    };

    // Opens the chip of this name, creating and resetting it when no valid one exists. Null when the
    // system refuses; `error` then holds the system's error code.
    static std::unique_ptr<SharedChip> Open(unsigned long& error, const std::wstring& name = kSharedChipName);

    SharedChip(Key, win32::FileHandle file, win32::KernelHandle mapping, MappedView view, win32::KernelHandle mutex);
    SharedChip(const SharedChip&) = delete;
    SharedChip& operator=(const SharedChip&) = delete;
    ~SharedChip();

    Chip& chip() { return chip_; }

private:
    win32::FileHandle file_;
    win32::KernelHandle mapping_;
    MappedView view_;
    NamedMutexLock lock_;
    Chip chip_;
};

} // namespace emulator
