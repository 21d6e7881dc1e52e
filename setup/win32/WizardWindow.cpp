#include "setup/win32/WizardWindow.h"

#include "setup/InstallWorker.h"
#include "setup/win32/WindowClass.h"

#include <commctrl.h>


namespace setup::win32ui {

namespace {

constexpr int kClientWidth = 430;
constexpr int kClientHeight = 153;
constexpr wchar_t kDefaultFontName[] = L"Tahoma";
constexpr int kDefaultFontPoints = 8;

struct ControlLayout {
    const wchar_t* windowClass;
    DWORD style;
    int left, top, width, height;
};

// Where each control sits, in the order of the model's controls.
const std::array<ControlLayout, kWizardControlCount> kLayout{
    ControlLayout{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 8, 119, 75, 25},                 // BackBitBtn
    ControlLayout{L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 120, 119, 75, 25},            // NextBitBtn
    ControlLayout{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 232, 119, 75, 25},               // FinishBitBtn
    ControlLayout{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 339, 119, 75, 25},               // CancelBitBtn
    ControlLayout{L"STATIC", SS_LEFT, 24, 16, 380, 16},                                   // SelectLangLabel
    ControlLayout{L"STATIC", SS_LEFT, 24, 36, 380, 16},                                   // VersionLabel
    ControlLayout{L"STATIC", SS_LEFT, 24, 54, 380, 16},                                   // AudioExtLabel
    ControlLayout{L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 24, 78, 380, 160}, // ComboBox
    ControlLayout{L"STATIC", SS_LEFT, 24, 28, 380, 16},                                   // InstallLabel
    ControlLayout{PROGRESS_CLASSW, PBS_SMOOTH, 24, 56, 380, 20},                          // ProgressBar
    ControlLayout{L"STATIC", SS_LEFT, 24, 12, 380, 32},                                   // RebootLabel (word-wrapped)
    ControlLayout{L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 24, 52, 380, 18},           // RebootRadioButton
    ControlLayout{L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 24, 74, 380, 18},           // NoRebootRadioButton
};

HFONT MakeFont(HWND window, const std::wstring& name, int points)
{
    const HDC dc = ::GetDC(window);
    const int height = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(window, dc);
    return ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetTextWhenChanged(HWND window, const std::wstring& text)
{
    if (WindowText(window) != text)
        ::SetWindowTextW(window, text.c_str());
}

} // namespace

bool WizardWindow::Create(HINSTANCE instance, HWND background, HICON icon)
{
    background_ = background;
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&common);

    RegisterPlainWindowClass(instance, kWizardClassName, Procedure, icon);

    constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    // Owned by the background so that it stays in front of it; its own task-bar button all the same.
    // The window procedure takes ownership of the handle as the window is created.
    if (!::CreateWindowExW(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kWizardClassName, wizard_.State().caption.c_str(),
                           style, left, top, width, height, background, nullptr, instance, this))
        return false;

    defaultFont_.Reset(MakeFont(window_.Get(), kDefaultFontName, kDefaultFontPoints));
    for (std::size_t i = 0; i < kWizardControlCount; ++i) {
        const ControlLayout& layout = kLayout[i];
        controls_[i] = ::CreateWindowExW(0, layout.windowClass, L"", WS_CHILD | layout.style, layout.left, layout.top, layout.width,
                                         layout.height, window_.Get(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + static_cast<int>(i))),
                                         instance, nullptr);
        ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont_.Get()), FALSE);
    }
    ::SendMessageW(Control(ProgressBar), PBM_SETRANGE32, 0, 100);
    Sync();
    return true;
}

HFONT WizardWindow::FontFor(WizardControl control)
{
    const ControlState& state = wizard_.State().controls[control];
    if (!state.fontName && !state.fontSize)
        return defaultFont_.Get();
    fonts_[control].Reset(
        MakeFont(window_.Get(), state.fontName.value_or(kDefaultFontName), state.fontSize.value_or(kDefaultFontPoints)));
    return fonts_[control] ? fonts_[control].Get() : defaultFont_.Get();
}

