#include "common/ResolutionFolder.h"

std::wstring ChooseResolutionFolder(long screenWidth, long screenHeight)
{
    const long long pixels = static_cast<long long>(screenWidth) * screenHeight;
    if (pixels > 2'073'600)
        return L"1920x1080\\";
    if (pixels > 1'049'088)
        return L"1366x768\\";
    if (pixels > 518'400)
        return L"960x540\\";
    return L"";
}
