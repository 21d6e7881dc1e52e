#include "setup/Uninstaller.h"

#include "common/DeviceIdMgr.h"
#include "common/RegistryStore.h"
#include "common/ServiceControl.h"
#include "common/SystemFacts.h"
#include "setup/InstallMgr.h"
#include "setup/InstallSequence.h"
#include "setup/PayloadResources.h"
#include "setup/PerUserFiles.h"
#include "setup/RedirectionOff.h"
#include "setup/Registration.h"
#include "setup/Shortcuts.h"

namespace setup {

namespace {

constexpr auto kMachine = ports::RegistryRoot::LocalMachine;
constexpr auto kView = ports::RegistryView::Bits32; // where the 32-bit installer wrote
constexpr wchar_t kEffectExitMessage[] = L"WM_AUDIO_EFFECT_EXIT";
constexpr std::uint32_t kBroadcastTimeoutMs = 100;
// A program asked to exit, or a service stopped, may hold its file for a moment longer.
constexpr int kBusyFileAttempts = 20;
constexpr std::uint32_t kBusyFileRetryMs = 250;

std::wstring WithoutTrailingSlash(std::wstring path)
{
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

} // namespace

CUninstaller::CUninstaller(const UninstallPorts& ports, const std::wstring& installedProgramPath) : ports_(ports)
{
    LoadApplicationConfig(ports_.os, kAudioConfigFileName, installedProgramPath, config_, ConfigReader::Installer);
    // Without its own configuration the uninstaller cannot tell its installation from the rest of Program
    // Files, so it removes nothing.
    ready_ = ports_.os.files.FileExists(config_.SourceFolderFullPath + kAudioConfigFileName) &&
             !config_.InstallFolderName.empty() && !config_.APPFileName.empty();
}

void CUninstaller::Left(UninstallReport& report, UninstallStage stage, const std::wstring& what)
{
    report.left.push_back(what);
    if (report.exitCode == 0)
        report.exitCode = stage;
}

void CUninstaller::File(UninstallReport& report, UninstallStage stage, const std::wstring& path, int attempts)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!ports_.removal.FileExists(path))
            return;
        if (ports_.removal.RemoveFile(path)) {
            report.removed.push_back(path);
            return;
        }
        ports_.os.clock.SleepMs(kBusyFileRetryMs);
    }
    Left(report, stage, path);
}

void CUninstaller::Folder(UninstallReport& report, UninstallStage stage, const std::wstring& path)
{
    const std::wstring folder = WithoutTrailingSlash(path);
    if (!ports_.removal.FolderExists(folder))
        return;
    if (ports_.removal.DeleteEmptyFolder(folder))
        report.removed.push_back(folder);
    else
        Left(report, stage, folder);
}

void CUninstaller::Tree(UninstallReport& report, UninstallStage stage, const std::wstring& folder)
{
    const std::wstring base = WithoutTrailingSlash(folder) + L"\\";
    if (const auto entries = ports_.listing.List(base)) {
        for (const ports::FolderEntry& entry : *entries) {
            if (entry.isFolder)
                Tree(report, stage, base + entry.name);
            else
                File(report, stage, base + entry.name);
        }
    }
    Folder(report, stage, base);
}

void CUninstaller::Key(UninstallReport& report, const std::wstring& path)
{
    if (!ports_.removal.KeyExists(kMachine, path, kView))
        return;
    if (ports_.removal.DeleteKeyTree(kMachine, path, kView))
        report.removed.push_back(L"HKLM\\" + path);
    else
        Left(report, kUninstallRegistry, L"HKLM\\" + path);
}

UninstallReport CUninstaller::Uninstall(bool removeProfiles)
{
    UninstallReport report;
    if (!ready_) {
        report.exitCode = kUninstallCannotStart;
        return report;
    }
    ports_.os.debug.Write(L"==> Uninstall " + config_.InstallFolderPath + L"\n");
    StopPrograms(report);
    RemoveDriver(report);
    RemoveFiles(report);
    RemoveShortcuts(report);
    RemoveRegistry(report);
    if (removeProfiles)
        RemoveProfiles(report);
    for (const std::wstring& item : report.removed)
        ports_.os.debug.Write(L"Removed " + item + L"\n");
    for (const std::wstring& item : report.left)
        ports_.os.debug.Write(L"***** Could not remove " + item + L" *****\n");
    return report;
}

void CUninstaller::StopPrograms(UninstallReport& report)
{
    BroadcastExitMessage(ports_.system);
    ports_.system.BroadcastRegisteredMessage(kEffectExitMessage, kBroadcastTimeoutMs);
    ControlTheService(ports_.os.services, ports_.os.clock, kServiceName, kServiceStop, ServiceRights::All);
    if (!ports_.removal.ServiceExists(kServiceName))
        return;
    if (ports_.removal.DeleteService(kServiceName))
        report.removed.push_back(std::wstring(L"service ") + kServiceName);
    else
        Left(report, kUninstallPrograms, std::wstring(L"service ") + kServiceName);
}

