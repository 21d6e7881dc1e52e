#include "panel/skin/SkinFolders.h"

#include "common/IniKeys.h"
#include "common/Text.h"

namespace panel {

std::wstring SkinFolderPath(const std::wstring& programFolder, const std::wstring& skinFolderName,
                            const std::wstring& resolutionFolder, const std::wstring& skinName)
{
    return programFolder + skinFolderName + L"\\" + resolutionFolder + skinName + L"\\";
}

std::wstring CheckedResolutionFolder(const ports::FileSystem& files, const std::wstring& programFolder,
                                     const std::wstring& skinFolderName, const std::wstring& resolutionFolder,
                                     const std::wstring& skinName)
{
    const std::wstring setting =
        SkinFolderPath(programFolder, skinFolderName, resolutionFolder, skinName) + kSkinSettingFileName;
    return files.FileExists(setting) ? resolutionFolder : std::wstring();
}

bool ReadOldStyleLayout(const ports::PrivateProfile& profile, const std::wstring& configPath)
{
    std::wstring value;
    GetIniKey(profile, configPath, L"Version", L"OldVersion", value, 32);
    return LeadingInteger(value) != 0;
}

} // namespace panel
