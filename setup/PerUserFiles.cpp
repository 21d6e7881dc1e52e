#include "setup/PerUserFiles.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "setup/FileOperations.h"

namespace setup {

namespace {
constexpr std::size_t kAppDataChars = 255;
constexpr wchar_t kDefaultProfileFileName[] = L"DefaultProfile.ini";
} // namespace

std::wstring PerUserFolder(const ports::SystemInfo& system, const _APPLICATION_FOLDER_PATH& config)
{
    return CutText(system.EnvironmentVariable(L"APPDATA").value_or(L""), kAppDataChars) + L"\\" +
           config.InstallFolderName + L"\\";
}

void SeedPerUserFiles(ports::InstallFileSystem& files, const std::wstring& sourceFolder,
                      const std::wstring& perUserFolder)
{
    // An earlier copy is kept whatever the listing order: a saved profile whose name sorts before it (or a
    // file system that lists in another order) must not make the user's choices be overwritten.
    if (const auto entries = files.List(perUserFolder)) {
        for (const ports::FolderEntry& entry : *entries)
            if (!entry.isFolder && entry.name == kAudioConfigFileName)
                return;
    }
    CreateFolderTree(files, perUserFolder);
    CopyFileAsNormal(files, sourceFolder + kAudioConfigFileName, perUserFolder + kAudioConfigFileName);
    CopyFileAsNormal(files, sourceFolder + kDefaultProfileFileName, perUserFolder + kDefaultProfileFileName);
}

std::wstring ReadDefaultLanguage(const ports::PrivateProfile& profile, const std::wstring& perUserFolder)
{
    std::wstring language;
    ReadIniKey(profile, perUserFolder + kAudioConfigFileName, L"Language", L"DefaultLanguage", language);
    return language;
}

void SaveDefaultLanguage(ports::PrivateProfile& profile, const std::wstring& perUserFolder,
                         const std::wstring& language)
{
    SaveIniKey(profile, perUserFolder + kAudioConfigFileName, L"Language", L"DefaultLanguage", language);
}

} // namespace setup
