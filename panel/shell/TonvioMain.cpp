#include "panel/shell/TonvioMain.h"

#include "common/IniKeys.h"
#include "device/AudioCommand.h"
#include "device/HidRegisterChannel.h"
#include "panel/skin/SkinFolders.h"
#include "common/SystemFacts.h"
#include "common/Text.h"
#include "panel/form/MainFormComponents.h"
#include "panel/shell/CommandLine.h"
#include "panel/shell/MainFormFeatureSteps.h"
#include "panel/shell/RegisteredMessages.h"
#include "panel/shell/SmallForms.h"

#include <algorithm>
#include <utility>

namespace shell {

namespace {
constexpr wchar_t kPresencePollTimer[] = L"Timer1";
constexpr std::size_t kNameCapacity = 128; // language and skin names: 127 characters
constexpr std::uint16_t kEffectRegister = 0x100;
constexpr wchar_t kDefaultProfileFileName[] = L"DefaultProfile.ini";
constexpr wchar_t kLastProfileFileName[] = L"LastProfile.ini";

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

TAudioMainForm::TAudioMainForm(const ports::Platform& platform, const ports::WindowPorts& window,
                               const PanelDevices& devices, StartContext context)
    : platform_(platform), window_(window), devices_(devices), context_(std::move(context)),
      form_(form::BuildMainForm(ApplicationTitle({}, context_.programPath))),
      timers_(window.timers, form::kMainFormTimers), popupMenu_(form::BuildMainPopupMenu()),
      channel_(devices.filterDriver), featureDevice_{platform, sdk_, devices.hid, channel_, state_},
      features_(featureDevice_, devices.audio), pages_(*this, features_), featureSteps_(std::make_unique<FeatureSteps>(*this)),
      presence_(
          state_, *featureSteps_,
          PresenceDevice{sdk_, devices.hid, channel_, platform.files, devices.devices, platform.clock, platform.debug},
          PresenceSettings{})
{
    title_ = form_.Caption();
    timers_.SetHandler(kPresencePollTimer, [this] { Timer1Timer(); });
    timers_.SetHandler(panel::kRingTimer, [this] { pages_.virtual71.TimerTick(); });
    timers_.SetHandler(panel::kTestSoundCircleTimer, [this] { pages_.testSound.BeeTimerTick(); });
    timers_.SetHandler(panel::kTestSoundPlayTimer, [this] { pages_.testSound.BeePlayTimerTick(); });
    timers_.SetHandler(panel::kReplayTimer, [this] { pages_.effectsAndMic.ReplayTimerTick(); });
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
    startup_ = ReadStartupValues(platform_.profile, ConfigPath());
    presence_.Configure({ConfigPath(), startup_.encButtonMode, startup_.exclusive3DV7ch1});
    features_.noiseAndVoice.ConfigureButtonScan(
        static_cast<std::uint8_t>(startup_.encGpio),
        [this] { window_.window.PostRegisteredMessage(state_.buttonReportMessageId); },
        [this] { window_.pump.ProcessPendingMessages(); });
    SetUpTrayIconAndTitle();
    BuildLanguageAndSkinMenus();
    ScanPlugins();
    ApplyLanguageTexts();
    HidePluginMenuWhenEmpty();
    // Applying the skin cuts the window to its region when "RegionCut" asks for it.
    ApplySkin();
    // The LED page's mode and slider bars come from the skin; the first activation's LED set-up needs them.
    pages_.led.SkinChanged();
    LayOutCurrentPage();
    presence_.DetectAtStartup();
    InitialiseSoundSettingsModel();
    if (state_.deviceActive)
        SendStartupDeviceState();
    ApplyDefaultVirtualProfile();
    RegisterDeviceNotifications();
    RestoreProfiles();
    if (state_.deviceActive)
        StartDeviceExtras();
    state_.activationCount = 0;
    constructed_ = true;
    return true;
}

std::wstring TAudioMainForm::ConfigPath() const
{
    return state_.programFolder + kAudioConfigFileName;
}

bool TAudioMainForm::LoadAudioSdk()
{
    const int result = devices_.sdk.Load(sdk_);
    if (result == 0)
        return true;
    const std::wstring text = FormatText(255, L"***** Open_DLLQZ_Tonvio48xx, ret = %d *****", result);
    window_.messageBoxes.Show(text, title_, ports::MessageBoxIcon::None);
    platform_.debug.Write(text);
    return false;
}

void TAudioMainForm::InitialiseSoundSettingDefaults()
{
    states_ = {};
}

void TAudioMainForm::SelectSkinAndLanguageFolders()
{
    // The OEM's file names the product's first language and skin; the user's own choices, kept in the
    // per-user copy once the installer made one, take their place.
    GetIniKey(platform_.profile, ConfigPath(), L"Language", L"DefaultLanguage", languageName_, kNameCapacity);
    GetIniKey(platform_.profile, ConfigPath(), L"Skin", L"DefaultSkin", skinName_, kNameCapacity);
    ReadUserChoices(platform_, config_, languageName_, skinName_);
    languageName_ = CutText(languageName_, kNameCapacity - 1);
    skinName_ = CutText(skinName_, kNameCapacity - 1);
    const ports::ScreenFacts screen = window_.screen.Facts();
    resolutionFolder_ =
        panel::CheckedResolutionFolder(platform_.files, state_.programFolder, config_.SkinFolderName,
                                       panel::ChooseResolutionFolder(screen.width, screen.height), skinName_);
}

void TAudioMainForm::BuildLanguageAndSkinMenus()
{
    BuildLanguageMenu();
    BuildSkinMenu();
    LoadCurrentLanguage();
    LoadSkin();
}

void TAudioMainForm::ApplyLanguageTexts()
{
    ApplyLanguage();
}

void TAudioMainForm::InitialiseSoundSettingsModel()
{
    features_.profiles.SetLocations({UserDataFile(platform_, config_, kDefaultProfileFileName),
                                     UserDataFile(platform_, config_, kLastProfileFileName),
                                     UserProfileFolder(platform_, config_), ConfigPath()});
    // "DefaultIni" also makes the resets take their values from the default profile.
    if (startup_.defaultIni != 0)
        features_.equalizer.SetDefaultProfile(UserDataFile(platform_, config_, kDefaultProfileFileName));
    pages_.equalizer.Initialise();
    if (startup_.defaultIni == 1) {
        ReportStoppedProfileRead(features_.profiles.LoadDefaultProfile(), features_.profiles.Locations().defaultProfile);
        features_.profiles.ReadArrivalDefaults();
    }
    features_.sound3D.SetExclusiveWithVirtual(startup_.exclusive3DV7ch1 == 1);
    pages_.sound3D.Initialise();
    features_.effectsAndMic.SetMonitorMode(startup_.micMonitor);
    pages_.effectsAndMic.InitialiseEffect();
    features_.virtual71.SetScalar(startup_.v7ch1Scalar);
    features_.virtual71.SetOldLayout(startup_.oldVersion != 0);
    if (startup_.defaultIni != 0)
        features_.virtual71.SetDefaultProfile(UserDataFile(platform_, config_, kDefaultProfileFileName));
    pages_.virtual71.Initialise();
}

void TAudioMainForm::SendStartupDeviceState()
{
    std::uint32_t status = 0;
    channel_.StatusRequest(status);
    pages_.virtual71.SetEnabled(0);
    features_.virtual71.SendOnOff(0);
    features_.virtual71.SendParameters(0);
    std::uint32_t value = 0;
    channel_.ControlRequest(0, value);
    pages_.effectsAndMic.ResetMicState();
    if (features_.endpoints.HasCaptureEndpoint() || state_.osKind != kOsKindEndpoints) {
        pages_.effectsAndMic.RunMicrophoneProbe(states_.page == panel::kPageMic);
        state_.micProbeDone = true;
    }
    features_.virtual71.SendScalar();
}

void TAudioMainForm::ApplyDefaultVirtualProfile()
{
    pages_.virtual71.ResetLayout();
    channel_.SwitchEffect(1);
}

void TAudioMainForm::RegisterDeviceNotifications()
{
    window_.notifications.RegisterWindow();
    features_.endpoints.ReleaseCaptureEndpoint();
}

// At start-up nobody is there to answer a message box: a profile that stopped part-way is only logged.
void TAudioMainForm::ReportStoppedProfileRead(const std::optional<sound::ProfileReadResult>& result,
                                              const std::wstring& path)
{
    if (result && !result->complete)
        platform_.debug.Write(L"***** Profile read stopped: " + path + L" [" + result->section + L"] " + result->key +
                              L" *****\n");
}

void TAudioMainForm::RestoreProfiles()
{
    pages_.virtual71.HideTestSoundImage();
    states_.page = panel::kPageEq;
    LayOutCurrentPage();
    const auto lastRead = features_.profiles.LoadLastProfile();
    if (!lastRead) {
        features_.noiseAndVoice.NoiseCancellationFromRegistry();
        features_.noiseAndVoice.VoiceEffectFromRegistry();
        return;
    }
    ReportStoppedProfileRead(lastRead, features_.profiles.Locations().lastProfile);
    pages_.profiles.ShowProfile();
}

void TAudioMainForm::StartDeviceExtras()
{
    sound::Equalizer& equalizer = features_.equalizer;
    if (equalizer.TakesEnableFromDevice()) {
        equalizer.ConfirmEnable();
        equalizer.ConfirmEnable();
    }
    sound::Sound3D& sound3D = features_.sound3D;
    if (sound3D.TakesEnableFromDevice()) {
        sound3D.ConfirmEnable();
        sound3D.ConfirmEnable();
    }
    if (startup_.encButtonMode == 1)
        features_.noiseAndVoice.StartButtonScan();
    features_.led.RunSetup();
}

void TAudioMainForm::ReturnDeviceToDefaults()
{
    features_.profiles.SaveLastProfile();
    features_.endpoints.CloseMediaPlayer();
    // The capture and the microphone's replay end with the window, whatever else follows.
    features_.endpoints.StopCapture();
    features_.endpoints.StopRecordAndReplay();
    sound::Sound3D& sound3D = features_.sound3D;
    if (features_.equalizer.ReturnToDefaults())
        sound3D.SendOnOff(sound3D.Enabled());
    sound3D.ReturnToDefaults();
    std::unique_ptr<ports::HidInterface> hid = devices_.hid.OpenFirst(state_.deviceVid, state_.devicePid);
    if (!hid)
        return;
    device::WriteRegister(*hid, kEffectRegister, 0);
    channel_.SelectEffect(0);
    channel_.SwitchEffect(1);
    features_.virtual71.SetEnabled(0);
    pages_.virtual71.ResetLayout();
    if (sdk_) {
        device::SendAudioCommandValue(*sdk_, device::kNoiseCancellationGroup, device::kOnOffSubCommand, 0);
        device::SendAudioCommandValue(*sdk_, device::kVoiceEffectGroup, device::kOnOffSubCommand, 0);
    }
    // The LED effect thread exists once the LED set-up ran: it ends, and the LEDs go off.
    features_.led.SwitchOffAtExit();
    device::EndTransfer(*hid);
}

// --- Steps owned by the shell.
void TAudioMainForm::RememberProgramAndRegisterMessages()
{
    state_.programFolder = FolderOf(context_.programPath);
    pages_.testSound.SetProgramFolder(state_.programFolder);
    state_.exitMessageId = window_.messages.Register(kPanelExitMessage);
    state_.effectExitMessageId = window_.messages.Register(kEffectExitMessage);
    state_.resumeMessageId = window_.messages.Register(kExitResumeMessage);
    state_.buttonReportMessageId = window_.messages.Register(kButtonReportMessage);
    state_.osKind = GetOsKind(platform_.system);
    features_.endpoints.SetOsKind(state_.osKind);
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
    state_.activationCount = 0;
}

void TAudioMainForm::SetUpTrayIconAndTitle()
{
    trayHint_ = startup_.hintName;
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

void TAudioMainForm::SetLedForm(TLEDForm& ledForm)
{
    ledForm_ = &ledForm;
    ledForm.Bind(features_.ledDialog, window_.colourDialog);
}

std::optional<std::uint32_t> TAudioMainForm::ChooseColour(std::uint32_t initial)
{
    return window_.colourDialog.Choose(initial);
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
    } else if (message == state_.buttonReportMessageId) {
        features_.noiseAndVoice.DeliverButtonReports();
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
    // A panel whose construction ended early has no settings to save and drove no device.
    if (constructed_)
        ReturnDeviceToDefaults();
    state_.m_hDevice.reset();
    window_.tray.Remove();
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
    else if (id >= form::kFirstSkinItemId && id < form::kFirstSkinItemId + form::kMenuItemRange)
        SkinMenuClick(id);
    else if (id >= form::kFirstLanguageItemId && id < form::kFirstLanguageItemId + form::kMenuItemRange)
        LanguageMenuClick(id);
    else if (id >= form::kFirstPluginItemId && id < form::kFirstPluginItemId + form::kMenuItemRange)
        PluginMenuItemClick(id);
}

// Starts a plug-in application: whatever plug-in runs is asked to end first (twice, with pauses, as
// they take their time), then the chosen one starts with the panel out of sight until it ends.
void TAudioMainForm::PluginMenuItemClick(int id)
{
    window_.messages.Broadcast(state_.effectExitMessageId, kPluginQuickExitTimeoutMs);
    platform_.debug.Write(L"WM_APP_EXIT_RESUME");
    window_.messages.Broadcast(state_.resumeMessageId, kPluginBroadcastTimeoutMs);
    platform_.clock.SleepMs(kPluginPauseMs);
    for (int round = 0; round < 2; ++round) {
        platform_.debug.Write(L"WM_APP_EXIT_EFFECT");
        window_.messages.Broadcast(state_.effectExitMessageId, kPluginBroadcastTimeoutMs);
        platform_.clock.SleepMs(kPluginPauseMs);
    }
    form::MenuItem* item = popupMenu_.Find(id);
    if (item == nullptr)
        return;
    item->checked = true;
    std::wstring name;
    for (const wchar_t c : item->caption)
        if (c != L'&')
            name += c;
    const std::wstring path =
        state_.programFolder + config_.PluginFolderName + L"\\" + name + L"\\" + name + L".exe";
    platform_.debug.Write(path);
    window_.shell.StartHidden(path, path);
    window_.window.HideMain();
}

void TAudioMainForm::CloseMenuClick()
{
    window_.messages.Broadcast(state_.effectExitMessageId, kCloseBroadcastTimeoutMs);
    window_.window.RequestClose();
}

} // namespace shell
