#include "platform/win32/Win32LedDialog.h"

#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32ModalForms.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"TLEDForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int kFirstId = 100;

using Kind = ports::LedDialogItemKind;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<Win32LedDialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return dialog->OnMessage(window, message, wParam, lParam);
}

void RegisterDialogClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass); // fails harmlessly when already registered
}

struct ControlClass {
    const wchar_t* className;
    DWORD style;
};

ControlClass ClassOf(const ports::LedDialogItem& item)
{
    switch (item.kind) {
    case Kind::Group:
        return {L"BUTTON", BS_GROUPBOX};
    case Kind::Shape:
        return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY};
    case Kind::Button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case Kind::Radio:
        return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | (item.startsGroup ? WS_GROUP : 0u)};
    case Kind::TrackBar:
        break;
    }
    return {TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP};
}

} // namespace

Win32LedDialog::Win32LedDialog(HINSTANCE instance, HWND owner, ports::DebugOutput& debug)
    : instance_(instance), owner_(owner), debug_(debug)
{
    RegisterDialogClass(instance);
}

HWND Win32LedDialog::Control(const std::wstring& name) const
{
    if (layout_ == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < layout_->items.size() && i < controls_.size(); ++i)
        if (name == layout_->items[i].name)
            return controls_[i];
    return nullptr;
}

const ports::LedDialogItem* Win32LedDialog::ItemOf(HWND control) const
{
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == control)
            return &layout_->items[i];
    return nullptr;
}

void Win32LedDialog::ShowModal(const ports::LedDialogLayout& layout, ports::LedDialogEvents& events)
{
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&common);
    const auto [left, top, width, height] =
        CentredOverOwner(owner_, layout.clientWidth, layout.clientHeight, kStyle, kExtendedStyle);

    const HWND window = ::CreateWindowExW(kExtendedStyle, kClassName, layout.caption, kStyle, left, top, width,
                                          height, owner_, nullptr, instance_, nullptr);
    if (window == nullptr) {
        ReportLastError(debug_, L"CreateWindowExW");
        return;
    }
    window_ = window;
    events_ = &events;
    layout_ = &layout;
    closing_ = false;
    shapes_.clear();
    controls_.clear();
    background_ = BrushHandle(::CreateSolidBrush(layout.colour));
    font_ = FontHandle(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    for (std::size_t i = 0; i < layout.items.size(); ++i) {
        const ports::LedDialogItem& item = layout.items[i];
        const ControlClass kind = ClassOf(item);
        const HWND control = ::CreateWindowExW(
            0, kind.className, item.caption, WS_CHILD | WS_VISIBLE | kind.style, item.bounds.left, item.bounds.top,
            item.bounds.width, item.bounds.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(i))), instance_, nullptr);
        if (control == nullptr)
            ReportLastError(debug_, L"CreateWindowExW");
        controls_.push_back(control);
        if (control == nullptr)
            continue;
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        if (item.kind == Kind::TrackBar) {
            ::SendMessageW(control, TBM_SETRANGEMIN, FALSE, item.low);
            ::SendMessageW(control, TBM_SETRANGEMAX, FALSE, item.high);
            ::SendMessageW(control, TBM_SETTICFREQ, item.high > 10 ? 16 : 1, 0);
            ::SendMessageW(control, TBM_SETPOS, TRUE, item.position);
        }
    }
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Guarded(debug_, L"the LED dialog's showing", [&] { events.Shown(); });

    const bool ownerWasEnabled = owner_ != nullptr && !::EnableWindow(owner_, FALSE);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    MSG message{};
    bool quit = false;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (::IsDialogMessageW(window, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (::IsWindow(window)) {
        if (!closing_)
            Guarded(debug_, L"the LED dialog's closing", [&] { events.Closing(); });
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
    window_ = nullptr;
    events_ = nullptr;
    layout_ = nullptr;
    controls_.clear();
    if (ownerWasEnabled) {
        ::EnableWindow(owner_, TRUE);
        ::SetForegroundWindow(owner_);
    }
    // The program's end was asked for while the dialog ran: the main loop must still see it.
    if (quit)
        ::PostQuitMessage(static_cast<int>(message.wParam));
}

void Win32LedDialog::SetShapeLook(const std::wstring& name, std::uint32_t fill, std::uint32_t outline, int outlineWidth)
{
    shapes_[name] = {fill, outline, outlineWidth};
    if (const HWND control = Control(name))
        ::InvalidateRect(control, nullptr, TRUE);
}

void Win32LedDialog::SetChecked(const std::wstring& name, bool checked)
{
    if (const HWND control = Control(name))
        ::SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32LedDialog::SetTrackBarPosition(const std::wstring& name, int position)
{
    if (const HWND control = Control(name))
        ::SendMessageW(control, TBM_SETPOS, TRUE, position);
}

void Win32LedDialog::MoveControl(const std::wstring& name, int left, int top)
{
    if (const HWND control = Control(name))
        ::SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32LedDialog::Close()
{
    EndDialog();
}

void Win32LedDialog::EndDialog()
{
    if (window_ == nullptr || closing_)
        return;
    closing_ = true;
    if (events_ != nullptr)
        Guarded(debug_, L"the LED dialog's closing", [&] { events_->Closing(); });
    ::DestroyWindow(window_);
}

void Win32LedDialog::DrawShape(const DRAWITEMSTRUCT& draw)
{
    const ports::LedDialogItem* item = ItemOf(draw.hwndItem);
    ShapeLook look;
    if (item != nullptr)
        if (const auto found = shapes_.find(item->name); found != shapes_.end())
            look = found->second;
    ::FillRect(draw.hDC, &draw.rcItem, background_.Get());
    const BrushHandle brush(::CreateSolidBrush(look.fill));
    const PenHandle pen(::CreatePen(PS_INSIDEFRAME, look.width, look.outline));
    const SelectedObject selectedBrush(draw.hDC, brush.Get());
    const SelectedObject selectedPen(draw.hDC, pen.Get());
    ::Rectangle(draw.hDC, draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom);
}

LRESULT Win32LedDialog::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    bool handled = false;
    Guarded(debug_, L"the LED dialog's procedure", [&] {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(window, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
            result = 1;
            handled = true;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), layout_ ? layout_->colour : 0xF0F0F0);
            result = reinterpret_cast<LRESULT>(background_.Get());
            handled = true;
            break;
        }
        case WM_DRAWITEM:
            DrawShape(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            handled = true;
            break;
        case WM_COMMAND: {
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog();
                handled = true;
                break;
            }
            const ports::LedDialogItem* item = ItemOf(reinterpret_cast<HWND>(lParam));
            const WORD code = HIWORD(wParam);
            if (item != nullptr && events_ != nullptr &&
                (code == BN_CLICKED || (item->kind == Kind::Shape && code == STN_CLICKED))) {
                events_->Clicked(item->name);
                handled = true;
            }
            break;
        }
        case WM_HSCROLL: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const ports::LedDialogItem* item = ItemOf(control);
            if (item != nullptr && item->kind == Kind::TrackBar && events_ != nullptr &&
                LOWORD(wParam) != TB_ENDTRACK) {
                events_->TrackBarMoved(item->name, static_cast<int>(::SendMessageW(control, TBM_GETPOS, 0, 0)));
                handled = true;
            }
            break;
        }
        case WM_CLOSE:
            EndDialog();
            handled = true;
            break;
        default:
            break;
        }
    });
    return handled ? result : ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace win32
