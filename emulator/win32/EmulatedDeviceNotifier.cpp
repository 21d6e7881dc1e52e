#include "emulator/win32/EmulatedDeviceNotifier.h"

#include "common/Text.h"
#include "platform/win32/Win32DeviceNotifications.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32Failure.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace emulator {

namespace {

constexpr wchar_t kWatcherClassName[] = L"TonvioEmulatedDeviceNotifier";
constexpr UINT_PTR kWatchTimerId = 1;

std::wstring AudioInterfacePath(std::uint16_t vid, std::uint16_t pid)
{
    return FormatText(
        200, L"\\\\?\\USB#VID_%04X&PID_%04X&MI_00#6&2b3c4d5e&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}\\global",
        vid, pid);
}

std::wstring HidInterfacePath(std::uint16_t vid, std::uint16_t pid)
{
    return FormatText(
        200, L"\\\\?\\HID#VID_%04X&PID_%04X&MI_03#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", vid, pid);
}

// One broadcast as the system sends it: the fixed part, then the path with its terminator.
void SendInterfaceChange(HWND target, WPARAM event, const GUID& interfaceClass, const std::wstring& path)
{
    constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    const std::size_t bytes = kNameOffset + (path.size() + 1) * sizeof(wchar_t);
    std::vector<DEV_BROADCAST_DEVICEINTERFACE_W> block((bytes + sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) - 1) /
                                                       sizeof(DEV_BROADCAST_DEVICEINTERFACE_W));
    DEV_BROADCAST_DEVICEINTERFACE_W& broadcast = block.front();
    broadcast.dbcc_size = static_cast<DWORD>(bytes);
    broadcast.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast.dbcc_classguid = interfaceClass;
    std::memcpy(reinterpret_cast<std::byte*>(block.data()) + kNameOffset, path.c_str(),
                (path.size() + 1) * sizeof(wchar_t));
    ::SendMessageW(target, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(block.data()));
}

void SendDeviceChange(HWND target, WPARAM event, std::uint16_t vid, std::uint16_t pid)
{
    SendInterfaceChange(target, event, win32::kAudioInterfaceClass, AudioInterfacePath(vid, pid));
    SendInterfaceChange(target, event, win32::kHidInterfaceClass, HidInterfacePath(vid, pid));
}

void RegisterWatcherClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW watcherClass{};
    watcherClass.cbSize = sizeof(watcherClass);
    watcherClass.lpfnWndProc = procedure;
    watcherClass.hInstance = instance;
    watcherClass.lpszClassName = kWatcherClassName;
    ::RegisterClassExW(&watcherClass); // fails harmlessly when already registered
}

} // namespace

EmulatedDeviceNotifier::EmulatedDeviceNotifier(Chip& chip, HWND target, UINT intervalMs)
    : chip_(chip), target_(target), seen_(Read())
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterWatcherClass(instance, &EmulatedDeviceNotifier::Procedure);
    watcher_.Reset(
        ::CreateWindowExW(0, kWatcherClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!watcher_) {
        win32::ReportLastError(win32::SystemDebugOutput(), L"CreateWindowExW");
        return;
    }
    ::SetWindowLongPtrW(watcher_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    watching_ = ::SetTimer(watcher_.Get(), kWatchTimerId, intervalMs, nullptr) != 0;
    if (!watching_)
        win32::ReportLastError(win32::SystemDebugOutput(), L"SetTimer");
}

EmulatedDeviceNotifier::~EmulatedDeviceNotifier()
{
    if (watcher_)
        ::SetWindowLongPtrW(watcher_.Get(), GWLP_USERDATA, 0); // its timer dies with the window
}

LRESULT CALLBACK EmulatedDeviceNotifier::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<EmulatedDeviceNotifier*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_TIMER && wParam == kWatchTimerId) {
        win32::Guarded(win32::SystemDebugOutput(), L"the emulated device's watch", [self] { self->Look(); });
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

EmulatedDeviceNotifier::PlugState EmulatedDeviceNotifier::Read()
{
    return chip_.WithState([](ChipState& state) {
        return PlugState{state.presence.plugged != 0, state.presence.plugGeneration, state.presence.vid,
                         state.presence.pid};
    });
}

void EmulatedDeviceNotifier::Look()
{
    // The panel pumps messages while it handles a broadcast, which can bring the next tick in here; that
    // one waits, so the broadcasts of one change never interleave with another's.
    if (sending_)
        return;
    const PlugState now = Read();
    if (now == seen_)
        return;
    const PlugState before = std::exchange(seen_, now);
    sending_ = true;
    // A device still plugged in but changed (plugged in again between two looks, or given another
    // identity) is a new device to Windows: the old one goes first.
    if (before.plugged)
        SendDeviceChange(target_, DBT_DEVICEREMOVECOMPLETE, before.vid, before.pid);
    if (now.plugged)
        SendDeviceChange(target_, DBT_DEVICEARRIVAL, now.vid, now.pid);
    sending_ = false;
}

} // namespace emulator
