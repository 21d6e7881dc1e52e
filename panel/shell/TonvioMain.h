#pragma once
// TAudioMainForm: the control panel's main window as a model. It owns the panel's state for the whole
// run and keeps the handler names of the window; the window itself is the host's.

#include "common/AppConfig.h"
#include "common/ports/Platform.h"
#include "device/ports/HidChannel.h"
#include "panel/form/Form.h"
#include "panel/form/FormTimers.h"
#include "panel/form/Menu.h"
#include "panel/ports/WindowEvents.h"
#include "panel/ports/WindowPorts.h"

#include <cstdint>
#include <memory>
#include <string>

namespace shell {

class TLEDForm;

// Pages of the main window.
inline constexpr int kPageEq = 1;

struct LifecycleState {
    std::wstring programFolder; // with its trailing backslash
    std::uint32_t exitMessageId = 0;
    std::uint32_t effectExitMessageId = 0;
    std::uint32_t resumeMessageId = 0;
    int osKind = 0;
    std::uint16_t deviceVid = 0;
    std::uint16_t devicePid = 0;
    std::unique_ptr<ports::HidInterface> m_hDevice; // the HID handle kept from start-up
    bool deviceActive = false;
    bool synchronization = false;
    bool micProbeDone = false;
    int currentPage = kPageEq;
    int activationCount = 0;
    int pluginCount = 0;
};

// Where the window is, as the model last put it.
enum class WindowPlacement { Shown, InTray, OnTaskbar, Hidden };

using ports::HookedMouse;

// What a press remembers for the drags that follow it.
struct PressState {
    bool pressed = false;
    std::wstring control; // the control under the cursor at the press; empty when none
    int screenX = 0;
    int screenY = 0;
    int controlLeft = 0;
    int controlTop = 0;
};

struct StartContext {
    std::wstring programPath; // the running program's full path
    std::wstring commandLine; // the whole command line, as the process got it
};

inline constexpr std::size_t kStartupValueChars = 31;

class TAudioMainForm {
public:
    TAudioMainForm(const ports::Platform& platform, const ports::WindowPorts& window, StartContext context);
    ~TAudioMainForm();
    TAudioMainForm(const TAudioMainForm&) = delete;
    TAudioMainForm& operator=(const TAudioMainForm&) = delete;

    // The construction steps, in their order. False when the panel must end at once (its message loop
    // ends without showing the window).
    bool Construct();
    void SetLedForm(const TLEDForm& ledForm) { ledForm_ = &ledForm; }

    // Window handlers.
    void FormCreate();
    void FormActivate();
    void WndProc(std::uint32_t message);
    void SystemMinimize();
    void SystemRestore();
    void FormDestroy();

    // Mouse on the window's own surface (client coordinates) and through the application hook.
    void FormMouseDown(int x, int y);
    void FormMouseUp(int x, int y);
    void ApplicationMouseHook(const HookedMouse& mouse);

    // Skin buttons.
    void CloseImageClick();
    void MinimizeImageClick();

    // Tray icon and its menu.
    void TrayDoubleClick();
    void CTrayIconRestore();
    void TrayRightButtonUp();
    void MenuItemClick(int id);
    void CloseMenuClick();

    form::Form& Form() { return form_; }
    const form::Form& Form() const { return form_; }
    form::FormTimers& Timers() { return timers_; }
    form::MenuItem& PopupMenu() { return popupMenu_; }
    const LifecycleState& State() const { return state_; }
    LifecycleState& MutableState() { return state_; }
    const _APPLICATION_FOLDER_PATH& Config() const { return config_; }
    const std::wstring& Title() const { return title_; }
    const std::wstring& TrayHint() const { return trayHint_; }
    WindowPlacement Placement() const { return placement_; }
    const PressState& Press() const { return press_; }
    bool Destroyed() const { return destroyed_; }

private:
    // Construction steps whose work belongs to the features that fill them in.
    bool LoadAudioSdk();
    void InitialiseSoundSettingDefaults();
    void SelectSkinAndLanguageFolders();
    void BuildLanguageAndSkinMenus();
    void ScanPlugins();
    void ApplyLanguageTexts();
    void CutWindowToSkinRegion();
    void ApplySkin();
    void DetectDeviceAtStartup();
    void InitialiseSoundSettingsModel();
    void SendStartupDeviceState();
    void ApplyDefaultVirtualProfile();
    void RegisterDeviceNotifications();
    void RestoreLastProfile();
    void StartDeviceExtras();
    // Shutdown steps of the same kind.
    void ReturnDeviceToDefaults();

    // Construction steps owned here.
    void RememberProgramAndRegisterMessages();
    void ReadApplicationConfiguration();
    void ResetLifecycleState();
    void SetUpTrayIconAndTitle();
    void HidePluginMenuWhenEmpty();

    form::MenuItem& PluginMenu();
    bool AnyPluginRunning();
    bool LedDialogOpen() const;
    // The controls by which the borderless window is dragged around.
    static bool MovesWindow(const form::Control* control);
    void ControlClick(const form::Control& control);

    const ports::Platform& platform_;
    const ports::WindowPorts& window_;
    StartContext context_;
    const TLEDForm* ledForm_ = nullptr;

    _APPLICATION_FOLDER_PATH config_;
    LifecycleState state_;
    form::Form form_;
    form::FormTimers timers_;
    form::MenuItem popupMenu_;
    std::wstring title_;
    std::wstring trayHint_;
    WindowPlacement placement_ = WindowPlacement::Shown;
    PressState press_;
    std::wstring pressedControl_; // the window's own press, for its click
    bool activatedBefore_ = false;
    bool destroyed_ = false;
};

// The application title: "InstallAppTitle" cut to 31 characters, or the program's file name without
// its extension when the configuration gives none. Both instances compute it the same way.
std::wstring ApplicationTitle(const _APPLICATION_FOLDER_PATH& config, const std::wstring& programPath);

} // namespace shell
