#pragma once
// The background window behind the wizard: its size and the OEM picture it stretches over itself.

#include "common/ports/DebugOutput.h"
#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"

#include <string>

namespace setup {

struct BackgroundLayout {
    int width = 0;
    int height = 0;
    std::wstring picturePath; // empty: no picture, the window is transparent
};

// programFolder ends in a backslash. Width and height come from [Install] "BackgroundWidth" and
// "BackgroundHeight"; when either is 0 the window covers the screen. The picture lies in the skin's
// resolution folder, or in the program folder when it is not there.
BackgroundLayout ChooseBackground(const ports::PrivateProfile& profile, const ports::FileSystem& files,
                                  ports::DebugOutput& debug, const std::wstring& programFolder, int screenWidth,
                                  int screenHeight);

} // namespace setup
