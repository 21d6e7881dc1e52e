#include "panel/shell/TonvioMain.h"

#include "common/IniKeys.h"
#include "common/SystemFacts.h"
#include "common/Text.h"
#include "panel/form/MainFormComponents.h"
#include "panel/shell/CommandLine.h"
#include "panel/shell/RegisteredMessages.h"
#include "panel/shell/SmallForms.h"

#include <algorithm>
#include <utility>

namespace shell {

namespace {
constexpr wchar_t kPresencePollTimer[] = L"Timer1";

std::wstring FolderOf(const std::wstring& path)
{
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}
} // namespace

std::wstring ApplicationTitle(const _APPLICATION_FOLDER_PATH& config, const std::wstring& programPath)
{
    if (!config.InstallAppTitle.empty())
        return CutText(config.InstallAppTitle, kStartupValueChars);
    std::wstring name = programPath.substr(programPath.find_last_of(L'\\') + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

TAudioMainForm::TAudioMainForm(const ports::Platform& platform, const ports::WindowPorts& window, StartContext context)
    : platform_(platform), window_(window), context_(std::move(context)),
      form_(form::BuildMainForm(ApplicationTitle({}, context_.programPath))),
      timers_(window.timers, form::kMainFormTimers), popupMenu_(form::BuildMainPopupMenu())
{
    title_ = form_.Caption();
}

TAudioMainForm::~TAudioMainForm() = default;

bool TAudioMainForm::Construct()
{
    if (!LoadAudioSdk())
        return false;
    timers_.SetEnabled(kPresencePollTimer, false);
    RememberProgramAndRegisterMessages();
    ReadApplicationConfiguration();
    ResetLifecycleState();
    InitialiseSoundSettingDefaults();
    timers_.SetEnabled(kPresencePollTimer, false);
    SelectSkinAndLanguageFolders();
    SetUpTrayIconAndTitle();
    BuildLanguageAndSkinMenus();
    ScanPlugins();
    ApplyLanguageTexts();
    HidePluginMenuWhenEmpty();
    CutWindowToSkinRegion();
    ApplySkin();
    DetectDeviceAtStartup();
    if (!state_.deviceActive)
        timers_.SetEnabled(kPresencePollTimer, true);
    InitialiseSoundSettingsModel();
    if (state_.deviceActive)
        SendStartupDeviceState();
    ApplyDefaultVirtualProfile();
    RegisterDeviceNotifications();
    RestoreLastProfile();
    if (state_.deviceActive)
        StartDeviceExtras();
    state_.activationCount = 0;
    return true;
}

// --- Steps that the features fill in. Each stays empty until its feature arrives; the order above is
// the order they run in.
bool TAudioMainForm::LoadAudioSdk()
{
    return true;
}
void TAudioMainForm::InitialiseSoundSettingDefaults() {}
void TAudioMainForm::SelectSkinAndLanguageFolders() {}
void TAudioMainForm::BuildLanguageAndSkinMenus() {}
void TAudioMainForm::ScanPlugins() {}
void TAudioMainForm::ApplyLanguageTexts() {}
void TAudioMainForm::CutWindowToSkinRegion() {}
void TAudioMainForm::ApplySkin() {}
void TAudioMainForm::DetectDeviceAtStartup() {}
void TAudioMainForm::InitialiseSoundSettingsModel() {}
void TAudioMainForm::SendStartupDeviceState() {}
void TAudioMainForm::ApplyDefaultVirtualProfile() {}
void TAudioMainForm::RegisterDeviceNotifications() {}
void TAudioMainForm::RestoreLastProfile() {}
void TAudioMainForm::StartDeviceExtras() {}
void TAudioMainForm::ReturnDeviceToDefaults() {}

// --- Steps owned by the shell.
void TAudioMainForm::RememberProgramAndRegisterMessages()
{
    state_.programFolder = FolderOf(context_.programPath);
    state_.exitMessageId = window_.messages.Register(kPanelExitMessage);
    state_.effectExitMessageId = window_.messages.Register(kEffectExitMessage);
    state_.resumeMessageId = window_.messages.Register(kExitResumeMessage);
    state_.osKind = GetOsKind(platform_.system);
}

void TAudioMainForm::ReadApplicationConfiguration()
{
    LoadApplicationConfig(platform_, kAudioConfigFileName, context_.programPath, config_);
}

void TAudioMainForm::ResetLifecycleState()
{
    state_.deviceVid = 0;
    state_.devicePid = 0;
    state_.m_hDevice.reset();
    state_.deviceActive = false;
    state_.synchronization = false;
    state_.micProbeDone = false;
    state_.currentPage = kPageEq;
    state_.activationCount = 0;
}

void TAudioMainForm::SetUpTrayIconAndTitle()
{
    GetIniKey(platform_.profile, state_.programFolder + kAudioConfigFileName, L"TrayIconHint", L"HintName", trayHint_,
              kStartupValueChars + 1);
    const std::wstring iconFile =
        config_.InstallIconFileName.empty() ? std::wstring() : state_.programFolder + config_.InstallIconFileName;
    window_.tray.Show(iconFile, trayHint_);
    title_ = ApplicationTitle(config_, context_.programPath);
    form_.SetCaption(title_);
}

void TAudioMainForm::HidePluginMenuWhenEmpty()
{
    PluginMenu().visible = state_.pluginCount > 0;
}

form::MenuItem& TAudioMainForm::PluginMenu()
{
    return *popupMenu_.Find(form::kPluginMenuId);
}

bool TAudioMainForm::AnyPluginRunning()
{
    const auto& items = PluginMenu().items;
    return std::ranges::any_of(items, &form::MenuItem::checked);
}

bool TAudioMainForm::LedDialogOpen() const
{
    return ledForm_ != nullptr && ledForm_->DialogOpen();
}

// --- Window handlers.
void TAudioMainForm::FormCreate()
{
    platform_.debug.Write(L"FormCreate");
}

void TAudioMainForm::FormActivate()
{
    platform_.debug.Write(L"FormActivate");
    if (std::exchange(activatedBefore_, true))
        return;
    if (context_.commandLine.find(kServiceBootSwitch) != std::wstring::npos) {
        platform_.debug.Write(kServiceBootSwitch);
        window_.window.PostMinimizeCommand();
    }
}

void TAudioMainForm::WndProc(std::uint32_t message)
{
    // An id of 0 means the name could not be registered; it must not match any message.
    if (message == 0)
        return;
    if (message == state_.exitMessageId) {
        window_.window.RequestClose();
    } else if (message == state_.resumeMessageId) {
        auto& items = PluginMenu().items;
        const std::size_t count = std::min<std::size_t>(items.size(), std::max(state_.pluginCount, 0));
        for (std::size_t i = 0; i < count; ++i)
            items[i].checked = false;
    }
}

void TAudioMainForm::SystemMinimize()
{
    window_.window.MinimizeToTray();
    placement_ = WindowPlacement::InTray;
}

void TAudioMainForm::SystemRestore()
{
    window_.window.RestoreFromTray();
    placement_ = WindowPlacement::Shown;
}

void TAudioMainForm::FormDestroy()
{
    if (std::exchange(destroyed_, true))
        return;
    ReturnDeviceToDefaults();
    state_.m_hDevice.reset();
    window_.tray.Remove();
}

// --- Mouse.
bool TAudioMainForm::MovesWindow(const form::Control* control)
{
    if (control == nullptr)
        return true; // the form itself
    static const wchar_t* const kMoveHandles[] = {L"MainFormImage", L"MainLeftImage", L"DeviceActiveImage",
                                                  L"LogoImage"};
    return std::ranges::any_of(kMoveHandles, [&](const wchar_t* name) { return control->name == name; });
}

void TAudioMainForm::FormMouseDown(int x, int y)
{
    const form::Control* control = form_.ControlAt(x, y);
    pressedControl_ = control ? control->name : std::wstring();
    if (MovesWindow(control) && !LedDialogOpen()) {
        // The move runs the window's own drag loop, which swallows the release: no click follows.
        pressedControl_.clear();
        window_.window.BeginMoveByCaption();
        window_.pump.ProcessPendingMessages();
    }
}

void TAudioMainForm::FormMouseUp(int x, int y)
{
    const form::Control* control = form_.ControlAt(x, y);
    const bool click = control != nullptr && !pressedControl_.empty() && control->name == pressedControl_;
    pressedControl_.clear();
    if (click && control->enabled)
        ControlClick(*control);
}

void TAudioMainForm::ControlClick(const form::Control& control)
{
    if (control.kind != form::ControlClass::Image)
        return;
    if (control.tag == form::kTagCloseImage)
        CloseImageClick();
    else if (control.tag == form::kTagMinimizeImage)
        MinimizeImageClick();
}

void TAudioMainForm::ApplicationMouseHook(const HookedMouse& mouse)
{
    if (LedDialogOpen())
        return;
    switch (mouse.kind) {
    case HookedMouse::Kind::LeftDown: {
        const form::Control* control = form_.ControlAt(mouse.clientX, mouse.clientY);
        press_ = {true,          control ? control->name : std::wstring(), mouse.screenX,
                  mouse.screenY, control ? control->bounds.left : 0,       control ? control->bounds.top : 0};
        break;
    }
    case HookedMouse::Kind::LeftUp:
        press_ = {};
        break;
    case HookedMouse::Kind::Move:
        break;
    }
}

// --- Skin buttons.
void TAudioMainForm::CloseImageClick()
{
    window_.window.MinimizeToTray();
    placement_ = WindowPlacement::InTray;
}

void TAudioMainForm::MinimizeImageClick()
{
    window_.window.MinimizeToTaskbar();
    placement_ = WindowPlacement::OnTaskbar;
}

// --- Tray icon and its menu.
void TAudioMainForm::TrayDoubleClick()
{
    window_.window.RestoreFromTray();
    placement_ = WindowPlacement::Shown;
    CTrayIconRestore();
}

void TAudioMainForm::CTrayIconRestore()
{
    // A running plug-in keeps the panel out of sight until it announces its end.
    if (AnyPluginRunning()) {
        window_.window.MinimizeToTray();
        placement_ = WindowPlacement::InTray;
    } else {
        window_.window.ShowMain();
        placement_ = WindowPlacement::Shown;
    }
}

void TAudioMainForm::TrayRightButtonUp()
{
    window_.window.BringToForeground();
    if (const auto chosen = window_.menus.ShowAtCursor(popupMenu_))
        MenuItemClick(*chosen);
}

void TAudioMainForm::MenuItemClick(int id)
{
    const form::MenuItem* item = popupMenu_.Find(id);
    if (item == nullptr || !item->enabled)
        return;
    if (id == form::kCloseMenuId)
        CloseMenuClick();
}

void TAudioMainForm::CloseMenuClick()
{
    window_.messages.Broadcast(state_.effectExitMessageId, kCloseBroadcastTimeoutMs);
    window_.window.RequestClose();
}

} // namespace shell
