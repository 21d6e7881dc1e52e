#pragma once
// Small forms of the panel (the about box) as modal dialogs: a fixed dialog frame centred on the main
// window, the form's model painted like the main window's, clicks on its controls reported, the main
// window disabled until the dialog is closed with its close button. A click handler that throws is
// written to the debug output and the dialog stays open.

#include "panel/ports/ModalForms.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32Pictures.h"

#include <windows.h>

namespace win32 {

struct WindowFrame {
    int left;
    int top;
    int width;
    int height;
};

// Where a dialog window with this client size goes: centred over its owner, or over the screen when it
// has none.
WindowFrame CentredOverOwner(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle);

class Win32ModalForms final : public ports::ModalForms {
public:
    Win32ModalForms(HINSTANCE instance, HWND owner, ports::DebugOutput& debug = SystemDebugOutput());
    void ShowModal(form::Form& form, const std::function<void(const form::Control&)>& click) override;

private:
    HINSTANCE instance_;
    HWND owner_;
    ports::DebugOutput& debug_;
};

} // namespace win32
