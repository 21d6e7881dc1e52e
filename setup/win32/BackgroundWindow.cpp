#include "setup/win32/BackgroundWindow.h"

#include "setup/win32/WindowClass.h"

#include <objidl.h>

#include <gdiplus.h>

namespace setup::win32ui {

namespace {
constexpr wchar_t kClassName[] = L"TBackgroundForm";
} // namespace

HBITMAP LoadPictureFile(const std::wstring& path, SIZE& size)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return nullptr;
    HBITMAP bitmap = nullptr;
    {
        Gdiplus::Bitmap picture(path.c_str());
        if (picture.GetLastStatus() == Gdiplus::Ok &&
            picture.GetHBITMAP(Gdiplus::Color(255, 0, 0, 0), &bitmap) == Gdiplus::Ok) {
            size.cx = static_cast<LONG>(picture.GetWidth());
            size.cy = static_cast<LONG>(picture.GetHeight());
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return bitmap;
}

bool BackgroundWindow::Create(HINSTANCE instance, std::wstring& error)
{
    RegisterPlainWindowClass(instance, kClassName, Procedure);
    window_.Reset(::CreateWindowExW(WS_EX_LAYERED, kClassName, L"", WS_POPUP, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                    ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, this));
    if (!window_) {
        error = L"The background window cannot be created.";
        return false;
    }
    return true;
}

bool BackgroundWindow::Show(const BackgroundLayout& layout, std::wstring& error)
{
    if (layout.picturePath.empty()) {
        // Nothing of the window is to be seen: its own colour is the transparent one.
        ::SetLayeredWindowAttributes(window_.Get(), ::GetSysColor(COLOR_BTNFACE), 0, LWA_COLORKEY);
    } else {
        picture_.Reset(LoadPictureFile(layout.picturePath, pictureSize_));
        if (!picture_) {
            error = L"Cannot load the picture \"" + layout.picturePath + L"\".";
            return false;
        }
        ::SetLayeredWindowAttributes(window_.Get(), 0, 255, LWA_ALPHA);
    }
    Place(layout);
    ::ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
    return true;
}

void BackgroundWindow::Place(const BackgroundLayout& layout)
{
    ::MoveWindow(window_.Get(), 0, 0, layout.width, layout.height, TRUE);
}

void BackgroundWindow::Paint()
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_.Get(), &paint);
    RECT client{};
    ::GetClientRect(window_.Get(), &client);
    if (picture_) {
        const ::win32::MemoryDc source(::CreateCompatibleDC(dc));
        const ::win32::SelectedObject selected(source.Get(), picture_.Get());
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, pictureSize_.cx, pictureSize_.cy,
                     SRCCOPY);
    } else {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::EndPaint(window_.Get(), &paint);
}

LRESULT CALLBACK BackgroundWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<BackgroundWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (self && self->window_.Get() == window) {
            self->Paint();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (self && self->picture_)
            return 1;
        break;
    case WM_DESTROY:
        if (self)
            self->window_.Release(); // the system has destroyed it
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace setup::win32ui
