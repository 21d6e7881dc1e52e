#include "setup/Shortcuts.h"

#include "common/Text.h"

namespace setup {

namespace {

constexpr std::size_t kDiagnosticLineChars = 1024;

void SaveLink(const ShortcutPorts& ports, const std::wstring& linkPath, const std::wstring& target)
{
    if (linkPath.size() > kLinkPathChars) {
        ports.debug.Write(
            FormatText(kDiagnosticLineChars, L"***** Shortcut path too long: %ls *****\n", linkPath.c_str()));
        return;
    }
    ports.shell.SaveShellLink(linkPath, target);
}

// The all-users programs folder with each given subfolder appended and created; nullopt when the shell
// cannot name the programs folder.
std::optional<std::wstring> ProgramsFolder(const ShortcutPorts& ports, std::initializer_list<std::wstring> subfolders)
{
    std::optional<std::wstring> folder = ports.system.FolderPath(kCsidlCommonPrograms);
    if (!folder)
        return std::nullopt;
    for (const std::wstring& subfolder : subfolders) {
        if (subfolder.empty())
            continue;
        *folder += L"\\" + subfolder;
        ports.files.CreateOneFolder(*folder);
    }
    return folder;
}

} // namespace

void CreateProgramsShortcut(const ShortcutPorts& ports, const std::wstring& folder, const std::wstring& target,
                            const std::wstring& name, const std::wstring& upperFolder)
{
    if (const auto base = ProgramsFolder(ports, {upperFolder, folder}))
        SaveLink(ports, *base + L"\\" + name + L".lnk", target);
}

void CreateShortcutInFolder(const ShortcutPorts& ports, const std::wstring& folder, const std::wstring& target,
                            const std::wstring& name)
{
    if (const auto base = ProgramsFolder(ports, {folder}))
        SaveLink(ports, *base + L"\\" + name + L".lnk", target);
}

void CreateDesktopShortcut(const ShortcutPorts& ports, const std::wstring& target, const std::wstring& name)
{
    if (const auto desktop = ports.system.FolderPath(kCsidlDesktopDirectory))
        SaveLink(ports, *desktop + L"\\" + name + L".lnk", target);
}

} // namespace setup
