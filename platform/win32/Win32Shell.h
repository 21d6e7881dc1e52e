#pragma once
// The window side's smaller adapters: tray icon, pop-up menus, dialogs, screen facts, registered
// messages and broadcasts.

#include "panel/ports/Dialogs.h"
#include "panel/ports/PopupMenus.h"
#include "panel/ports/Screen.h"
#include "panel/ports/TrayIcon.h"
#include "panel/ports/WindowMessages.h"
#include "platform/win32/Win32UiHandles.h"

#include <windows.h>

namespace win32 {

class Win32TrayIcon final : public ports::TrayIcon {
public:
    // Mouse messages on the icon reach `window` as `callbackMessage`.
    Win32TrayIcon(HWND window, UINT callbackMessage) : window_(window), callbackMessage_(callbackMessage) {}
    ~Win32TrayIcon() override { Remove(); }
    Win32TrayIcon(const Win32TrayIcon&) = delete;
    Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

    bool Show(const std::wstring& iconFile, const std::wstring& hint) override;
    void Remove() override;

private:
    HWND window_;
    UINT callbackMessage_;
    IconHandle icon_; // empty: the system's application icon, which is shared and never destroyed
    bool added_ = false;
};

class Win32PopupMenus final : public ports::PopupMenus {
public:
    explicit Win32PopupMenus(HWND owner) : owner_(owner) {}
    std::optional<int> ShowAtCursor(const form::MenuItem& menu) override;

private:
    HWND owner_;
};

class Win32MessageBoxes final : public ports::MessageBoxes {
public:
    explicit Win32MessageBoxes(HWND owner) : owner_(owner) {}
    ports::MessageBoxAnswer Show(const std::wstring& text, const std::wstring& caption,
                                 ports::MessageBoxIcon icon) override;

private:
    HWND owner_;
};

class Win32ColourDialog final : public ports::ColourDialog {
public:
    explicit Win32ColourDialog(HWND owner) : owner_(owner) {}
    std::optional<std::uint32_t> Choose(std::uint32_t initial) override;

private:
    HWND owner_;
    COLORREF custom_[16] = {}; // the dialog's custom colours, kept for the run
};

class Win32FileDialogs final : public ports::FileDialogs {
public:
    explicit Win32FileDialogs(HWND owner) : owner_(owner) {}
    std::optional<std::wstring> ChooseFileToOpen(const ports::FileDialogRequest& request) override;
    std::optional<std::wstring> ChooseFileToSave(const ports::FileDialogRequest& request) override;

private:
    HWND owner_;
};

class Win32Screen final : public ports::Screen {
public:
    ports::ScreenFacts Facts() const override;
};

class Win32WindowMessages final : public ports::WindowMessages {
public:
    std::uint32_t Register(const std::wstring& name) override;
    void Broadcast(std::uint32_t message, std::uint32_t timeoutMs) override;
};

} // namespace win32
