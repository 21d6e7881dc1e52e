// The installer's logic on the real Windows adapters, in the test's fresh Wine prefix: the wizard's start,
// then the whole installation sequence with the payload of the built TonvioSetup.exe and the reference kit
// beside it. It checks what lands on disk, in the registry, in the shell and in the service manager, and
// that a second installation over the first works too.

#include "ChildProcess.h"
#include "ShellLinkTarget.h"
#include "common/SystemFacts.h"
#include "platform/memory/MemoryInstaller.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32InstallFileSystem.h"
#include "platform/win32/Win32InstallerSystem.h"
#include "platform/win32/Win32Payload.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32UninstallSystem.h"
#include "setup/InstallSequence.h"
#include "setup/Uninstaller.h"
#include "setup/Wizard.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

// The update step is another part's; here it only counts.
class CountingUpdate final : public setup::UpdateStep {
public:
    std::uint32_t Copy_KB3033929() override { return 0; }
    std::uint32_t Install_KB3033929() override { return 0; }
};

std::wstring KitFolder()
{
    return child_process::ProgramFolder() + L"setup-kit\\";
}

std::wstring Folder(int csidl)
{
    wchar_t path[MAX_PATH]{};
    return ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? std::wstring(path) : L"";
}

std::string FileBytes(const std::wstring& path)
{
    win32::Win32Platform platform;
    const ports::FileBytes read = platform.Ports().files.ReadAll(path);
    return std::string(read.bytes.begin(), read.bytes.end());
}

// Values in the 32-bit view, where the shipped 32-bit programs look.
std::unique_ptr<ports::RegistryKey> Key32(const std::wstring& key)
{
    static win32::Win32Registry registry;
    return registry.OpenKey(ports::RegistryRoot::LocalMachine, key, ports::RegistryView::Bits32);
}

std::optional<std::wstring> StringValue(const std::wstring& key, const std::wstring& name)
{
    const auto opened = Key32(key);
    return opened ? opened->ReadString(name) : std::nullopt;
}

std::optional<DWORD> DwordValue(const std::wstring& key, const std::wstring& name)
{
    const auto opened = Key32(key);
    return opened ? opened->ReadDword(name) : std::nullopt;
}

std::optional<DWORD> ServiceState(const wchar_t* name)
{
    const win32::ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const win32::ServiceHandle service(manager ? ::OpenServiceW(manager.Get(), name, SERVICE_QUERY_STATUS) : nullptr);
    SERVICE_STATUS status{};
    if (!service || !::QueryServiceStatus(service.Get(), &status))
        return std::nullopt;
    return status.dwCurrentState;
}

