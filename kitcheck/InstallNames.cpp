#include "kitcheck/InstallNames.h"

#include "common/AppConfig.h"
#include "common/Text.h"
#include "kitcheck/KeyCheck.h"

#include <array>

namespace kitcheck {

namespace {

constexpr const wchar_t* kConfigFile = kAudioConfigFileName;
// The longest path Windows' file functions take without the long-path prefix.
constexpr std::size_t kMaxPathChars = 259;
// Program Files of a 32-bit program on 64-bit Windows, the longest it usually is.
constexpr wchar_t kProgramFiles[] = L"C:\\Program Files (x86)\\";
constexpr wchar_t kCommonPrograms[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\";

struct NamedKey {
    const wchar_t* section;
    const wchar_t* key;
    bool folders;  // a folder path of one or more names
    bool program;  // Setup appends ".exe"
    bool shortcut; // Setup appends ".lnk"
};

constexpr std::array kNamedKeys{
    NamedKey{L"Language", L"LanguageFolderName", true, false, false},
    NamedKey{L"Skin", L"SkinFolderName", true, false, false},
    NamedKey{L"Install", L"InstallFolderName", true, false, false},
    NamedKey{L"Install", L"ShortcutFolderName", true, false, false},
    NamedKey{L"Install", L"ShortcutFolderNameUp", true, false, false},
    NamedKey{L"Install", L"InstallIconFileName", true, false, false},
    NamedKey{L"Install", L"InstallBackgroundFileName", true, false, false},
    NamedKey{L"Install", L"APPFileName", false, true, false},
    NamedKey{L"Install", L"EffectAPPFileName", false, true, false},
    NamedKey{L"Install", L"SoundEffectAPPFileName", false, true, false},
    NamedKey{L"Install", L"AppShortcutName", false, false, true},
    NamedKey{L"Install", L"UserManualShortcutName", false, false, true},
    NamedKey{L"Uninstall", L"UninstallFileName", false, true, false},
    NamedKey{L"Uninstall", L"UninstallShortcutName", false, false, true},
    NamedKey{L"Plugin", L"PluginFolderName", true, false, false},
};

bool ReservedDeviceName(std::wstring_view name)
{
    std::wstring base = ToUpperAscii(name.substr(0, name.find(L'.')));
    for (const wchar_t* reserved : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (base == reserved)
            return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'1' &&
           base[3] <= L'9';
}

std::optional<std::wstring> ImpossibleComponent(std::wstring_view name)
{
    if (name.empty())
        return L"an empty folder name";
    for (const wchar_t c : name) {
        if (c < 0x20)
            return L"a control character";
        if (std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos)
            return std::wstring(L"the character '") + c + L"', which Windows refuses in names";
    }
    if (name.back() == L' ' || name.back() == L'.')
        return L"a name ending in a space or a dot, which Windows drops";
    if (ReservedDeviceName(name))
        return L"the device name \"" + std::wstring(name) + L"\", which Windows reserves";
    return std::nullopt;
}

std::wstring Value(const IniInventory& config, const Kit& kit, const wchar_t* section, const wchar_t* key)
{
    return config.Find(section, key) == nullptr ? std::wstring() : kit.Config(section, key, 1024);
}

} // namespace

std::optional<std::wstring> ImpossibleName(const std::wstring& name, bool folders)
{
    if (!folders)
        return ImpossibleComponent(name);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find(L'\\', start);
        if (auto why = ImpossibleComponent(std::wstring_view(name).substr(start, end - start)))
            return why;
        if (end == std::wstring::npos)
            return std::nullopt;
        start = end + 1;
    }
}

void CheckInstallNames(const Kit& kit, const IniInventory& config, Findings& findings)
{
    for (const NamedKey& named : kNamedKeys) {
        const IniKeyLine* entry = config.Find(named.section, named.key);
        const std::wstring value = Value(config, kit, named.section, named.key);
        if (entry == nullptr || value.empty())
            continue;
        const Place place{kConfigFile, named.section, named.key, entry->line};
        if (const auto why = ImpossibleName(value, named.folders))
            findings.Error(place, L"\"" + value + L"\" cannot be a " + (named.folders ? L"path" : L"file name") +
                                      L": it holds " + *why);
        else if (named.program && ToLowerAscii(value).ends_with(L".exe"))
            findings.Warning(place, L"Setup appends \".exe\" itself: the file becomes \"" + value + L".exe\"");
        else if (named.shortcut && ToLowerAscii(value).ends_with(L".lnk"))
            findings.Warning(place, L"Setup appends \".lnk\" itself: the shortcut becomes \"" + value + L".lnk\"");
    }

    // The longest paths Setup builds: a plug-in program and a start-menu shortcut.
    const std::wstring installFolder = std::wstring(kProgramFiles) + Value(config, kit, L"Install", L"InstallFolderName");
    const std::wstring pluginFolder = Value(config, kit, L"Plugin", L"PluginFolderName");
    for (const wchar_t* key : {L"EffectAPPFileName", L"SoundEffectAPPFileName"}) {
        const std::wstring name = Value(config, kit, L"Install", key);
        if (pluginFolder.empty() || name.empty())
            continue;
        const std::wstring path = installFolder + L"\\" + pluginFolder + L"\\" + name + L"\\" + name + L".exe";
        if (path.size() > kMaxPathChars)
            findings.Error(KeyPlace(config, kConfigFile, L"Install", key), L"the plug-in's path has " + std::to_wstring(path.size()) +
                                                        L" characters, more than Windows' 259: \"" + path + L"\"");
    }
    const std::wstring menu = std::wstring(kCommonPrograms) + Value(config, kit, L"Install", L"ShortcutFolderNameUp") +
                              L"\\" + Value(config, kit, L"Install", L"ShortcutFolderName") + L"\\";
    for (const auto& [section, key] : {std::pair{L"Install", L"AppShortcutName"},
                                       {L"Uninstall", L"UninstallShortcutName"},
                                       {L"Install", L"UserManualShortcutName"}}) {
        const std::wstring path = menu + Value(config, kit, section, key) + L".lnk";
        if (config.Find(section, key) != nullptr && path.size() > kMaxPathChars)
            findings.Error({kConfigFile, section, key, config.Find(section, key)->line},
                           L"the shortcut's path has " + std::to_wstring(path.size()) +
                               L" characters, more than Windows' 259: it is not made");
    }
}

} // namespace kitcheck
