#include "platform/win32/Win32Shell.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace win32 {

namespace {

constexpr UINT kTrayIconId = 1;

// The common dialogs' library, loaded from the system folder at the first dialog, not with the program:
// it brings the printing stack along (under Wine the CUPS client and its TLS and Kerberos libraries,
// some 4 MB and many milliseconds at every start) for dialogs that most runs never open.
template <typename Function> Function CommonDialogFunction(const char* name)
{
    static const HMODULE library = [] {
        wchar_t folder[MAX_PATH]{};
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return HMODULE{};
        return ::LoadLibraryW((std::wstring(folder, length) + L"\\comdlg32.dll").c_str());
    }();
    return library == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

template <std::size_t N> void CopyCut(wchar_t (&target)[N], const std::wstring& text)
{
    const std::size_t count = std::min(text.size(), N - 1);
    std::copy_n(text.c_str(), count, target);
    target[count] = L'\0';
}

// Items without sub-items are commands; items with sub-items open them. The root owns every sub-menu.
void AppendItems(HMENU menu, const form::MenuItem& parent)
{
    for (const form::MenuItem& item : parent.items) {
        if (!item.visible)
            continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = MFT_STRING | (item.radio ? MFT_RADIOCHECK : 0);
        info.fState = (item.checked ? MFS_CHECKED : 0) | (item.enabled ? 0 : MFS_DISABLED);
        info.wID = static_cast<UINT>(item.id);
        std::wstring caption = item.caption;
        info.dwTypeData = caption.data();
        if (!item.items.empty()) {
            const HMENU sub = ::CreatePopupMenu();
            AppendItems(sub, item);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub;
        }
        ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &info);
    }
}

std::optional<std::wstring> RunFileDialog(HWND owner, const ports::FileDialogRequest& request, bool save)
{
    // "Name|*.ext|..." becomes the double-null-terminated list the dialog reads.
    std::wstring filter = request.filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
    std::copy_n(request.fileName.c_str(), std::min(request.fileName.size(), path.size() - 1), path.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_NOCHANGEDIR | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto run = CommonDialogFunction<FileDialogFunction>(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (run == nullptr || !run(&dialog))
        return std::nullopt;
    return std::wstring(path.data());
}

} // namespace

bool Win32TrayIcon::Show(const std::wstring& iconFile, const std::wstring& hint)
{
    if (!iconFile.empty())
        icon_.Reset(
            static_cast<HICON>(::LoadImageW(nullptr, iconFile.c_str(), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                            ::GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE)));
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_ ? icon_.Get() : ::LoadIconW(nullptr, IDI_APPLICATION);
    CopyCut(data.szTip, hint);
    if (added_ && ::Shell_NotifyIconW(NIM_MODIFY, &data))
        return true;
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return added_;
}

void Win32TrayIcon::Remove()
{
    if (!added_)
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

std::optional<int> Win32PopupMenus::ShowAtCursor(const form::MenuItem& menu)
{
    const MenuHandle popup(::CreatePopupMenu());
    if (!popup)
        return std::nullopt;
    AppendItems(popup.Get(), menu);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // The owner must be in front, or the menu does not close when the user clicks elsewhere.
    ::SetForegroundWindow(owner_);
    const int chosen = static_cast<int>(::TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         cursor.x, cursor.y, 0, owner_, nullptr));
    ::PostMessageW(owner_, WM_NULL, 0, 0);
    if (chosen == 0)
        return std::nullopt;
    return chosen;
}

ports::MessageBoxAnswer Win32MessageBoxes::Show(const std::wstring& text, const std::wstring& caption,
                                                ports::MessageBoxIcon icon)
{
    UINT flags = MB_OK;
    switch (icon) {
    case ports::MessageBoxIcon::None:
        break;
    case ports::MessageBoxIcon::Information:
        flags |= MB_ICONINFORMATION;
        break;
    case ports::MessageBoxIcon::Exclamation:
        flags |= MB_ICONEXCLAMATION;
        break;
    case ports::MessageBoxIcon::Error:
        flags |= MB_ICONERROR;
        break;
    }
    switch (::MessageBoxW(owner_, text.c_str(), caption.c_str(), flags)) {
    case IDCANCEL:
        return ports::MessageBoxAnswer::Cancel;
    case IDYES:
        return ports::MessageBoxAnswer::Yes;
    case IDNO:
        return ports::MessageBoxAnswer::No;
    default:
        return ports::MessageBoxAnswer::Ok;
    }
}

std::optional<std::uint32_t> Win32ColourDialog::Choose(std::uint32_t initial)
{
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.rgbResult = initial;
    dialog.lpCustColors = custom_;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    using ColourDialogFunction = BOOL(WINAPI*)(CHOOSECOLORW*);
    const auto choose = CommonDialogFunction<ColourDialogFunction>("ChooseColorW");
    if (choose == nullptr || !choose(&dialog))
        return std::nullopt;
    return static_cast<std::uint32_t>(dialog.rgbResult);
}

std::optional<std::wstring> Win32FileDialogs::ChooseFileToOpen(const ports::FileDialogRequest& request)
{
    return RunFileDialog(owner_, request, false);
}

std::optional<std::wstring> Win32FileDialogs::ChooseFileToSave(const ports::FileDialogRequest& request)
{
    return RunFileDialog(owner_, request, true);
}

ports::ScreenFacts Win32Screen::Facts() const
{
    ports::ScreenFacts facts{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), 96};
    if (const HDC screen = ::GetDC(nullptr)) {
        facts.pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    return facts;
}

std::uint32_t Win32WindowMessages::Register(const std::wstring& name)
{
    return ::RegisterWindowMessageW(name.c_str());
}

void Win32WindowMessages::Broadcast(std::uint32_t message, std::uint32_t timeoutMs)
{
    if (message == 0)
        return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
}

} // namespace win32