class SetupInstallTest : public ::testing::Test {
protected:
    // The wizard's start and a click on Next, then the sequence as the worker runs it.
    void InstallOnce()
    {
        const ports::Platform os = platform.Ports();
        setup::CWizard wizard(os, installFiles, window, KitFolder() + L"TonvioSetup.exe");
        wizard.Construct();
        ASSERT_EQ(wizard.FormShow(), setup::ShowResult::Shown);
        ASSERT_EQ(wizard.NextBitBtnClick(), setup::NextResult::InstallStarted);

        const win32::ModuleHandle setupProgram(::LoadLibraryExW(
            (KitFolder() + L"TonvioSetup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(setupProgram);
        win32::Win32Payload payload(setupProgram.Get());
        const setup::InstallContext context{wizard.Config(), wizard.Options(), wizard.Uninstall(),
                                            wizard.Labels()[setup::LabelWarning1].text,
                                            wizard.Labels()[setup::LabelWarning2].text, wizard.Wow64()};
        setup::CInstallSequence sequence({os, installFiles, payload, system, window}, update, context);
        sequence.Install();
        installFolder = wizard.Config().InstallFolderPath;
    }

    win32::Win32Platform platform;
    win32::Win32InstallFileSystem installFiles;
    win32::Win32InstallerSystem system;
    memory::RecordingInstallerWindow window;
    CountingUpdate update;
    std::wstring installFolder;
};

TEST_F(SetupInstallTest, InstallsThePayloadAndRegistersItTwice)
{
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        window = {};
        InstallOnce();
        ASSERT_TRUE(window.messages.empty()) << std::string(window.messages[0].text.begin(), window.messages[0].text.end());
        EXPECT_EQ(window.progress, (std::vector<int>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 98, 98, 100}));

        const std::wstring program = Folder(CSIDL_PROGRAM_FILES) + L"\\Tonvio\\";
        EXPECT_EQ(installFolder, program);
        // The payload programs are the setup's resources, byte for byte.
        EXPECT_EQ(FileBytes(program + L"TonvioApp.exe").substr(0, 2), "MZ");
        EXPECT_EQ(FileBytes(program + L"TonvioUninstall.exe").substr(0, 2), "MZ");
        EXPECT_EQ(FileBytes(program + L"Plugin\\TonvioEffects\\TonvioEffects.exe").substr(0, 2), "MZ");
        EXPECT_EQ(FileBytes(program + L"Plugin\\TonvioSoundLab\\TonvioSoundLab.exe").substr(0, 2), "MZ");
        EXPECT_EQ(FileBytes(program + L"TonvioApp.exe"), FileBytes(child_process::ProgramFolder() + L"TonvioApp.exe"));
        const std::wstring system32 = Folder(CSIDL_SYSTEM) + L"\\";
        EXPECT_EQ(FileBytes(system32 + L"drivers\\Vexfl.sys").rfind("PLACEHOLDER", 0), 0u);
        EXPECT_EQ(FileBytes(system32 + L"DeviceWatchService.exe").substr(0, 2), "MZ");
        for (const wchar_t* copied : {L"AudioConfig.cfg", L"Tonvio.ico", L"bee.wav", L"DLLQZ_Tonvio48xx_x32.dll",
                                      L"Skin\\1366x768\\Graphite\\SkinSetting.ini", L"Language\\German\\Language.ini",
                                      L"Manual\\English\\Tonvio Manual.html", L"Plugin\\README.txt"})
            EXPECT_NE(::GetFileAttributesW((program + copied).c_str()), INVALID_FILE_ATTRIBUTES) << copied;
        const std::wstring appData = Folder(CSIDL_APPDATA) + L"\\Tonvio\\";
        EXPECT_EQ(FileBytes(appData + L"AudioConfig.cfg"), FileBytes(KitFolder() + L"AudioConfig.cfg"));
        EXPECT_NE(::GetFileAttributesW((appData + L"DefaultProfile.ini").c_str()), INVALID_FILE_ATTRIBUTES);

        // The registry, in the 32-bit view where the shipped programs look.
        const std::wstring panel = program + L"TonvioApp.exe";
        EXPECT_EQ(StringValue(L"SOFTWARE\\KVQ USB DeviceId Group", L"1"), L"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00");
        EXPECT_EQ(StringValue(L"SOFTWARE\\KVQ HID DeviceId Group", L"1"), L"HID\\VID_4D2F&PID_48XX&REV_0100&MI_03");
        const std::wstring software = L"SOFTWARE\\KVQ 48xx Software";
        EXPECT_EQ(DwordValue(software + L"\\EncValueMap", L"VID_4D2F&PID_4802"), 15u);
        EXPECT_EQ(DwordValue(software, L"EncEnable"), 0u);
        EXPECT_EQ(DwordValue(software, L"Virtual7ch1Scalar"), 20u);
        EXPECT_EQ(DwordValue(software, L"EncScalar"), 15u);
        EXPECT_EQ(DwordValue(software, L"EncGpio"), 2u); // the kit's headset button line
        EXPECT_EQ(DwordValue(software, L"VoiceMagicEnable"), 0u);
        EXPECT_EQ(DwordValue(software, L"VoiceMagicLevel"), 12u);
        EXPECT_EQ(StringValue(software, L"UserPrivilegeExecution_C0"), L"\"" + panel + L"\" -servicestart");
        EXPECT_EQ(StringValue(software, L"AdminPrivilegeExecutionOnBoot_C4"), L"\"" + panel + L"\" -serviceboot");
        EXPECT_EQ(StringValue(software, L"SystemPrivilegeExecutionOnBoot_D3"),
                  L"\"" + program + L"Plugin\\TonvioSoundLab\\TonvioSoundLab.exe\" -serviceboot");
        EXPECT_EQ(StringValue(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"TonvioApp"),
                  L"\"" + panel + L"\" -boot");
        const std::wstring uninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt";
        EXPECT_EQ(StringValue(uninstall, L"DisplayName"), L"Tonvio USB Audio Driver and Control Panel");
        EXPECT_EQ(StringValue(uninstall, L"UninstallString"), program + L"TonvioUninstall.exe");
        EXPECT_EQ(StringValue(uninstall, L"DisplayIcon"), program + L"TonvioUninstall.exe");
        EXPECT_EQ(StringValue(uninstall, L"DisplayVersion"), L"" TONVIO_VERSION_TEXT);
        EXPECT_EQ(StringValue(uninstall, L"Publisher"), L"Tonvio Audio");
        const std::wstring driver = L"SYSTEM\\CurrentControlSet\\Services\\Vexfl";
        EXPECT_EQ(StringValue(driver, L"ImagePath"), L"System32\\DRIVERS\\Vexfl.sys");
        EXPECT_EQ(DwordValue(driver, L"Start"), 3u);
        EXPECT_EQ(DwordValue(driver, L"Type"), 1u);
        EXPECT_EQ(DwordValue(driver, L"ErrorControl"), 1u);

        // The shortcuts resolve to what they name.
        const std::wstring menu = Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tonvio Audio\\Tonvio\\";
        EXPECT_EQ(shell_link::Target(menu + L"Tonvio Control Panel.lnk"), panel);
        EXPECT_EQ(shell_link::Target(menu + L"Uninstall Tonvio.lnk"), program + L"TonvioUninstall.exe");
        EXPECT_EQ(shell_link::Target(Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tonvio\\Tonvio Manual.lnk"),
                  program + L"Manual\\English\\Tonvio Manual.html");
        EXPECT_EQ(shell_link::Target(Folder(CSIDL_DESKTOPDIRECTORY) + L"\\Tonvio Control Panel.lnk"), panel);

        // The service registered itself and was started at the end of its step.
        EXPECT_EQ(ServiceState(L"DeviceWatchService"), SERVICE_RUNNING);
    }
}

TEST_F(SetupInstallTest, TheUninstallerTakesAwayWhatTheInstallationPlacedAndKeepsTheProfiles)
{
    InstallOnce();
    ASSERT_TRUE(window.messages.empty());
    wchar_t appdata[MAX_PATH]{};
    ASSERT_NE(::GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH), 0u);
    const std::wstring profile = std::wstring(appdata) + L"\\Tonvio\\AudioConfig.cfg";
    ASSERT_FALSE(FileBytes(profile).empty());

    const ports::Platform os = platform.Ports();
    win32::Win32UninstallSystem removal(os.debug);
    setup::CUninstaller uninstaller({os, installFiles, system, removal}, installFolder + L"TonvioUninstall.exe");
    ASSERT_TRUE(uninstaller.Ready());
    const setup::UninstallReport report = uninstaller.Uninstall(false);

    EXPECT_EQ(report.exitCode, 0);
    EXPECT_TRUE(report.left.empty()) << std::string(report.left[0].begin(), report.left[0].end());
    EXPECT_EQ(::GetFileAttributesW(installFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    wchar_t system32[MAX_PATH]{};
    ::GetSystemDirectoryW(system32, MAX_PATH);
    EXPECT_EQ(::GetFileAttributesW((std::wstring(system32) + L"\\DeviceWatchService.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ServiceState(L"DeviceWatchService"), std::nullopt);
    EXPECT_EQ(Key32(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVQ48xxAudioExt"), nullptr);
    EXPECT_EQ(Key32(L"SOFTWARE\\KVQ 48xx Software"), nullptr);
    EXPECT_EQ(StringValue(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"TonvioApp"), std::nullopt);
    EXPECT_EQ(::GetFileAttributesW((Folder(CSIDL_COMMON_PROGRAMS) + L"\\Tonvio Audio").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW((Folder(CSIDL_DESKTOPDIRECTORY) + L"\\Tonvio Control Panel.lnk").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(FileBytes(profile).empty());
}

} // namespace