void CUninstaller::RemoveDriver(UninstallReport& report)
{
    Key(report, std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + kFilterDriverName);
    const RedirectionOff redirection(ports_.os.system, IsWow64(ports_.os.system));
    File(report, kUninstallDriver, config_.NativeSystemFolder + L"drivers\\" + kFilterDriverName + L".sys");
    File(report, kUninstallDriver, config_.NativeSystemFolder + kServiceName + L".exe", kBusyFileAttempts);
}

void CUninstaller::RemoveFiles(UninstallReport& report)
{
    const std::wstring& folder = config_.InstallFolderPath;
    File(report, kUninstallFiles, ControlPanelPath(config_), kBusyFileAttempts);
    File(report, kUninstallFiles, folder + config_.UninstallFileName + L".exe", kBusyFileAttempts);
    for (const std::wstring& name : {std::wstring(kAudioConfigFileName), config_.InstallIconFileName,
                                     std::wstring(L"bee.wav"), std::wstring(L"DLLQZ_Tonvio48xx_x32.dll")})
        if (!name.empty())
            File(report, kUninstallFiles, folder + name);
    for (const std::wstring& subfolder : {config_.SkinFolderName, config_.LanguageFolderName, std::wstring(L"Manual"),
                                          config_.PluginFolderName})
        if (!subfolder.empty())
            Tree(report, kUninstallFiles, folder + subfolder);
    Folder(report, kUninstallFiles, folder);
    File(report, kUninstallFiles, UpdatePackagePath(ports_.os.system));
}

void CUninstaller::RemoveShortcuts(UninstallReport& report)
{
    if (const auto programs = ports_.os.system.FolderPath(kCsidlCommonPrograms); programs && !config_.ShortcutFolderName.empty()) {
        const std::wstring upper = config_.ShortcutFolderNameUp.empty() ? L"" : *programs + L"\\" + config_.ShortcutFolderNameUp;
        const std::wstring links = (upper.empty() ? *programs : upper) + L"\\" + config_.ShortcutFolderName;
        const std::wstring manualLinks = *programs + L"\\" + config_.ShortcutFolderName;
        File(report, kUninstallShortcuts, links + L"\\" + config_.AppShortcutName + L".lnk");
        File(report, kUninstallShortcuts, links + L"\\" + config_.UninstallShortcutName + L".lnk");
        File(report, kUninstallShortcuts, manualLinks + L"\\" + config_.UserManualShortcutName + L".lnk");
        Folder(report, kUninstallShortcuts, links);
        if (!upper.empty())
            Folder(report, kUninstallShortcuts, upper);
        Folder(report, kUninstallShortcuts, manualLinks);
    }
    if (const auto desktop = ports_.os.system.FolderPath(kCsidlDesktopDirectory))
        File(report, kUninstallShortcuts, *desktop + L"\\" + config_.AppShortcutName + L".lnk");
}

void CUninstaller::RemoveRegistry(UninstallReport& report)
{
    if (const auto run = ports_.os.registry.OpenKey(kMachine, kRunKey, kView); run && run->ReadString(config_.APPFileName)) {
        if (run->DeleteValue(config_.APPFileName))
            report.removed.push_back(std::wstring(L"HKLM\\") + kRunKey + L"\\" + config_.APPFileName);
        else
            Left(report, kUninstallRegistry, std::wstring(L"HKLM\\") + kRunKey + L"\\" + config_.APPFileName);
    }
    for (const std::wstring& key : {std::wstring(L"SOFTWARE\\") + kProductSoftwareKey,
                                   std::wstring(L"SOFTWARE\\") + DEVICEID_MGR::kUsbIdGroup,
                                   std::wstring(L"SOFTWARE\\") + DEVICEID_MGR::kHidIdGroup, std::wstring(kUninstallKey)})
        Key(report, key);
}

void CUninstaller::RemoveProfiles(UninstallReport& report)
{
    Tree(report, kUninstallProfiles, PerUserFolder(ports_.os.system, config_));
    if (const auto home = ports_.os.system.EnvironmentVariable(L"USERPROFILE"); home && !home->empty())
        Tree(report, kUninstallProfiles, *home + L"\\" + config_.InstallFolderName);
}

std::wstring DescribeUninstall(const UninstallReport& report)
{
    if (report.exitCode == kUninstallCannotStart)
        return L"The installation's configuration file cannot be read, so nothing was removed.\n";
    std::wstring text;
    for (const std::wstring& item : report.left)
        text += L"Could not remove " + item + L"\n";
    text += report.left.empty() ? L"Everything of the installation was removed" : L"The rest was removed";
    text += L" (" + std::to_wstring(report.removed.size()) + L" items).\n";
    return text;
}

} // namespace setup
