// Any bytes as "AudioConfig.cfg" beside the program and as the per-user copy: the loader fills every field
// within the length a key can have, the debug levels are never empty, the installer's extra keys reach
// only the installer, and saving the user's choices changes nothing else the loader reads.
#include "FuzzSupport.h"
#include "common/AppConfig.h"
#include "common/IniKeys.h"
#include "common/Text.h"
#include "platform/memory/MemoryPlatform.h"

#include <algorithm>

namespace {

const std::wstring kProgram = L"C:\\Program Files (x86)\\Tonvio\\TonvioApp.exe";
const std::wstring kAppData = L"C:\\Users\\fuzz\\AppData\\Roaming";

std::vector<std::wstring _APPLICATION_FOLDER_PATH::*> Fields()
{
    using R = _APPLICATION_FOLDER_PATH;
    return {&R::LanguageFolderName,
            &R::SkinFolderName,
            &R::InstallAppTitle,
            &R::InstallIconFileName,
            &R::InstallFolderName,
            &R::ShortcutFolderName,
            &R::AppShortcutName,
            &R::UninstallAppTitle,
            &R::UninstallIconFileName,
            &R::UninstallShortcutName,
            &R::Publisher,
            &R::UninstallDisplayName,
            &R::DeviceActiveIconFileName,
            &R::DeviceUnactiveIconFileName,
            &R::TrayIconRestorOn,
            &R::APPFileName,
            &R::UserManualShortcutName,
            &R::UninstallFileName,
            &R::DebugLevelApplication,
            &R::DebugLevelService,
            &R::EffectAPPFileName,
            &R::EffectAppShortcutName,
            &R::PluginFolderName,
            &R::InstallFolderPath};
}

bool SameFields(const _APPLICATION_FOLDER_PATH& a, const _APPLICATION_FOLDER_PATH& b)
{
    const auto fields = Fields();
    return std::all_of(fields.begin(), fields.end(), [&](auto field) { return a.*field == b.*field; });
}

void CheckRecord(const _APPLICATION_FOLDER_PATH& record)
{
    for (const auto field : Fields())
        FUZZ_CHECK((record.*field).size() < kReadIniKeyCapacity ||
                   field == &_APPLICATION_FOLDER_PATH::InstallFolderPath);
    FUZZ_CHECK(!record.DebugLevelApplication.empty() && !record.DebugLevelService.empty());
    FUZZ_CHECK(record.SourceAppFileName == L"TonvioApp.exe");
    FUZZ_CHECK(record.InstallFolderPath == record.ProgramFilesFolder + record.InstallFolderName + L"\\");
}

// A choice the user could make: the names of the folders, which hold no line breaks.
std::wstring Choice(const std::wstring& from)
{
    std::wstring name(TrimChars(from, L" \t\v\f\x1A\"'"));
    std::replace_if(
        name.begin(), name.end(), [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; }, L'_');
    return CutText(name, 100);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    memory::MemoryPlatform platform;
    platform.system.facts.environment[L"APPDATA"] = kAppData;
    const ports::Platform ports = platform.Ports();
    platform.files.Put(L"C:\\Program Files (x86)\\Tonvio\\AudioConfig.cfg", fuzz::Bytes(data, size));

    // A program path without a folder reads the file by its bare name, from the Windows folder.
    _APPLICATION_FOLDER_PATH bare;
    platform.files.Put(L"C:\\Windows\\AudioConfig.cfg", fuzz::Bytes(data, size));
    LoadApplicationConfig(ports, kAudioConfigFileName, L"TonvioApp.exe", bare);
    FUZZ_CHECK(bare.SourceAppFileName == L"TonvioApp.exe" && bare.SourceFolderFullPath.empty());

    _APPLICATION_FOLDER_PATH panel;
    _APPLICATION_FOLDER_PATH installer;
    LoadApplicationConfig(ports, kAudioConfigFileName, kProgram, panel, ConfigReader::ControlPanel);
    LoadApplicationConfig(ports, kAudioConfigFileName, kProgram, installer, ConfigReader::Installer);
    CheckRecord(panel);
    CheckRecord(installer);
    FUZZ_CHECK(SameFields(panel, installer) && SameFields(panel, bare));
    FUZZ_CHECK(panel.ShortcutFolderNameUp.empty() && panel.SoundEffectAPPFileName.empty());

    // The same bytes as the per-user copy: the choices saved read back, and the loader reads the same.
    const std::wstring userCopy = UserConfigPath(ports, panel);
    FUZZ_CHECK(userCopy == kAppData + L"\\" + panel.InstallFolderName + L"\\AudioConfig.cfg");
    if (panel.InstallFolderName.empty() || panel.InstallFolderName.find_first_of(L"\\/") != std::wstring::npos)
        return 0; // not one folder: the copy would lie elsewhere
    const std::wstring userFolder = userCopy.substr(0, userCopy.rfind(L'\\'));
    if (!platform.files.CreateFolder(userFolder))
        return 0;
    // Without the per-user copy the choices stay, and saving them creates no copy.
    std::wstring kept = L"kept";
    std::wstring keptSkin = L"kept";
    ReadUserChoices(ports, panel, kept, keptSkin);
    SaveUserChoices(ports, panel, L"English", L"Ember");
    FUZZ_CHECK(kept == L"kept" && keptSkin == L"kept" && !platform.files.FileExists(userCopy));
    platform.files.Put(userCopy, fuzz::Bytes(data, size));
    std::wstring language = L"unchanged";
    std::wstring skin = L"unchanged";
    ReadUserChoices(ports, panel, language, skin);
    FUZZ_CHECK(language.size() <= 127 && skin.size() <= 127);

    const std::wstring userProgram = userFolder + L"\\TonvioApp.exe";
    _APPLICATION_FOLDER_PATH fromCopy;
    LoadApplicationConfig(ports, kAudioConfigFileName, userProgram, fromCopy);
    FUZZ_CHECK(SameFields(fromCopy, panel));

    const std::wstring newLanguage = Choice(panel.LanguageFolderName);
    const std::wstring newSkin = Choice(panel.Publisher);
    SaveUserChoices(ports, panel, newLanguage, newSkin);
    std::wstring readLanguage;
    std::wstring readSkin;
    ReadUserChoices(ports, panel, readLanguage, readSkin);
    // An ANSI file holds only Windows-1252; anything else is written as "?".
    const bool ansi = memory::DecodeProfileText(fuzz::Bytes(data, size)).encoding == memory::ProfileEncoding::Ansi;
    if (!ansi || std::all_of(newLanguage.begin(), newLanguage.end(), [](wchar_t c) { return c < 0x80; }))
        FUZZ_CHECK(readLanguage == newLanguage);
    if (!ansi || std::all_of(newSkin.begin(), newSkin.end(), [](wchar_t c) { return c < 0x80; }))
        FUZZ_CHECK(readSkin == newSkin);
    _APPLICATION_FOLDER_PATH afterSave;
    LoadApplicationConfig(ports, kAudioConfigFileName, userProgram, afterSave);
    FUZZ_CHECK(SameFields(afterSave, panel));
    return 0;
}
