#pragma once
// The installer on the in-memory platform: a setup folder with a small kit, the payload resources and
// recording stand-ins for Windows and the wizard window.

#include "common/AppConfig.h"
#include "platform/memory/MemoryInstallFileSystem.h"
#include "platform/memory/MemoryInstaller.h"
#include "platform/memory/MemoryPlatform.h"
#include "setup/InstallerPorts.h"
#include "setup/Shortcuts.h"
#include "setup/UpdateStep.h"

#include <algorithm>
#include <string>
#include <vector>

namespace setuptest {

inline constexpr wchar_t kSetupFolder[] = L"C:\\Setup\\";
inline constexpr wchar_t kSetupProgram[] = L"C:\\Setup\\TonvioSetup.exe";
inline constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\Acme\\";
inline constexpr wchar_t kPerUserFolder[] = L"C:\\users\\ann\\AppData\\Roaming\\Acme\\";
inline constexpr wchar_t kCommonPrograms[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
inline constexpr wchar_t kDesktop[] = L"C:\\users\\ann\\Desktop";

inline constexpr char kKitConfig[] = "[Language]\r\nLanguageFolderName=Language\r\n"
                                     "[Skin]\r\nSkinFolderName=Skin\r\n"
                                     "[Install]\r\nInstallAppTitle=Acme Audio\r\nInstallIconFileName=acme.ico\r\n"
                                     "InstallFolderName=Acme\r\nShortcutFolderName=Acme\r\nShortcutFolderNameUp=\r\n"
                                     "AppShortcutName=Acme Panel\r\nAPPFileName=AcmeApp\r\n"
                                     "UserManualShortcutName=Acme Manual\r\nEffectAPPFileName=Echo\r\n"
                                     "SoundEffectAPPFileName=Chorus\r\nDesktopShortcutEnable=1\r\n"
                                     "[Uninstall]\r\nUninstallShortcutName=Remove Acme\r\nPublisher=Acme Inc.\r\n"
                                     "UninstallDisplayName=Acme Audio\r\nUninstallFileName=AcmeRemove\r\n"
                                     "[Plugin]\r\nPluginFolderName=Plugin\r\n"
                                     "[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n"
                                     "[HID_VID_PID]\r\n1=HID\\VID_4D2F&PID_48XX&REV_0100&MI_03\r\n";

// The kit's configuration with one more line in its [Install] section.
inline std::string KitConfigWith(const std::string& installLine)
{
    std::string kit = kKitConfig;
    kit.insert(kit.find("DesktopShortcutEnable"), installLine + "\r\n");
    return kit;
}

// The update step as the sequence sees it: counted calls and chosen results.
class ScriptedUpdate final : public setup::UpdateStep {
public:
    std::uint32_t Copy_KB3033929() override
    {
        ++copies;
        return copyResult;
    }
    std::uint32_t Install_KB3033929() override
    {
        ++installs;
        return installResult;
    }
    std::uint32_t copyResult = 0;
    std::uint32_t installResult = 0;
    int copies = 0;
    int installs = 0;
};

struct SetupRig {
    SetupRig()
    {
        auto& facts = os.system.facts;
        facts.folders[ports::kCsidlProgramFiles] = L"C:\\Program Files";
        facts.folders[setup::kCsidlCommonPrograms] = kCommonPrograms;
        facts.folders[setup::kCsidlDesktopDirectory] = kDesktop;
        facts.environment[L"APPDATA"] = L"C:\\users\\ann\\AppData\\Roaming";
        os.files.CreateFolder(kCommonPrograms);
        os.files.CreateFolder(kDesktop);
        os.files.CreateFolder(L"C:\\Windows\\system32\\drivers");
        os.files.CreateFolder(L"C:\\Program Files");

        Kit(L"AudioConfig.cfg", kKitConfig);
        Kit(L"DefaultProfile.ini", "[Profile]\r\n");
        Kit(L"acme.ico", "icon");
        Kit(L"bee.wav", "RIFF");
        Kit(L"DLLQZ_Tonvio48xx_x32.dll", "MZsdk");
        Kit(L"Skin\\1366x768\\Graphite\\SkinSetting.ini", "[Skin]");
        Kit(L"Language\\English\\Language.ini", "[Setup]");
        Kit(L"Manual\\English\\Acme Manual.html", "<html>");
        Kit(L"Plugin\\Echo\\readme.txt", "echo");
        Kit(L"Plugin\\Chorus\\readme.txt", "chorus");

        for (const auto& [type, id] : std::vector<std::pair<std::wstring, int>>{{L"DRIVER", 102},
                                                                                {L"DRIVER", 103},
                                                                                {L"SERVICE", 105},
                                                                                {L"SERVICE", 106},
                                                                                {L"APP", 107},
                                                                                {L"UNINSTALL", 108},
                                                                                {L"WINDOWPATCH", 110},
                                                                                {L"APP", 111},
                                                                                {L"APP", 112}})
            payload.Put(type, id, "payload " + std::to_string(id));

        // The service program registers the service when run with " /Service".
        system.onRun = [this](const std::wstring& commandLine) {
            if (commandLine.ends_with(L" /Service"))
                os.services.Add(L"DeviceWatchService", {});
            return ports::ProcessWait::Ended;
        };
    }

    void Kit(const std::wstring& relative, std::string_view bytes) { os.files.Put(kSetupFolder + relative, bytes); }

    _APPLICATION_FOLDER_PATH LoadConfig()
    {
        _APPLICATION_FOLDER_PATH config;
        LoadApplicationConfig(os.Ports(), kAudioConfigFileName, kSetupProgram, config, ConfigReader::Installer);
        return config;
    }

    setup::InstallerPorts Ports() { return {os.Ports(), installFiles, payload, system, window}; }
    setup::ShortcutPorts Shortcuts() { return {os.system, installFiles, system, os.debug}; }

    std::vector<std::wstring> LinesStartingWith(const std::wstring& prefix) const
    {
        std::vector<std::wstring> lines;
        for (const std::wstring& line : os.debug.Lines())
            if (line.starts_with(prefix))
                lines.push_back(line);
        return lines;
    }

    memory::MemoryPlatform os;
    memory::MemoryInstallFileSystem installFiles{os.files};
    memory::MemoryPayload payload;
    memory::MemoryInstallerSystem system;
    memory::RecordingInstallerWindow window;
    ScriptedUpdate update;
};

} // namespace setuptest
