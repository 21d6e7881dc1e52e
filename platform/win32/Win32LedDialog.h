#pragma once
// The LED dialog as a real modal window: system group boxes, radio buttons, track bars and push buttons
// made from the portable layout, the colour shapes drawn by the dialog, the main window disabled until
// it is closed. A handler that throws is written to the debug output and the dialog stays open.

#include "panel/ports/LedDialogWindow.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32UiHandles.h"

#include <map>
#include <string>
#include <vector>

#include <windows.h>

namespace win32 {

class Win32LedDialog final : public ports::LedDialogWindow {
public:
    Win32LedDialog(HINSTANCE instance, HWND owner, ports::DebugOutput& debug = SystemDebugOutput());
    void ShowModal(const ports::LedDialogLayout& layout, ports::LedDialogEvents& events) override;

    void SetShapeLook(const std::wstring& name, std::uint32_t fill, std::uint32_t outline, int outlineWidth) override;
    void SetChecked(const std::wstring& name, bool checked) override;
    void SetTrackBarPosition(const std::wstring& name, int position) override;
    void MoveControl(const std::wstring& name, int left, int top) override;
    void Close() override;

    // The window's procedure forwards here.
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct ShapeLook {
        std::uint32_t fill = 0xFFFFFF;
        std::uint32_t outline = 0x000000;
        int width = 1;
    };
    HWND Control(const std::wstring& name) const;
    const ports::LedDialogItem* ItemOf(HWND control) const;
    void DrawShape(const DRAWITEMSTRUCT& draw);
    void EndDialog();

    HINSTANCE instance_;
    HWND owner_;
    ports::DebugOutput& debug_;
    HWND window_ = nullptr;
    ports::LedDialogEvents* events_ = nullptr;
    const ports::LedDialogLayout* layout_ = nullptr;
    std::vector<HWND> controls_; // in the layout's order
    std::map<std::wstring, ShapeLook> shapes_;
    BrushHandle background_;
    FontHandle font_;
    bool closing_ = false;
};

} // namespace win32
