#include "setup/Wizard.h"

#include "common/IniKeys.h"
#include "common/SystemFacts.h"
#include "common/VersionInfoMgr.h"
#include "common/Text.h"
#include "setup/PerUserFiles.h"
#include "setup/Registration.h"

#include <algorithm>

namespace setup {

namespace {

struct LabelBinding {
    WizardControl control;
    SetupLabel label;
};

// Labels that take the whole record; the buttons and radio buttons take only its text.
constexpr std::array kFullRecordLabels{
    LabelBinding{SelectLangLabel, LabelSelectLang}, LabelBinding{VersionLabel, LabelVersion},
    LabelBinding{AudioExtLabel, LabelAudioExt},     LabelBinding{InstallLabel, LabelInstall},
    LabelBinding{RebootLabel, LabelReboot}};
constexpr std::array kTextOnlyLabels{
    LabelBinding{BackBitBtn, LabelBackBtn},           LabelBinding{NextBitBtn, LabelNextBtn},
    LabelBinding{FinishBitBtn, LabelFinishBtn},       LabelBinding{CancelBitBtn, LabelCancelBtn},
    LabelBinding{RebootRadioButton, LabelRebootRadioBtn}, LabelBinding{NoRebootRadioButton, LabelNoRebootRadioBtn}};

int OptionValue(const ports::PrivateProfile& profile, const std::wstring& configPath, const wchar_t* section,
                const wchar_t* key, int whenEmpty)
{
    std::wstring value;
    ReadIniKey(profile, configPath, section, key, value);
    return value.empty() ? whenEmpty : LeadingInteger(value);
}

WizardState InitialState()
{
    WizardState state;
    auto& c = state.controls;
    c[BackBitBtn].caption = L"< Back";
    c[BackBitBtn].visible = false;
    c[BackBitBtn].enabled = false;
    c[NextBitBtn].caption = L"Next >";
    c[FinishBitBtn].caption = L"Finish";
    c[FinishBitBtn].enabled = false;
    c[CancelBitBtn].caption = L"Cancel";
    c[SelectLangLabel].caption = L"Select Language :";
    c[VersionLabel].caption = L"Select language version of 7.1 USB";
    c[AudioExtLabel].caption = L"Audio Extension for installation";
    c[InstallLabel].caption = L"Installing...";
    c[RebootLabel].caption = L"Setup will reboot your computer to complete the Install";
    c[RebootRadioButton].caption = L"Yes, reboot now";
    c[NoRebootRadioButton].caption = L"No, reboot later";
    return state;
}

} // namespace

int PageOf(WizardControl control)
{
    switch (control) {
    case SelectLangLabel:
    case VersionLabel:
    case AudioExtLabel:
    case ComboBox:
        return LanguagePage;
    case InstallLabel:
    case ProgressBar:
        return InstallPage;
    case RebootLabel:
    case RebootRadioButton:
    case NoRebootRadioButton:
        return FinishPage;
    default:
        return -1;
    }
}

CWizard::CWizard(const ports::Platform& os, ports::InstallFileSystem& installFiles, ports::InstallerWindow& window,
                 std::wstring programPath)
    : os_(os), installFiles_(installFiles), window_(window), programPath_(std::move(programPath)), usbGroup_(os.files),
      hidGroup_(os.files), state_(InitialState())
{
}

void CWizard::Construct()
{
    os_.debug.Write(L"==> TMainForm::TMainForm\n");
    GetFileVersionString(os_.versions, programPath_, versionText_);
    wow64_ = IsWow64(os_.system);
    if (VERSIONINFO_MGR::CVersionInfoMgr(os_.system, os_.debug)
            .GetWindowsVersion(&windowsIndex_, &windowsCode_, &servicePack_) != VERSIONINFO_MGR::kVersionOk)
        os_.debug.Write(L"***** Get Windows Version FAIL! *****\n");
    LoadApplicationConfig(os_, kAudioConfigFileName, programPath_, config_, ConfigReader::Installer);
    uninstall_ = MakeUninstallInfo(config_, versionText_);
}

std::wstring CWizard::LanguageFile(const std::wstring& language) const
{
    return config_.SourceFolderFullPath + config_.LanguageFolderName + L"\\" + language + L"\\Language.ini";
}

ShowResult CWizard::FormShow()
{
    os_.debug.Write(L"==> TMainForm::FormShow\n");
    if (CopyDeviceIdGroup(usbGroup_, os_.registry, config_.SourceFolderFullPath, DEVICEID_MGR::kUsbIdGroup,
                          DEVICEID_MGR::kUsbIdSection, kAudioConfigFileName) != 0 ||
        CopyDeviceIdGroup(hidGroup_, os_.registry, config_.SourceFolderFullPath, DEVICEID_MGR::kHidIdGroup,
                          DEVICEID_MGR::kHidIdSection, kAudioConfigFileName) != 0)
        return ShowResult::Quit;

    ShowPage(LanguagePage);
    state_.focus = NextBitBtn;

    perUserFolder_ = PerUserFolder(os_.system, config_);
    SeedPerUserFiles(installFiles_, config_.SourceFolderFullPath, perUserFolder_);
    const std::wstring defaultLanguage = ReadDefaultLanguage(os_.profile, perUserFolder_);
    LoadLanguageList(defaultLanguage);
    // A language file with an item that is not a number ends the start-up here, as the framework's
    // conversion error would.
    if (!LoadLanguageLabels(defaultLanguage))
        return ShowResult::Shown;
    ApplyLanguageLabels();
    ReadInstallOptions();
    WriteRegistryDefaults(os_.profile, os_.registry, config_.SourceFolderFullPath);
    os_.clock.SleepMs(100);
    return ShowResult::Shown;
}

int CWizard::LoadLanguageList(const std::wstring& defaultLanguage)
{
    state_.comboIndex = -1;
    state_.comboItems.clear();
    state_.originalItems.clear();
    std::vector<std::wstring> folders =
        os_.files.Subfolders(config_.SourceFolderFullPath + config_.LanguageFolderName + L"\\");
    std::sort(folders.begin(), folders.end(),
              [](const std::wstring& a, const std::wstring& b) { return ToLowerAscii(a) < ToLowerAscii(b); });

    const std::wstring configPath = config_.SourceFolderFullPath + kAudioConfigFileName;
    int count = 0;
    for (const std::wstring& folder : folders) {
        std::wstring displayName;
        ReadIniKey(os_.profile, configPath, L"MultiLanguageFolderMap", folder, displayName);
        if (displayName.empty())
            continue;
        state_.originalItems.push_back(folder);
        state_.comboItems.push_back(displayName);
        if (folder == defaultLanguage)
            state_.comboIndex = count;
        ++count;
    }
    if (state_.comboIndex < 0 && count > 0)
        state_.comboIndex = 0;
    return count;
}

bool CWizard::LoadLanguageLabels(const std::wstring& language)
{
    if (const auto bad = LoadSetupLabels(os_.profile, LanguageFile(language), labels_)) {
        window_.ShowMessage(ConversionErrorText(*bad), config_.InstallAppTitle);
        return false;
    }
    return true;
}

void CWizard::ApplyLanguageLabels()
{
    auto& controls = state_.controls;
    for (const LabelBinding& binding : kTextOnlyLabels)
        controls[binding.control].caption = labels_[binding.label].text;
    for (const LabelBinding& binding : kFullRecordLabels) {
        const SetupLabelRecord& record = labels_[binding.label];
        ControlState& control = controls[binding.control];
        control.visible = !record.text.empty() && record.text != kHiddenText;
        if (control.visible)
            control.caption = record.text;
        for (auto [field, given] : {std::pair{&ControlState::colour, record.colour},
                                    std::pair{&ControlState::fontSize, record.fontSize},
                                    std::pair{&ControlState::left, record.left}, std::pair{&ControlState::top, record.top},
                                    std::pair{&ControlState::width, record.width},
                                    std::pair{&ControlState::height, record.height}})
            if (given)
                control.*field = given;
        if (record.fontName)
            control.fontName = record.fontName;
    }
    state_.caption = labels_[LabelTitle].text + L" (V" + versionText_ + L")";
}

void CWizard::ReadInstallOptions()
{
    const std::wstring configPath = config_.SourceFolderFullPath + kAudioConfigFileName;
    std::wstring pluginFolder;
    ReadIniKey(os_.profile, configPath, L"Plugin", L"PluginFolderName", pluginFolder);
    options_.plugin = pluginFolder.empty() ? 0 : 1;
    options_.desktopShortcut = OptionValue(os_.profile, configPath, L"Install", L"DesktopShortcutEnable", 0);
    options_.installUpdate = OptionValue(os_.profile, configPath, L"Install", L"InstallWindowsKB", 1);
    options_.restartChoice = OptionValue(os_.profile, configPath, L"Install", L"ShowRebootScreen", 0);
    state_.controls[RebootRadioButton].visible = options_.restartChoice == 1;
    state_.controls[NoRebootRadioButton].visible = options_.restartChoice == 1;
}

void CWizard::ComboBoxChange(int index)
{
    if (index < 0 || index >= static_cast<int>(state_.originalItems.size()))
        return;
    state_.comboIndex = index;
    const std::wstring language = state_.originalItems[index];
    // A conversion error ends the handler, as the framework's exception would: nothing applied or saved.
    if (!LoadLanguageLabels(language))
        return;
    ApplyLanguageLabels();
    SaveDefaultLanguage(os_.profile, perUserFolder_, language);
}

NextResult CWizard::NextBitBtnClick()
{
    if (state_.page != LanguagePage)
        return NextResult::Stayed;
    const std::wstring& tip = labels_[AntivirusTip].text;
    if (!tip.empty() && !antivirusTipShown_) {
        window_.ShowMessage(tip, kInstallCaption);
        antivirusTipShown_ = true;
        return NextResult::Stayed;
    }
    ShowPage(InstallPage);
    state_.controls[BackBitBtn].enabled = false;
    state_.controls[NextBitBtn].enabled = false;
    return NextResult::InstallStarted;
}

void CWizard::BackBitBtnClick()
{
    if (state_.page == LanguagePage)
        return;
    ShowPage(state_.page - 1);
    state_.controls[BackBitBtn].enabled = false;
    state_.controls[NextBitBtn].enabled = true;
}

void CWizard::InstallFinished(int updateInstalled)
{
    updateInstalled_ = updateInstalled;
    ShowPage(FinishPage);
    if (updateInstalled_ == 1)
        state_.rebootChecked = true;
    if (options_.restartChoice == 0)
        state_.rebootChecked = false;
    auto& controls = state_.controls;
    controls[BackBitBtn].enabled = false;
    controls[NextBitBtn].enabled = false;
    controls[CancelBitBtn].enabled = false;
    controls[FinishBitBtn].enabled = true;
    controls[NextBitBtn].visible = false;
    controls[CancelBitBtn].visible = false;
}

void CWizard::FinishBitBtnClick(ports::UpdateSystem& system)
{
    if (state_.rebootChecked) {
        system.RestartWindows(); // a refusal closes the wizard all the same
        return;
    }
    const std::wstring panel = ControlPanelPath(config_);
    system.Open(panel, panel, 0);
}

void CWizard::ShowPage(int page)
{
    state_.page = page;
}

} // namespace setup
