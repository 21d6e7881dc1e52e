#include "platform/win32/Win32ModalForms.h"

#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32FormPainter.h"
#include "platform/win32/Win32UiHandles.h"

#include <windowsx.h>

namespace win32 {

namespace {

constexpr wchar_t kModalFormClassName[] = L"TonvioModalForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;

// What the dialog's window procedure works with, for as long as the dialog is open.
struct OpenDialog {
    form::Form& form;
    const std::function<void(const form::Control&)>& click;
    ports::DebugOutput& debug;
    PictureCache pictures;
    std::wstring pressed;
};

int PixelsPerInch(HWND window)
{
    const HDC screen = ::GetDC(window);
    const int ppi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(window, screen);
    return ppi > 0 ? ppi : 96;
}

void Paint(HWND window, OpenDialog& dialog)
{
    const PaintSession session(window);
    const HDC dc = session.Dc();
    const int width = dialog.form.ClientWidth();
    const int height = dialog.form.ClientHeight();
    const MemoryDc buffer(::CreateCompatibleDC(dc));
    const BitmapHandle bitmap(::CreateCompatibleBitmap(dc, width, height));
    if (buffer && bitmap) {
        const SelectedObject selected(buffer.Get(), bitmap.Get());
        PaintForm(buffer.Get(), dialog.form, dialog.pictures, PixelsPerInch(window));
        ::BitBlt(dc, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
    }
}

// A label that reacts to clicks looks like a link: the hand cursor over it.
bool OverClickable(const OpenDialog& dialog, int x, int y)
{
    const form::Control* control = dialog.form.ControlAt(x, y);
    return control != nullptr && control->kind == form::ControlClass::Label &&
           (control->font.style & form::kFontUnderline) != 0;
}

LRESULT OnMessage(HWND window, OpenDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window, *dialog);
        return 0;
    case WM_LBUTTONDOWN: {
        const form::Control* control = dialog->form.ControlAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        dialog->pressed = control ? control->name : std::wstring();
        return 0;
    }
    case WM_LBUTTONUP: {
        const form::Control* control = dialog->form.ControlAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (control != nullptr && control->name == dialog->pressed)
            dialog->click(*control);
        dialog->pressed.clear();
        return 0;
    }
    case WM_SETCURSOR: {
        POINT point{};
        ::GetCursorPos(&point);
        ::ScreenToClient(window, &point);
        if (LOWORD(lParam) == HTCLIENT && OverClickable(*dialog, point.x, point.y)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE || wParam == VK_RETURN)
            ::DestroyWindow(window);
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(window);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<OpenDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    if (Guarded(dialog->debug, L"a dialog's procedure",
                [&] { result = OnMessage(window, dialog, message, wParam, lParam); }))
        return result;
    // A press whose handler failed leaves nothing pressed; the default handling answers the system.
    dialog->pressed.clear();
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterModalFormClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kModalFormClassName;
    ::RegisterClassExW(&windowClass); // fails harmlessly when already registered
}

} // namespace

WindowFrame CentredOverOwner(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT ownerBounds{};
    if (owner == nullptr || !::GetWindowRect(owner, &ownerBounds))
        ownerBounds = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return {ownerBounds.left + (ownerBounds.right - ownerBounds.left - width) / 2,
            ownerBounds.top + (ownerBounds.bottom - ownerBounds.top - height) / 2, width, height};
}

Win32ModalForms::Win32ModalForms(HINSTANCE instance, HWND owner, ports::DebugOutput& debug)
    : instance_(instance), owner_(owner), debug_(debug)
{
    RegisterModalFormClass(instance);
}

void Win32ModalForms::ShowModal(form::Form& form, const std::function<void(const form::Control&)>& click)
{
    const auto [left, top, width, height] =
        CentredOverOwner(owner_, form.ClientWidth(), form.ClientHeight(), kStyle, kExtendedStyle);

    const HWND window = ::CreateWindowExW(kExtendedStyle, kModalFormClassName, form.Caption().c_str(), kStyle, left,
                                          top, width, height, owner_, nullptr, instance_, nullptr);
    if (window == nullptr) {
        ReportLastError(debug_, L"CreateWindowExW");
        return;
    }
    OpenDialog dialog{form, click, debug_, {}, {}};
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
    MeasurePictures(form, dialog.pictures);

    // The owner stays disabled while the dialog is open, as a modal dialog's owner does.
    const bool ownerWasEnabled = owner_ != nullptr && !::EnableWindow(owner_, FALSE);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    MSG message{};
    bool quit = false;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (::IsWindow(window)) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
    if (ownerWasEnabled) {
        ::EnableWindow(owner_, TRUE);
        ::SetForegroundWindow(owner_);
    }
    // The program's end was asked for while the dialog ran: the main loop must still see it.
    if (quit)
        ::PostQuitMessage(static_cast<int>(message.wParam));
}

} // namespace win32
