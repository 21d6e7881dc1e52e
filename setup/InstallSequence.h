#pragma once
// The installation that runs on the wizard's worker thread: stop what runs, refuse a still-loaded filter
// driver, then the numbered steps that place the payload and register it. Each step returns 0 or a code
// 0x80000S0N (S the step, N the reason); the first failure ends the sequence with one message.

#include "common/AppConfig.h"
#include "setup/InstallerPorts.h"
#include "setup/Registration.h"
#include "setup/UpdateStep.h"

#include <cstdint>
#include <string>

namespace setup {

inline constexpr std::uint32_t kCodeDriverKeyFailed = 0x80000101;
inline constexpr std::uint32_t kCodeDriverMissing = 0x80000102;
inline constexpr std::uint32_t kCodeDriverNotWritten = 0x80000103;
inline constexpr std::uint32_t kCodeServiceMissing = 0x80000201;
inline constexpr std::uint32_t kCodeServiceNotWritten = 0x80000202;
inline constexpr std::uint32_t kCodeServiceRegistrationHung = 0x80000203;
inline constexpr std::uint32_t kCodeServiceNotStarted = 0x80000204;
inline constexpr std::uint32_t kCodeAppMissing = 0x80000301;
inline constexpr std::uint32_t kCodeAppNotWritten = 0x80000302;
inline constexpr std::uint32_t kCodeLogonEntryFailed = 0x80000303;
inline constexpr std::uint32_t kCodeUninstallerMissing = 0x80000401;
inline constexpr std::uint32_t kCodeUninstallerNotWritten = 0x80000402;

inline constexpr std::uint32_t kServiceRegistrationLimitMs = 100'000;
inline constexpr wchar_t kInstallCaption[] = L"Install";
inline constexpr wchar_t kAppExitMessage[] = L"WM_KVQ48xxAPP_EXIT";

// The wizard's options that steer the sequence, read from "AudioConfig.cfg".
struct InstallOptions {
    int plugin = 0;          // 1: the plug-in steps run
    int desktopShortcut = 0; // 1: the control panel gets a desktop shortcut
    int installUpdate = 1;   // 1: the update step runs
    int restartChoice = 0;   // 1: the finish page offers the restart
};

// What the sequence reads of the wizard; the wizard does not change it while the installation runs.
struct InstallContext {
    const _APPLICATION_FOLDER_PATH& config;
    const InstallOptions& options;
    const _REG_UNINSTALL_INFO& uninstall;
    const std::wstring& warning1; // the still-loaded-driver message
    const std::wstring& warning2; // the first part of every failure message
    bool wow64 = false;
};

// 1 the control panel is asked to close: the registered exit message to every top-level window.
void BroadcastExitMessage(ports::InstallerSystem& system);

// 0 registered; 1 the key could not be opened or created.
int CreateDriverServiceKey(ports::Registry& registry, const std::wstring& driverName);

// How the sequence ended, for the silent installation's exit code.
enum class InstallOutcome { NotRun, Completed, DriverStillLoaded, StepFailed };

class CInstallSequence {
public:
    CInstallSequence(const InstallerPorts& ports, UpdateStep& update, InstallContext context);

    void Install();
    // Set when the update step succeeded.
    int UpdateInstalled() const { return updateInstalled_; }
    InstallOutcome Outcome() const { return outcome_; }
    // The number of the step that failed (8 for both plug-in programs); 0 when none failed.
    int FailedStep() const { return failedStep_; }

    std::uint32_t Install_FilterDriver();
    std::uint32_t Install_Service();
    std::uint32_t Install_App();
    std::uint32_t Install_Uninstaller();
    std::uint32_t Install_Files();
    std::uint32_t Install_Manual();
    std::uint32_t Install_Plugin();
    std::uint32_t Install_EffectApp();
    std::uint32_t Install_SoundEffectApp();

private:
    std::uint32_t WaitBeforeUpdate();
    std::uint32_t InstallUpdate();
    std::uint32_t InstallPluginProgram(int resourceId, const std::wstring& path);
    void Progress(int percent);
    void Trace(const wchar_t* method);

    InstallerPorts ports_;
    UpdateStep& update_;
    const InstallContext context_;
    int updateInstalled_ = 0;
    InstallOutcome outcome_ = InstallOutcome::NotRun;
    int failedStep_ = 0;
};

} // namespace setup
