#include "emulator/dll/ButtonWatcher.h"

#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32Failure.h"

#include <windows.h>

#include <array>
#include <memory>

namespace emulator {

namespace {

constexpr DWORD kPollMs = 10;

struct WatchContext {
    SharedEmulatedDevice& device;
    win32::KernelHandle stop; // the thread's own handle of the stop event
    HMODULE library;          // the reference the thread holds
};

struct Press {
    bool deliver = false;
    std::array<std::uint8_t, 5> report{};
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
};

std::uint32_t PressCount(Chip& chip)
{
    return chip.WithState([](ChipState& s) { return s.button.pressCount; });
}

// The latest press when the count has moved since `seen`; presses between two polls come as the last.
Press TakePress(Chip& chip, std::uint32_t& seen)
{
    return chip.WithState([&](ChipState& s) {
        Press press;
        if (s.button.pressCount == seen)
            return press;
        seen = s.button.pressCount;
        press.deliver = s.presence.plugged && s.button.scanning;
        std::copy(std::begin(s.button.report), std::end(s.button.report), press.report.begin());
        press.vid = s.button.scanVid;
        press.pid = s.button.scanPid;
        return press;
    });
}

void Watch(WatchContext& context)
{
    std::uint32_t seen = PressCount(context.device.chip());
    while (::WaitForSingleObject(context.stop.Get(), kPollMs) == WAIT_TIMEOUT) {
        const Press press = TakePress(context.device.chip(), seen);
        const sdk::ButtonCallback callback = context.device.sdk().ScanCallback();
        if (press.deliver && callback != nullptr)
            callback(press.vid, press.pid, press.report.data(), static_cast<std::int32_t>(press.report.size()), 0);
    }
}

DWORD WINAPI WatchThread(void* parameter)
{
    HMODULE library = nullptr;
    {
        const std::unique_ptr<WatchContext> context(static_cast<WatchContext*>(parameter));
        library = context->library;
        // The thread ends as it should (its library reference given back) whatever the watch throws.
        win32::Guarded(win32::SystemDebugOutput(), L"the button watch", [&] { Watch(*context); });
    }
    ::FreeLibraryAndExitThread(library, 0);
}

// A counted reference to the module this code lives in.
HMODULE ReferenceThisLibrary()
{
    HMODULE library = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&WatchThread), &library);
    return library;
}

win32::KernelHandle Duplicate(HANDLE handle)
{
    HANDLE copy = nullptr;
    const HANDLE self = ::GetCurrentProcess();
    if (!::DuplicateHandle(self, handle, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return {};
    return win32::KernelHandle(copy);
}

} // namespace

ButtonWatcher::~ButtonWatcher()
{
    const std::lock_guard guard(mutex_);
    Stop();
}

void ButtonWatcher::Follow()
{
    const std::lock_guard guard(mutex_);
    if (device_.sdk().ScanCallback() == nullptr) {
        Stop();
        return;
    }
    if (stop_)
        return;
    win32::KernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop)
        return;
    win32::KernelHandle threadStop = Duplicate(stop.Get());
    const HMODULE library = ReferenceThisLibrary();
    if (!threadStop || library == nullptr) {
        if (library != nullptr)
            ::FreeLibrary(library);
        return;
    }
    auto context = std::make_unique<WatchContext>(WatchContext{device_, std::move(threadStop), library});
    const win32::KernelHandle thread(::CreateThread(nullptr, 0, &WatchThread, context.get(), 0, nullptr));
    if (!thread) {
        ::FreeLibrary(library);
        return;
    }
    context.release(); // the thread owns it now
    stop_ = std::move(stop);
}

void ButtonWatcher::Stop()
{
    if (stop_)
        ::SetEvent(stop_.Get());
    stop_.Reset();
}

} // namespace emulator
