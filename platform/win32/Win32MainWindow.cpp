#include "platform/win32/Win32MainWindow.h"

#include "panel/skin/RegionFile.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32DeviceNotifications.h"
#include "platform/win32/Win32FormPainter.h"

#include <dbt.h>
#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include <vector>

namespace win32 {

namespace {

constexpr UINT_PTR kCheckBoxIdBase = 1000;

void RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW; // replaced per window once its object is known
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = kApplicationWindowClassName;
    ::RegisterClassExW(&windowClass); // fails harmlessly when already registered
}

bool IsHookedMouse(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
}

// What a WM_DEVICECHANGE says, as far as the form needs it: arrivals and removals of device interfaces,
// everything else as "other".
ports::DeviceChange ReadDeviceChange(WPARAM event, LPARAM data)
{
    constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    ports::DeviceChange change;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || header == nullptr ||
        header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header->dbch_size < kNameOffset)
        return change;
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
    change.event =
        event == DBT_DEVICEARRIVAL ? ports::DeviceChange::Event::Arrival : ports::DeviceChange::Event::RemoveComplete;
    change.deviceInterface = true;
    change.hidClass = ::IsEqualGUID(broadcast->dbcc_classguid, kHidInterfaceClass);
    // The name ends at its terminator, or at the end of the block when a sender left that out.
    const std::size_t room = (header->dbch_size - kNameOffset) / sizeof(wchar_t);
    const wchar_t* name = broadcast->dbcc_name;
    change.interfacePath.assign(name, std::find(name, name + room, L'\0'));
    return change;
}

} // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance, ports::DebugOutput& debug) : debug_(debug)
{
    RegisterWindowClass(instance);
    // WS_MINIMIZEBOX and WS_SYSMENU give the borderless window its task-bar minimize and restore.
    window_ =
        ::CreateWindowExW(0, kApplicationWindowClassName, L"", WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) {
        ReportLastError(debug_, L"CreateWindowExW");
        return;
    }
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32MainWindow::Procedure));
}

void Win32MainWindow::Attach(form::Form& form, ports::WindowEvents& events)
{
    form_ = &form;
    events_ = &events;
    if (window_ == nullptr)
        return;
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    UINT_PTR id = kCheckBoxIdBase;
    for (const form::Control& control : form.Controls()) {
        if (!control.Windowed())
            continue;
        checkBoxes_[control.name] =
            ::CreateWindowExW(0, L"BUTTON", control.caption.c_str(), WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 0, 0, window_,
                              reinterpret_cast<HMENU>(id++), instance, nullptr);
    }
    Redraw();
}

Win32MainWindow::~Win32MainWindow()
{
    if (window_ != nullptr) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0); // no more events into a half-destroyed object
        ::DestroyWindow(window_);
    }
}

LRESULT CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    if (Guarded(self->debug_, L"the main window's procedure",
                [&] { result = self->OnMessage(message, wParam, lParam); }))
        return result;
    // The message's own handling failed part-way: the default handling still gives the system an answer
    // (and validates a window whose paint failed, which would otherwise be asked to paint for ever).
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32MainWindow::HandleMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler)
{
    handlers_[message] = std::move(handler);
}

