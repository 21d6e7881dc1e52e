#include "setup/InstallSequence.h"

#include "common/RegistryStore.h"
#include "common/ServiceControl.h"
#include "common/SystemFacts.h"
#include "common/Text.h"
#include "setup/FileOperations.h"
#include "setup/PayloadResources.h"
#include "setup/PerUserFiles.h"
#include "setup/RedirectionOff.h"
#include "setup/Shortcuts.h"

#include <array>

namespace setup {

namespace {

constexpr std::size_t kDiagnosticLineChars = 1024;
constexpr std::size_t kMessageChars = 255;
constexpr std::uint32_t kBroadcastTimeoutMs = 100;
constexpr std::uint32_t kServiceControlBeforeInstall = 128;
constexpr int kAppWriteAttempts = 50;  // with the pauses between them, five seconds
constexpr std::uint32_t kAppWriteRetryMs = 100;

enum class RunsWhen { Always, PluginFlag, UpdateFlag };

struct StepRow {
    int number;
    const wchar_t* stageLine;
    std::uint32_t (CInstallSequence::*step)();
    RunsWhen when;
    const wchar_t* codeText; // null: the step's result is not a failure
};

ShortcutPorts ShortcutsOf(const InstallerPorts& ports)
{
    return {ports.os.system, ports.installFiles, ports.system, ports.os.debug};
}

} // namespace

void BroadcastExitMessage(ports::InstallerSystem& system)
{
    system.BroadcastRegisteredMessage(kAppExitMessage, kBroadcastTimeoutMs);
}

int CreateDriverServiceKey(ports::Registry& registry, const std::wstring& driverName)
{
    const ports::CreatedKey created = registry.CreateKey(
        ports::RegistryRoot::LocalMachine, L"SYSTEM\\CurrentControlSet\\Services\\" + driverName, ports::RegistryView::Bits32);
    if (!created.key)
        return 1;
    created.key->WriteDword(L"ErrorControl", 1);
    created.key->WriteDword(L"Start", 3); // on demand
    created.key->WriteDword(L"Type", 1);  // kernel driver
    created.key->WriteExpandString(L"ImagePath", L"System32\\DRIVERS\\" + driverName + L".sys");
    return 0;
}

CInstallSequence::CInstallSequence(const InstallerPorts& ports, UpdateStep& update, InstallContext context)
    : ports_(ports), update_(update), context_(context)
{
}

void CInstallSequence::Trace(const wchar_t* method)
{
    ports_.os.debug.Write(FormatText(kDiagnosticLineChars, L"==> %ls\n", method));
}

void CInstallSequence::Progress(int percent)
{
    ports_.window.PostProgress(percent);
}

void CInstallSequence::Install()
{
    static constexpr std::array kSteps{
        StepRow{1, L"===== Install STEP1 =====\n", &CInstallSequence::Install_FilterDriver, RunsWhen::Always,
                L"(Code = 0x80000001)"},
        StepRow{2, L"===== Install STEP2 =====\n", &CInstallSequence::Install_Service, RunsWhen::Always,
                L"(Code = 0x80000002)"},
        StepRow{3, L"===== Install STEP3 =====\n", &CInstallSequence::Install_App, RunsWhen::Always,
                L"(Code = 0x80000003)"},
        StepRow{4, L"===== Install STEP4 =====\n", &CInstallSequence::Install_Uninstaller, RunsWhen::Always,
                L"(Code = 0x80000004)"},
        StepRow{5, L"===== Install STEP5 =====\n", &CInstallSequence::Install_Files, RunsWhen::Always, nullptr},
        StepRow{6, L"===== Install STEP6 =====\n", &CInstallSequence::Install_Manual, RunsWhen::Always, nullptr},
        StepRow{7, L"===== Install STEP7 =====\n", &CInstallSequence::Install_Plugin, RunsWhen::PluginFlag, nullptr},
        StepRow{8, L"===== Install STEP8 =====\n", &CInstallSequence::Install_EffectApp, RunsWhen::PluginFlag,
                L"(Code = 0x80000008)"},
        StepRow{8, L"===== Install STEP8.1 =====\n", &CInstallSequence::Install_SoundEffectApp, RunsWhen::PluginFlag,
                L"(Code = 0x80000008)"},
        StepRow{9, L"===== Install STEP9 =====\n", &CInstallSequence::WaitBeforeUpdate, RunsWhen::Always, nullptr},
        StepRow{10, L"===== Install STEP10 =====\n", &CInstallSequence::InstallUpdate, RunsWhen::UpdateFlag,
                L"(Code = 0x80000006)"},
    };

    Trace(L"TMainForm::Install");
    BroadcastExitMessage(ports_.system);
    for (const std::uint32_t control : {kServiceStart, kServiceControlBeforeInstall, kServiceStop})
        ControlTheService(ports_.os.services, ports_.os.clock, kServiceName, control, ServiceRights::All);

    if (ports_.system.DeviceOpens(kFilterControlDevice)) {
        ports_.window.ShowMessage(context_.warning1, kInstallCaption);
        outcome_ = InstallOutcome::DriverStillLoaded;
        return;
    }

    ports_.os.clock.SleepMs(100);
    Progress(1);
    const std::wstring message = CutText(context_.warning2, kMessageChars);

    for (const StepRow& row : kSteps) {
        if ((row.when == RunsWhen::PluginFlag && context_.options.plugin != 1) ||
            (row.when == RunsWhen::UpdateFlag && context_.options.installUpdate != 1))
            continue;
        ports_.os.debug.Write(row.stageLine);
        const std::uint32_t result = (this->*row.step)();
        if (result != 0 && row.codeText) {
            ports_.window.ShowMessage(CutText(message + row.codeText, kMessageChars), kInstallCaption);
            outcome_ = InstallOutcome::StepFailed;
            failedStep_ = row.number;
            return;
        }
    }
    ports_.system.Beep(500, 100);
    WriteEstimatedSize(ports_.os.registry, context_.uninstall.key,
                       FolderTreeBytes(ports_.installFiles, ports_.os.files, context_.config.InstallFolderPath));
    outcome_ = InstallOutcome::Completed;
}

std::uint32_t CInstallSequence::Install_FilterDriver()
{
    Trace(L"TMainForm::Install_FilterDriver");
    if (CreateDriverServiceKey(ports_.os.registry, kFilterDriverName) != 0)
        return kCodeDriverKeyFailed;
    Progress(10);

    const RedirectionOff redirection(ports_.os.system, context_.wow64);
    const auto driver = ports_.payload.Load(kDriverResource, context_.wow64 ? kDriver64Id : kDriver32Id);
    if (!driver)
        return kCodeDriverMissing;
    const std::wstring path = context_.config.NativeSystemFolder + L"drivers\\" + kFilterDriverName + L".sys";
    if (WriteFileData(ports_.installFiles, path, *driver) != kWriteOk)
        return kCodeDriverNotWritten;
    Progress(20);
    return 0;
}

std::uint32_t CInstallSequence::Install_Service()
{
    ControlTheService(ports_.os.services, ports_.os.clock, kServiceName, kServiceStop, ServiceRights::All);
    BroadcastExitMessage(ports_.system);
    Progress(30);
    {
        const RedirectionOff redirection(ports_.os.system, context_.wow64);
        const auto service = ports_.payload.Load(kServiceResource, context_.wow64 ? kService64Id : kService32Id);
        if (!service)
            return kCodeServiceMissing;
        const std::wstring path = context_.config.NativeSystemFolder + kServiceName + L".exe";
        if (WriteFileData(ports_.installFiles, path, *service) != kWriteOk)
            return kCodeServiceNotWritten;
        Progress(40);

        switch (ports_.system.RunAndWait(path + L" /Service", kServiceRegistrationLimitMs)) {
        case ports::ProcessWait::NotStarted:
            return kCodeServiceNotStarted;
        case ports::ProcessWait::TimedOut:
            return kCodeServiceRegistrationHung;
        case ports::ProcessWait::Ended:
            break;
        }
        WriteServiceEntries(ports_.os.registry, ports_.os.debug, context_.config);
    }
    Progress(50);
    ControlTheService(ports_.os.services, ports_.os.clock, kServiceName, kServiceStart, ServiceRights::All);
    Progress(60);
    return 0;
}

std::uint32_t CInstallSequence::Install_App()
{
    const auto app = ports_.payload.Load(kAppResource, kControlPanelId);
    if (!app)
        return kCodeAppMissing;
    CreateFolderTree(ports_.installFiles, context_.config.InstallFolderPath);
    const std::wstring path = ControlPanelPath(context_.config);
    // A panel that took the exit broadcast may still be ending and holding its file: it is given a few
    // seconds before the step fails.
    int written = WriteFileData(ports_.installFiles, path, *app);
    for (int attempt = 1; written == kWriteCannotOpen && attempt < kAppWriteAttempts; ++attempt) {
        ports_.os.clock.SleepMs(kAppWriteRetryMs);
        written = WriteFileData(ports_.installFiles, path, *app);
    }
    if (written != kWriteOk)
        return kCodeAppNotWritten;
    if (WriteLogonEntry(ports_.os.registry, context_.config.APPFileName, L"\"" + path + L"\" -boot") != 0)
        return kCodeLogonEntryFailed;

    const ShortcutPorts shortcuts = ShortcutsOf(ports_);
    CreateProgramsShortcut(shortcuts, context_.config.ShortcutFolderName, path, context_.config.AppShortcutName,
                           context_.config.ShortcutFolderNameUp);
    if (context_.options.desktopShortcut == 1)
        CreateDesktopShortcut(shortcuts, path, context_.config.AppShortcutName);
    Progress(70);
    return 0;
}

std::uint32_t CInstallSequence::Install_Uninstaller()
{
    const auto uninstaller = ports_.payload.Load(kUninstallResource, kUninstallerId);
    if (!uninstaller)
        return kCodeUninstallerMissing;
    const std::wstring path = context_.config.InstallFolderPath + context_.config.UninstallFileName + L".exe";
    if (WriteFileData(ports_.installFiles, path, *uninstaller) != kWriteOk)
        return kCodeUninstallerNotWritten;
    CreateProgramsShortcut(ShortcutsOf(ports_), context_.config.ShortcutFolderName, path,
                           context_.config.UninstallShortcutName, context_.config.ShortcutFolderNameUp);
    WriteUninstallEntry(ports_.os.registry, context_.uninstall);
    Progress(80);
    return 0;
}

std::uint32_t CInstallSequence::Install_Files()
{
    const std::wstring& source = context_.config.SourceFolderFullPath;
    const std::wstring& destination = context_.config.InstallFolderPath;
    ports::InstallFileSystem& files = ports_.installFiles;

    for (const std::wstring* folder : {&context_.config.SkinFolderName, &context_.config.LanguageFolderName}) {
        CopyDirectory(files, ports_.os.debug, source + *folder + L"\\", destination);
        files.SetNormalAttributes(destination);
    }
    for (const std::wstring& name : {std::wstring(kAudioConfigFileName), context_.config.InstallIconFileName,
                                     std::wstring(L"bee.wav"), std::wstring(L"DLLQZ_Tonvio48xx_x32.dll")})
        CopyFileAsNormal(files, source + name, destination + name);

    if (update_.Copy_KB3033929() != 0)
        update_.Copy_KB3033929();
    Progress(90);
    return 0;
}

std::uint32_t CInstallSequence::Install_Manual()
{
    const std::wstring language = ReadDefaultLanguage(ports_.os.profile, PerUserFolder(ports_.os.system, context_.config));
    const std::wstring source = context_.config.SourceFolderFullPath + L"Manual\\" + language + L"\\";
    const std::wstring destination = context_.config.InstallFolderPath + L"Manual\\";
    std::wstring manual;
    if (FindFirstPlainFile(ports_.installFiles, source, manual) != 1)
        return 0;
    ports_.installFiles.CreateOneFolder(destination);
    CopyDirectory(ports_.installFiles, ports_.os.debug, source, destination);
    ports_.installFiles.SetNormalAttributes(destination);
    CreateShortcutInFolder(ShortcutsOf(ports_), context_.config.ShortcutFolderName,
                           destination + language + L"\\" + manual, context_.config.UserManualShortcutName);
    return 0;
}

std::uint32_t CInstallSequence::Install_Plugin()
{
    const std::wstring folder = context_.config.InstallFolderPath + context_.config.PluginFolderName + L"\\";
    ports_.installFiles.CreateOneFolder(folder);
    CopyDirectory(ports_.installFiles, ports_.os.debug,
                  context_.config.SourceFolderFullPath + context_.config.PluginFolderName + L"\\", folder);
    ports_.installFiles.SetNormalAttributes(folder);
    Progress(95);
    return 0;
}

std::uint32_t CInstallSequence::InstallPluginProgram(int resourceId, const std::wstring& path)
{
    const auto program = ports_.payload.Load(kAppResource, resourceId);
    if (!program)
        return kCodeAppMissing;
    CreateFolderTree(ports_.installFiles, context_.config.InstallFolderPath);
    if (WriteFileData(ports_.installFiles, path, *program) != kWriteOk)
        return kCodeAppNotWritten;
    Progress(98);
    return 0;
}

std::uint32_t CInstallSequence::Install_EffectApp()
{
    return InstallPluginProgram(kEffectAppId, EffectAppPath(context_.config));
}

std::uint32_t CInstallSequence::Install_SoundEffectApp()
{
    return InstallPluginProgram(kSoundEffectAppId, SoundEffectAppPath(context_.config));
}

std::uint32_t CInstallSequence::WaitBeforeUpdate()
{
    ports_.os.clock.SleepMs(1000);
    return 0;
}

std::uint32_t CInstallSequence::InstallUpdate()
{
    const std::uint32_t result = update_.Install_KB3033929();
    if (result == 0) {
        updateInstalled_ = 1;
        Progress(100);
    }
    return result;
}

} // namespace setup
