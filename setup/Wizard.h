#pragma once
// The wizard window's model: its controls and pages, and the handlers that change them. The Win32 window
// shows this state; the handlers run on the GUI thread.

#include "common/AppConfig.h"
#include "common/DeviceIdMgr.h"
#include "setup/InstallSequence.h"
#include "setup/LabelRecords.h"
#include "setup/Registration.h"
#include "setup/ports/UpdateSystem.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace setup {

enum WizardControl : std::size_t {
    BackBitBtn,
    NextBitBtn,
    FinishBitBtn,
    CancelBitBtn,
    SelectLangLabel,
    VersionLabel,
    AudioExtLabel,
    ComboBox,
    InstallLabel,
    ProgressBar,
    RebootLabel,
    RebootRadioButton,
    NoRebootRadioButton,
    kWizardControlCount
};

enum WizardPage { LanguagePage = 0, InstallPage = 1, FinishPage = 2 };

struct ControlState {
    std::wstring caption;
    bool visible = true;
    bool enabled = true;
    std::optional<int> colour; // 0x00BBGGRR
    std::optional<std::wstring> fontName;
    std::optional<int> fontSize;
    std::optional<int> left, top, width, height;
};

// The page each control lies on; buttons lie on none (-1) and show on every page.
int PageOf(WizardControl control);

struct WizardState {
    std::array<ControlState, kWizardControlCount> controls;
    int page = FinishPage;
    std::wstring caption = L"KVQ 7.1 USB Audio Setup";
    std::vector<std::wstring> comboItems;    // display names
    std::vector<std::wstring> originalItems; // language folder names, parallel to comboItems
    int comboIndex = -1;
    int progress = 0;
    bool rebootChecked = false; // RebootRadioButton; NoRebootRadioButton is its opposite
    WizardControl focus = NextBitBtn;
};

enum class ShowResult { Shown, Quit };
enum class NextResult { Stayed, InstallStarted };

class CWizard {
public:
    CWizard(const ports::Platform& os, ports::InstallFileSystem& installFiles, ports::InstallerWindow& window,
            std::wstring programPath);

    // Construction: the program's version, the Windows facts, the configuration, the uninstall record.
    void Construct();
    // Publishes the device-ID groups, seeds the per-user files and loads the language; Quit when a device-ID
    // group cannot be copied.
    ShowResult FormShow();
    int LoadLanguageList(const std::wstring& defaultLanguage);
    // False when an item was not a number (its message has been shown).
    bool LoadLanguageLabels(const std::wstring& language);
    void ApplyLanguageLabels();
    void ReadInstallOptions();
    void ComboBoxChange(int index);
    // InstallStarted: the caller starts the worker thread with the installation sequence.
    NextResult NextBitBtnClick();
    void BackBitBtnClick();
    void InstallProgress(int percent) { state_.progress = percent; }
    // The sequence has ended; updateInstalled is its update-installed flag.
    void InstallFinished(int updateInstalled);
    // Restarts Windows when "Yes, reboot now" is checked, else starts the installed control panel, which
    // asks the companion service to show it. The caller then closes the wizard.
    void FinishBitBtnClick(ports::UpdateSystem& system);
    // The user's click on one of the two restart radio buttons.
    void RebootChoiceClick(bool reboot) { state_.rebootChecked = reboot; }

    const WizardState& State() const { return state_; }
    const _APPLICATION_FOLDER_PATH& Config() const { return config_; }
    const InstallOptions& Options() const { return options_; }
    const SetupLabelRecords& Labels() const { return labels_; }
    const _REG_UNINSTALL_INFO& Uninstall() const { return uninstall_; }
    const std::wstring& PerUserFolderPath() const { return perUserFolder_; }
    bool Wow64() const { return wow64_; }
    const std::wstring& VersionText() const { return versionText_; }
    // Windows version index (4: Windows 7), version code and service pack; the index stays 2 when unknown.
    int WindowsIndex() const { return windowsIndex_; }
    int ServicePack() const { return servicePack_; }
    int UpdateInstalled() const { return updateInstalled_; }
    std::wstring LanguageFile(const std::wstring& language) const;

private:
    void ShowPage(int page);

    ports::Platform os_;
    ports::InstallFileSystem& installFiles_;
    ports::InstallerWindow& window_;
    std::wstring programPath_;
    bool wow64_ = false;
    std::wstring versionText_;
    int windowsIndex_ = 2;
    int windowsCode_ = 0;
    int servicePack_ = 0;
    _APPLICATION_FOLDER_PATH config_;
    _REG_UNINSTALL_INFO uninstall_;
    DEVICEID_MGR::CDeviceIdMgr usbGroup_;
    DEVICEID_MGR::CDeviceIdMgr hidGroup_;
    InstallOptions options_;
    SetupLabelRecords labels_{};
    std::wstring perUserFolder_;
    int updateInstalled_ = 0;
    bool antivirusTipShown_ = false;
    WizardState state_;
};

} // namespace setup
