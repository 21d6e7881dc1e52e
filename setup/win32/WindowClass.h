#pragma once
// The window class of the setup's two plain windows: the dialog colour, the arrow cursor, an optional icon.

#include <windows.h>

namespace setup::win32ui {

inline void RegisterPlainWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon = nullptr)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

} // namespace setup::win32ui
