#pragma once
// Owners for the user-interface handles of the window host, on the pattern of Handles.h.

#include "platform/win32/Handles.h"

#include <windows.h>

namespace win32 {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle window) { ::DestroyWindow(window); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle menu) { ::DestroyMenu(menu); } // with every sub-menu attached to it
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle icon) { ::DestroyIcon(icon); }
};
// Fonts, brushes, pens, bitmaps and regions.
template <typename H> struct GdiObjectTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { ::DeleteObject(object); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { ::DeleteDC(dc); }
};

using WindowHandle = UniqueHandle<WindowTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using PenHandle = UniqueHandle<GdiObjectTraits<HPEN>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using RegionHandle = UniqueHandle<GdiObjectTraits<HRGN>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// Selects an object into a device context for one scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// One WM_PAINT's BeginPaint and EndPaint, the end also when the painting in between fails.
class PaintSession {
public:
    explicit PaintSession(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintSession() { ::EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace win32