LRESULT Win32MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handler = handlers_.find(message); handler != handlers_.end()) {
        handler->second(wParam, lParam);
        return 0;
    }
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && events_ != nullptr)
            events_->OnActivate();
        break;
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_PAINT:
        if (form_ == nullptr)
            break;
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        ::SetCapture(window_);
        if (events_ != nullptr)
            events_->OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (::GetCapture() == window_)
            ::ReleaseCapture();
        if (events_ != nullptr)
            events_->OnMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SYSCOMMAND:
        // The form decides what minimize and restore mean: to the tray and back.
        if (events_ != nullptr && (wParam & 0xFFF0) == SC_MINIMIZE) {
            events_->OnSystemMinimize();
            return 0;
        }
        if (events_ != nullptr && (wParam & 0xFFF0) == SC_RESTORE) {
            events_->OnSystemRestore();
            return 0;
        }
        break;
    case WM_TIMER:
        if (const auto found = timers_.find(wParam); found != timers_.end()) {
            const std::function<void()> tick = found->second; // the tick may stop its own timer
            tick();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            for (const auto& [name, box] : checkBoxes_)
                if (box == reinterpret_cast<HWND>(lParam)) {
                    form_->Find(name)->checked = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
                    if (events_ != nullptr)
                        events_->OnCheckBoxClick(name);
                    break;
                }
        break;
    case WM_DEVICECHANGE:
        return OnDeviceChange(wParam, lParam);
    case kTrayCallbackMessage:
        if (events_ != nullptr && LOWORD(lParam) == WM_LBUTTONDBLCLK)
            events_->OnTrayDoubleClick();
        else if (events_ != nullptr && LOWORD(lParam) == WM_RBUTTONUP)
            events_->OnTrayRightButtonUp();
        return 0;
    case WM_DESTROY:
        // The window's own end goes on whatever the form's last handler does: timers stop, the loop ends.
        if (events_ != nullptr)
            Guarded(debug_, L"the form's destruction", [this] { events_->OnDestroy(); });
        for (const auto& [id, tick] : timers_)
            ::KillTimer(window_, id);
        timers_.clear();
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        HWND going = window_;
        window_ = nullptr;
        checkBoxes_.clear();
        return ::DefWindowProcW(going, message, wParam, lParam);
    }
    default:
        // Registered messages: the form sees each one, then the default procedure does.
        if (message >= 0xC000 && message <= 0xFFFF && events_ != nullptr)
            events_->OnRegisteredMessage(message);
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT Win32MainWindow::OnDeviceChange(WPARAM event, LPARAM data)
{
    const HWND window = window_; // the pump below may destroy the window
    if (events_ != nullptr)
        events_->OnDeviceChange(ReadDeviceChange(event, data));
    // The broadcast is sent, so its sender waits for this answer. The form's reaction may queue work of
    // its own (repaints, posted requests); it runs before the answer, so that the panel has settled before
    // the next broadcast comes (a device brings several interfaces, one broadcast each).
    ProcessPendingMessages();
    return ::DefWindowProcW(window, WM_DEVICECHANGE, event, data);
}

