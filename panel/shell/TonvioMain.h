#pragma once
// TAudioMainForm: the control panel's main window as a model. It owns the panel's state for the whole
// run and keeps the handler names of the window; the window itself is the host's.

#include "common/AppConfig.h"
#include "common/ports/Platform.h"
#include "device/ports/HidChannel.h"
#include "panel/form/Form.h"
#include "panel/form/FormTimers.h"
#include "panel/form/Menu.h"
#include "panel/language/LanguageMenu.h"
#include "panel/language/LanguageSetting.h"
#include "panel/pages/ControlStates.h"
#include "panel/pages/FeaturePages.h"
#include "panel/pages/PageLayout.h"
#include "panel/pages/SliderDrag.h"
#include "panel/pages/TwoStateSwitch.h"
#include "panel/ports/WindowEvents.h"
#include "panel/ports/WindowPorts.h"
#include "panel/shell/LifecycleState.h"
#include "panel/shell/PanelDevices.h"
#include "panel/shell/PresenceHandlers.h"
#include "panel/shell/StartupValues.h"
#include "panel/skin/SkinSetting.h"
#include "sound/FeatureDevice.h"
#include "sound/SoundFeatures.h"

#include <cstdint>
#include <memory>
#include <string>

namespace shell {

class TLEDForm;
class TAboutForm;

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
    bool dragging = false; // a slider follows the cursor
    panel::DragMode mode = panel::DragMode::None;
};

struct StartContext {
    std::wstring programPath; // the running program's full path
    std::wstring commandLine; // the whole command line, as the process got it
};

inline constexpr std::size_t kStartupValueChars = 31;

class TAudioMainForm : private panel::PageView {
public:
    TAudioMainForm(const ports::Platform& platform, const ports::WindowPorts& window, const PanelDevices& devices,
                   StartContext context);
    ~TAudioMainForm();
    TAudioMainForm(const TAudioMainForm&) = delete;
    TAudioMainForm& operator=(const TAudioMainForm&) = delete;

    // The construction steps, in their order. False when the panel must end at once (its message loop
    // ends without showing the window).
    bool Construct();
    void SetLedForm(TLEDForm& ledForm);
    void SetAboutForm(TAboutForm& aboutForm) { aboutForm_ = &aboutForm; }

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

    // Image buttons by tag, and the page tabs.
    void OnImageMouseDown(int tag);
    void OnImageMouseUp(int tag);
    void OnLabelPageMouseDown(int tag);
    void OnShapeMouseDown(int tag);
    // A check box of the window was clicked; its check mark has already changed.
    void OnCheckBoxClick(const std::wstring& name);

    // Skin buttons.
    void CloseImageClick();
    void MinimizeImageClick();

    // Tray icon and its menu.
    void TrayDoubleClick();
    void CTrayIconRestore();
    void TrayRightButtonUp();
    void MenuItemClick(int id);
    void CloseMenuClick();
    void PluginMenuItemClick(int id);
    void SkinMenuClick(int id);
    void LanguageMenuClick(int id);

    // Device presence.
    void OnDeviceChange(const ports::DeviceChange& change) { presence_.OnDeviceChange(change); }
    void Timer1Timer() { presence_.Timer1Timer(); }

    // The about box (the third menu button, while a device is active) and its web label.
    void ShowAbout();
    void WebLabelClick();

    form::Form& Form() override { return form_; }
    const form::Form& Form() const { return form_; }
    form::FormTimers& Timers() { return timers_; }
    form::MenuItem& PopupMenu() { return popupMenu_; }
    const LifecycleState& State() const { return state_; }
    LifecycleState& MutableState() { return state_; }
    panel::ControlStates& States() override { return states_; }
    const _APPLICATION_FOLDER_PATH& Config() const { return config_; }
    const StartupValues& Startup() const { return startup_; }
    const panel::SkinSetting& Skin() const override { return skin_; }
    const panel::LanguageSetting& Language() const override { return language_; }
    const std::wstring& SkinName() const { return skinName_; }
    const std::wstring& LanguageName() const { return languageName_; }
    const std::wstring& ResolutionFolder() const { return resolutionFolder_; }
    device::DeviceOutcome Outcome() const { return outcome_; }
    const std::wstring& Title() const { return title_; }
    const std::wstring& TrayHint() const { return trayHint_; }
    WindowPlacement Placement() const { return placement_; }
    const PressState& Press() const { return press_; }
    bool Destroyed() const { return destroyed_; }

    // Shows every control of the current page in its present state.
    void LayOutCurrentPage() override;
    // The sound features' models and their presenters.
    sound::SoundFeatures& Features() { return features_; }
    panel::FeaturePages& Pages() { return pages_; }

private:
    class FeatureSteps;

    std::wstring ConfigPath() const; // "AudioConfig.cfg" of the program folder

