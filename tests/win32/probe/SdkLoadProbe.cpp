// Loads the audio SDK library exactly as the panel does, from wherever this program was copied, and
// reports on stdout what the user and the debugger would have seen. The exit code is the load result.

#include "device/SdkLoader.h"
#include "platform/win32/Win32SdkLibrary.h"

#include <cstdio>

namespace {

class PrintedErrorBox final : public ports::ErrorBox {
public:
    void Show(const std::wstring& text, const std::wstring& caption) override
    {
        std::printf("box: %ls: %ls\n", caption.c_str(), text.c_str());
    }
};

class PrintedDebugOutput final : public ports::DebugOutput {
public:
    void Write(const std::wstring& text) override { std::printf("debug: %ls", text.c_str()); }
};

} // namespace

int wmain()
{
    win32::Win32SdkLibraryLoader loader;
    PrintedErrorBox errorBox;
    PrintedDebugOutput debug;
    const device::SdkLoadOutcome outcome = device::LoadSdk(loader, errorBox, debug);
    std::printf("result: %d\n", outcome.result);
    return outcome.result;
}
