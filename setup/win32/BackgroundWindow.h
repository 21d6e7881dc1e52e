#pragma once
// TBackgroundForm: the borderless window behind the wizard, stretching the OEM picture over itself, or
// invisible when there is none. It is the program's main window: when it goes, the program ends.

#include "platform/win32/Win32UiHandles.h"
#include "setup/Background.h"

#include <windows.h>

#include <string>

namespace setup::win32ui {

class BackgroundWindow {
public:
    BackgroundWindow() = default;
    BackgroundWindow(const BackgroundWindow&) = delete;
    BackgroundWindow& operator=(const BackgroundWindow&) = delete;

    // False when the window cannot be made; `error` then says why.
    bool Create(HINSTANCE instance, std::wstring& error);
    // FormShow: loads the picture (false when it cannot be loaded) or makes the window see-through.
    bool Show(const BackgroundLayout& layout, std::wstring& error);
    // MoveWindow to the screen's top-left corner with the chosen size.
    void Place(const BackgroundLayout& layout);
    HWND Handle() const { return window_.Get(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    ::win32::WindowHandle window_;
    ::win32::BitmapHandle picture_;
    SIZE pictureSize_{};
};

// The picture file as a bitmap (BMP, PNG, JPEG, GIF); null when it cannot be read.
HBITMAP LoadPictureFile(const std::wstring& path, SIZE& size);

} // namespace setup::win32ui