    // Construction steps, in their order.
    bool LoadAudioSdk();
    void RememberProgramAndRegisterMessages();
    void ReadApplicationConfiguration();
    void ResetLifecycleState();
    void InitialiseSoundSettingDefaults();
    void SelectSkinAndLanguageFolders();
    void SetUpTrayIconAndTitle();
    void BuildLanguageAndSkinMenus();
    void ScanPlugins();
    void ApplyLanguageTexts();
    void HidePluginMenuWhenEmpty();
    void CutWindowToSkinRegion();
    void ApplySkin();
    void InitialiseSoundSettingsModel();
    void SendStartupDeviceState();
    void ApplyDefaultVirtualProfile();
    void RegisterDeviceNotifications();
    void RestoreProfiles();
    void StartDeviceExtras();
    // Shutdown: the device goes back to its defaults.
    void ReturnDeviceToDefaults();

    // Skins and languages.
    std::wstring SkinsFolder() const; // program folder + skins root + resolution folder
    std::wstring SkinFolder() const;  // ... + skin name + "\"
    std::wstring LanguagesFolder() const;
    void LoadSkin();
    void LoadCurrentLanguage();
    void BuildSkinMenu();
    void BuildLanguageMenu();
    void ApplyLanguage();
    void ApplyMenuCaptions();
    void ApplyDeviceStateLabel();
    panel::SwitchLook Look() const override;
    panel::PageLayoutInputs LayoutInputs() const;
    double FontScale() const;

    // Pages and buttons.
    bool DeviceGuardRefuses(int tag);
    void ShowWarning(const wchar_t* labelKey) override;
    void ReportStoppedProfileRead(const std::optional<sound::ProfileReadResult>& result, const std::wstring& path);
    void ShowMessage(const std::wstring& text) override;
    ports::FileDialogs& FileDialogs() override { return window_.fileDialogs; }
    void ShowPressed(form::Tag tag, bool pressed) override;
    bool DeviceActive() const override { return state_.deviceActive; }
    void Redraw() override;
    void EnableTimer(const wchar_t* name, bool enabled) override { timers_.SetEnabled(name, enabled); }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;
    // The LED tab: the LED page when it is in use, otherwise the LED dialog (the label always, the
    // picture only for a page mode other than 0 and 1).
    void LedTabClick(bool label);
    void SelectPage(int tag);
    void ShowOutcome(device::DeviceOutcome outcome);
    void ReturnControlsToDeviceAbsentLook();
    void DragPress(const HookedMouse& mouse);
    void DragMove(const HookedMouse& mouse);
    void MoveSliderTo(form::Control& slider, panel::DragMode mode, int top);
    void SliderMoved(const form::Control& slider, panel::DragMode mode);

    form::MenuItem& PluginMenu();
    bool AnyPluginRunning();
    bool LedDialogOpen() const;
    // The controls by which the borderless window is dragged around.
    static bool MovesWindow(const form::Control* control);
    void ControlClick(const form::Control& control);

    const ports::Platform& platform_;
    const ports::WindowPorts& window_;
    PanelDevices devices_;
    StartContext context_;
    TLEDForm* ledForm_ = nullptr;
    TAboutForm* aboutForm_ = nullptr;

    _APPLICATION_FOLDER_PATH config_;
    StartupValues startup_;
    LifecycleState state_;
    form::Form form_;
    form::FormTimers timers_;
    form::MenuItem popupMenu_;
    std::wstring title_;
    std::wstring trayHint_;
    WindowPlacement placement_ = WindowPlacement::Shown;
    PressState press_;
    std::wstring pressedControl_; // the window's own press, for its click
    bool pressAccepted_ = false;  // the press of an image button was dispatched: its release is too
    bool activatedBefore_ = false;
    bool constructed_ = false;
    bool destroyed_ = false;

    std::wstring skinName_;
    std::wstring languageName_;
    std::wstring resolutionFolder_;
    panel::SkinSetting skin_;
    panel::LanguageSetting language_;
    panel::LanguageMenu languageMenu_;
    panel::ControlStates states_;
    device::DeviceOutcome outcome_ = device::DeviceOutcome::NoHid;

    std::unique_ptr<ports::AudioSdk> sdk_; // bound at construction; null until then
    device::FilterDriverChannel channel_;
    sound::FeatureDevice featureDevice_;
    sound::SoundFeatures features_;
    panel::FeaturePages pages_;
    std::unique_ptr<FeatureSteps> featureSteps_;
    PresenceHandlers presence_;
};

// The application title: "InstallAppTitle" cut to 31 characters, or the program's file name without
// its extension when the configuration gives none. Both instances compute it the same way.
std::wstring ApplicationTitle(const _APPLICATION_FOLDER_PATH& config, const std::wstring& programPath);

} // namespace shell