void Win32MainWindow::HookAndDispatch(MSG& message)
{
    if (events_ != nullptr && window_ != nullptr && IsHookedMouse(message.message)) {
        POINT client = message.pt;
        ::ScreenToClient(window_, &client);
        const auto kind = message.message == WM_MOUSEMOVE     ? ports::HookedMouse::Kind::Move
                          : message.message == WM_LBUTTONDOWN ? ports::HookedMouse::Kind::LeftDown
                                                              : ports::HookedMouse::Kind::LeftUp;
        const ports::HookedMouse hooked{kind, message.pt.x, message.pt.y, client.x, client.y};
        // A failing hook costs its own reaction only: the message is still dispatched.
        Guarded(debug_, L"the application hook", [&] { events_->OnHookedMouse(hooked); });
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int Win32MainWindow::Run()
{
    if (window_ == nullptr)
        return 0;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT bounds{};
    ::GetWindowRect(window_, &bounds);
    ::SetWindowPos(window_, nullptr, (screenWidth - (bounds.right - bounds.left)) / 2,
                   (screenHeight - (bounds.bottom - bounds.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::UpdateWindow(window_);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        HookAndDispatch(message);
    return static_cast<int>(message.wParam);
}

void Win32MainWindow::ProcessPendingMessages()
{
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that runs the program must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HookAndDispatch(message);
    }
}

void Win32MainWindow::MinimizeToTray()
{
    ::ShowWindow(window_, SW_MINIMIZE);
    ::ShowWindow(window_, SW_HIDE);
}

void Win32MainWindow::MinimizeToTaskbar()
{
    ::ShowWindow(window_, SW_MINIMIZE);
}

void Win32MainWindow::RestoreFromTray()
{
    ::ShowWindow(window_, SW_RESTORE);
    ::SetForegroundWindow(window_);
}

void Win32MainWindow::ShowMain()
{
    ::ShowWindow(window_, SW_SHOW);
}

void Win32MainWindow::HideMain()
{
    ::ShowWindow(window_, SW_HIDE);
}

void Win32MainWindow::BringToForeground()
{
    ::SetForegroundWindow(window_);
}

void Win32MainWindow::PostMinimizeCommand()
{
    ::PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void Win32MainWindow::PostRegisteredMessage(std::uint32_t message)
{
    // Called on the SDK's thread too: posting never waits for the window, and a window already gone
    // only makes the post fail.
    ::PostMessageW(window_, message, 0, 0);
}

void Win32MainWindow::BeginMoveByCaption()
{
    // SC_MOVE with the caption hit code: the system's own move loop follows the mouse.
    constexpr WPARAM kMoveByCaption = 0xF012;
    ::ReleaseCapture();
    ::SendMessageW(window_, WM_SYSCOMMAND, kMoveByCaption, 0);
}

void Win32MainWindow::RequestClose()
{
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
}

void Win32MainWindow::Redraw()
{
    if (form_ == nullptr || window_ == nullptr)
        return;
    MeasurePictures(*form_, pictures_);
    SyncSizeAndWindowedControls();
    ::InvalidateRect(window_, nullptr, FALSE);
}

bool Win32MainWindow::ApplyRegion(std::span<const std::uint8_t> regionFile)
{
    const auto header = panel::ReadRegionHeader(regionFile);
    if (!header || window_ == nullptr)
        return false;
    // Only the part the header describes goes to the platform, with the rectangle size filled in
    // (a file may leave it 0).
    const std::size_t used = panel::kRegionHeaderBytes + std::size_t{header->count} * panel::kRegionRectBytes;
    std::vector<RGNDATA> aligned((used + sizeof(RGNDATA) - 1) / sizeof(RGNDATA));
    std::memcpy(aligned.data(), regionFile.data(), used);
    aligned[0].rdh.nRgnSize = header->count * panel::kRegionRectBytes;
    RegionHandle region(::ExtCreateRegion(nullptr, static_cast<DWORD>(used), aligned.data()));
    if (!region)
        return false;
    ::SetWindowPos(window_, nullptr, 0, 0, header->bounds.right, header->bounds.bottom, SWP_NOMOVE | SWP_NOZORDER);
    if (::SetWindowRgn(window_, region.Get(), TRUE) == 0)
        return false;
    // The window owns the region now; it must not be deleted here.
    [[maybe_unused]] const HRGN handedOver = region.Release();
    return true;
}

void Win32MainWindow::Start(int id, std::uint32_t intervalMs, std::function<void()> tick)
{
    timers_[static_cast<UINT_PTR>(id)] = std::move(tick);
    if (::SetTimer(window_, static_cast<UINT_PTR>(id), intervalMs, nullptr) == 0)
        ReportLastError(debug_, L"SetTimer");
}

void Win32MainWindow::Stop(int id)
{
    if (timers_.erase(static_cast<UINT_PTR>(id)) > 0 && window_ != nullptr)
        ::KillTimer(window_, static_cast<UINT_PTR>(id));
}

int Win32MainWindow::PixelsPerInch() const
{
    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return pixelsPerInch;
}

void Win32MainWindow::SyncSizeAndWindowedControls()
{
    RECT client{};
    ::GetClientRect(window_, &client);
    if (client.right != form_->ClientWidth() || client.bottom != form_->ClientHeight())
        ::SetWindowPos(window_, nullptr, 0, 0, form_->ClientWidth(), form_->ClientHeight(), SWP_NOMOVE | SWP_NOZORDER);
    std::wstring caption(static_cast<std::size_t>(::GetWindowTextLengthW(window_)) + 1, L'\0');
    caption.resize(
        static_cast<std::size_t>(::GetWindowTextW(window_, caption.data(), static_cast<int>(caption.size()))));
    if (caption != form_->Caption())
        ::SetWindowTextW(window_, form_->Caption().c_str());
    for (const auto& [name, box] : checkBoxes_) {
        const form::Control& control = *form_->Find(name);
        ::SetWindowTextW(box, control.caption.c_str());
        ::SendMessageW(box, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        ::EnableWindow(box, control.enabled);
        ::SetWindowPos(box, nullptr, control.bounds.left, control.bounds.top, control.bounds.width,
                       control.bounds.height, SWP_NOZORDER | (control.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void Win32MainWindow::Paint()
{
    const PaintSession session(window_);
    const HDC dc = session.Dc();
    const int width = form_->ClientWidth();
    const int height = form_->ClientHeight();
    // Drawn off screen first, so the layers never flicker through.
    const MemoryDc buffer(::CreateCompatibleDC(dc));
    const BitmapHandle bitmap(::CreateCompatibleBitmap(dc, width, height));
    if (buffer && bitmap) {
        const SelectedObject selected(buffer.Get(), bitmap.Get());
        PaintForm(buffer.Get(), *form_, pictures_, PixelsPerInch());
        ::BitBlt(dc, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
    }
}

} // namespace win32
