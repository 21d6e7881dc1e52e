#include "setup/Background.h"

#include "common/AppConfig.h"
#include "common/IniKeys.h"
#include "common/ResolutionFolder.h"
#include "common/Text.h"

namespace setup {

BackgroundLayout ChooseBackground(const ports::PrivateProfile& profile, const ports::FileSystem& files,
                                  ports::DebugOutput& debug, const std::wstring& programFolder, int screenWidth,
                                  int screenHeight)
{
    debug.Write(L"==> TBackgroundForm::TBackgroundForm\n");
    const std::wstring configPath = programFolder + kAudioConfigFileName;
    const std::wstring resolutionFolder = ChooseResolutionFolder(screenWidth, screenHeight);

    std::wstring text;
    ReadIniKey(profile, configPath, L"Install", L"BackgroundWidth", text);
    const int width = LeadingInteger(text);
    text.clear();
    ReadIniKey(profile, configPath, L"Install", L"BackgroundHeight", text);
    const int height = LeadingInteger(text);

    BackgroundLayout layout;
    layout.width = (width == 0 || height == 0) ? screenWidth : width;
    layout.height = (width == 0 || height == 0) ? screenHeight : height;

    debug.Write(L"==> TBackgroundForm::FormShow\n");
    std::wstring fileName;
    ReadIniKey(profile, configPath, L"Install", L"InstallBackgroundFileName", fileName);
    if (fileName.empty())
        return layout;
    std::wstring skinFolder;
    ReadIniKey(profile, configPath, L"Skin", L"SkinFolderName", skinFolder);
    const std::wstring candidate = programFolder + skinFolder + L"\\" + resolutionFolder + fileName;
    layout.picturePath = files.FileExists(candidate) ? candidate : programFolder + fileName;
    return layout;
}

} // namespace setup
