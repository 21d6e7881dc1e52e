#pragma once
// The window that hosts a form model: borderless, sized to the form, painted from it, reporting mouse,
// activation, system commands, registered messages, device changes and the tray icon to the form's events. It runs the
// message loop, in which the application-wide hook sees every mouse message before it is dispatched.
//
// Its class is "TApplication" and its caption the application title, so that a second instance of the
// program finds it.
//
// A handler of the form that throws does not take the window down: the exception stops at the window
// procedure (or at the hook), is written to the debug output, and the window goes on with its messages.

#include "panel/form/Form.h"
#include "panel/ports/ApplicationWindow.h"
#include "panel/ports/MessagePump.h"
#include "panel/ports/WindowEvents.h"
#include "panel/ports/WindowTimers.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32UiHandles.h"

#include <windows.h>

#include <functional>
#include <map>

namespace win32 {

inline constexpr wchar_t kApplicationWindowClassName[] = L"TApplication";
// The tray icon reports its mouse messages to the window with this message.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

class Win32MainWindow final : public ports::ApplicationWindow, public ports::WindowTimers, public ports::MessagePump {
public:
    // The window exists, hidden, from here on; it shows a form once one is attached.
    explicit Win32MainWindow(HINSTANCE instance, ports::DebugOutput& debug = SystemDebugOutput());
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND Handle() const { return window_; }
    bool Created() const { return window_ != nullptr; }
    // The form to show and the receiver of the window's events; both outlive the window.
    void Attach(form::Form& form, ports::WindowEvents& events);

    // A message that another adapter asked the window to receive (a device's completion message, say)
    // goes to `handler`, on the GUI thread; the window itself does nothing more with it.
    void HandleMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler);

    // Shows the window, centred on the screen, and runs the message loop until the window is gone.
    // Messages the hook sees are reported only while a form is attached.
    int Run();

    // ports::ApplicationWindow
    void MinimizeToTray() override;
    void MinimizeToTaskbar() override;
    void RestoreFromTray() override;
    void ShowMain() override;
    void HideMain() override;
    void BringToForeground() override;
    void PostMinimizeCommand() override;
    void PostRegisteredMessage(std::uint32_t message) override;
    void BeginMoveByCaption() override;
    void RequestClose() override;
    void Redraw() override;
    bool ApplyRegion(std::span<const std::uint8_t> regionFile) override;

    // ports::WindowTimers
    void Start(int id, std::uint32_t intervalMs, std::function<void()> tick) override;
    void Stop(int id) override;

    // ports::MessagePump
    void ProcessPendingMessages() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceChange(WPARAM event, LPARAM data);
    void HookAndDispatch(MSG& message);
    void Paint();
    void SyncSizeAndWindowedControls();
    int PixelsPerInch() const;

    ports::DebugOutput& debug_;
    form::Form* form_ = nullptr;
    ports::WindowEvents* events_ = nullptr;
    // Owned here: destroyed with this object unless the window went first (WM_NCDESTROY clears it).
    HWND window_ = nullptr;
    std::map<std::wstring, HWND> checkBoxes_; // the form's windowed controls, children of the window
    std::map<UINT_PTR, std::function<void()>> timers_;
    std::map<UINT, std::function<void(WPARAM, LPARAM)>> handlers_;
    PictureCache pictures_;
};

} // namespace win32
