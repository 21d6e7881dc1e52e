#pragma once
// Where a skin lives: skins root, resolution folder (by screen size), skin folder.

#include "common/ResolutionFolder.h"
#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"

#include <string>

namespace panel {

inline constexpr wchar_t kSkinSettingFileName[] = L"SkinSetting.ini";
inline constexpr wchar_t kRegionFileName[] = L"MainForm_Frame.rgn";

// The resolution folder rule is shared with the installer's background window.
using ::ChooseResolutionFolder;

// programFolder + skinFolderName + "\" + resolutionFolder + skinName + "\".
std::wstring SkinFolderPath(const std::wstring& programFolder, const std::wstring& skinFolderName,
                            const std::wstring& resolutionFolder, const std::wstring& skinName);

// The start-up check: the resolution folder when the skin's "SkinSetting.ini" is there, else empty.
std::wstring CheckedResolutionFolder(const ports::FileSystem& files, const std::wstring& programFolder,
                                     const std::wstring& skinFolderName, const std::wstring& resolutionFolder,
                                     const std::wstring& skinName);

// "OldVersion" of [Version] in the configuration file: non-zero means the old layout, whose page
// controls were placed relative to a smaller content area and need fixed offsets.
bool ReadOldStyleLayout(const ports::PrivateProfile& profile, const std::wstring& configPath);

} // namespace panel