void WizardWindow::Sync()
{
    const WizardState& state = wizard_.State();
    SetTextWhenChanged(window_.Get(), state.caption);
    for (std::size_t i = 0; i < kWizardControlCount; ++i) {
        const auto control = static_cast<WizardControl>(i);
        const ControlState& look = state.controls[i];
        HWND handle = Control(control);
        if (control != ComboBox && control != ProgressBar)
            SetTextWhenChanged(handle, look.caption);
        const int page = PageOf(control);
        const bool shown = look.visible && (page < 0 || page == state.page);
        ::EnableWindow(handle, look.enabled);
        if (control >= SelectLangLabel && control != ComboBox && control != ProgressBar) {
            ::SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control)), FALSE);
            const ControlLayout& layout = kLayout[i];
            ::MoveWindow(handle, look.left.value_or(layout.left), look.top.value_or(layout.top),
                         look.width.value_or(layout.width), look.height.value_or(layout.height), FALSE);
        }
        ::ShowWindow(handle, shown ? SW_SHOWNA : SW_HIDE);
        ::InvalidateRect(handle, nullptr, TRUE);
    }

    HWND combo = Control(ComboBox);
    if (shownComboItems_ != state.comboItems) {
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& item : state.comboItems)
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        shownComboItems_ = state.comboItems;
    }
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(state.comboIndex), 0);
    ::SendMessageW(Control(ProgressBar), PBM_SETPOS, static_cast<WPARAM>(state.progress), 0);
    ::SendMessageW(Control(RebootRadioButton), BM_SETCHECK, state.rebootChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(Control(NoRebootRadioButton), BM_SETCHECK, state.rebootChecked ? BST_UNCHECKED : BST_CHECKED, 0);
}

void WizardWindow::Show()
{
    ::ShowWindow(window_.Get(), SW_SHOW);
    ::SetForegroundWindow(window_.Get());
    ::SetFocus(Control(wizard_.State().focus));
}

void WizardWindow::PostProgress(int percent)
{
    ::PostMessageW(window_.Get(), WM_INSTALL_PROGRESS, static_cast<WPARAM>(percent), 0);
}

void WizardWindow::PostFinished()
{
    ::PostMessageW(window_.Get(), WM_INSTALL_FINISHED, 0, 0);
}

void WizardWindow::ShowMessage(const std::wstring& text, const std::wstring& caption)
{
    ::MessageBoxW(window_.Get(), text.c_str(), caption.c_str(), MB_OK);
}

void WizardWindow::StartInstallation()
{
    sequence_ = makeSequence_(*this);
    installing_ = true;
    // Closing the wizard while the worker runs ends the program, and the worker with it.
    StartInstallWorker(*sequence_, clock_, *this);
}

void WizardWindow::OnCommand(int id, int notification)
{
    const int index = id - kControlIdBase;
    switch (index) {
    case NextBitBtn:
        if (wizard_.NextBitBtnClick() == NextResult::InstallStarted) {
            Sync();
            StartInstallation();
        }
        break;
    case BackBitBtn:
        wizard_.BackBitBtnClick();
        break;
    case FinishBitBtn:
        wizard_.FinishBitBtnClick(finish_);
        ::PostMessageW(window_.Get(), WM_CLOSE, 0, 0);
        return;
    case CancelBitBtn:
        ::PostMessageW(window_.Get(), WM_CLOSE, 0, 0);
        return;
    case RebootRadioButton:
    case NoRebootRadioButton:
        if (notification == BN_CLICKED)
            wizard_.RebootChoiceClick(index == RebootRadioButton);
        break;
    case ComboBox:
        if (notification == CBN_SELCHANGE)
            wizard_.ComboBoxChange(static_cast<int>(::SendMessageW(Control(ComboBox), CB_GETCURSEL, 0, 0)));
        break;
    default:
        return;
    }
    Sync();
}

LRESULT WizardWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_INSTALL_PROGRESS:
        wizard_.InstallProgress(static_cast<int>(wParam));
        ::SendMessageW(Control(ProgressBar), PBM_SETPOS, wParam, 0);
        ::UpdateWindow(window_.Get());
        return 0;
    case WM_INSTALL_FINISHED:
        installing_ = false;
        wizard_.InstallFinished(sequence_ ? sequence_->UpdateInstalled() : 0);
        Sync();
        break;
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        for (std::size_t i = 0; i < kWizardControlCount; ++i)
            if (controls_[i] == control && wizard_.State().controls[i].colour)
                ::SetTextColor(dc, static_cast<COLORREF>(*wizard_.State().controls[i].colour));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        ::DestroyWindow(window_.Get());
        return 0;
    case WM_DESTROY:
        window_.Release(); // the system has destroyed it
        // FormClose: the background window goes too, which ends the program.
        if (background_)
            ::DestroyWindow(background_);
        else
            ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK WizardWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WizardWindow*>(create->lpCreateParams);
        self->window_.Reset(window);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WizardWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

} // namespace setup::win32ui
