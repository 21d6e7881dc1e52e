#pragma once
// TMainForm on the screen: a plain dialog-like window of 430 x 153 client pixels with its buttons, the
// three pages' controls, and the worker thread that runs the installation. The wizard model decides; this
// window shows the model's state after every event and turns clicks and posted messages into handler calls.

#include "platform/win32/Win32UiHandles.h"
#include "setup/InstallSequence.h"
#include "setup/Wizard.h"
#include "setup/ports/InstallerWindow.h"
#include "setup/ports/UpdateSystem.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace setup::win32ui {

inline constexpr UINT WM_INSTALL_PROGRESS = WM_USER + 32;
inline constexpr UINT WM_INSTALL_FINISHED = WM_USER + 33;
// Control IDs: this base + the control's index in the model, so that a driver can find each control.
inline constexpr int kControlIdBase = 1000;
inline constexpr wchar_t kWizardClassName[] = L"TMainForm";

class WizardWindow final : public ports::InstallerWindow {
public:
    // The sequence is built when Next starts the installation; `makeSequence` gets the window as its
    // installer window.
    using SequenceFactory = std::function<std::unique_ptr<CInstallSequence>(ports::InstallerWindow&)>;

    WizardWindow(CWizard& wizard, ports::Clock& clock, ports::UpdateSystem& finish, SequenceFactory makeSequence)
        : wizard_(wizard), clock_(clock), finish_(finish), makeSequence_(std::move(makeSequence))
    {
    }
    WizardWindow(const WizardWindow&) = delete;
    WizardWindow& operator=(const WizardWindow&) = delete;

    bool Create(HINSTANCE instance, HWND background, HICON icon);
    // Shows the model's state: captions, visibility, fonts, positions, the page, the progress.
    void Sync();
    void Show();
    HWND Handle() const { return window_.Get(); }
    bool Installing() const { return installing_; }

    // InstallerWindow, callable from the worker thread.
    void PostProgress(int percent) override;
    void PostFinished() override;
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification);
    void StartInstallation();
    HWND Control(WizardControl control) const { return controls_[control]; }
    HFONT FontFor(WizardControl control);

    CWizard& wizard_;
    ports::Clock& clock_;
    ports::UpdateSystem& finish_;
    SequenceFactory makeSequence_;
    std::unique_ptr<CInstallSequence> sequence_;
    std::atomic<bool> installing_{false};
    HWND background_ = nullptr;
    ::win32::WindowHandle window_;
    std::array<HWND, kWizardControlCount> controls_{};
    std::array<::win32::FontHandle, kWizardControlCount> fonts_;
    ::win32::FontHandle defaultFont_;
    std::vector<std::wstring> shownComboItems_;
};

} // namespace setup::win32ui
