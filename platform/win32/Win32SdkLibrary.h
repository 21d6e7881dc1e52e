#pragma once
// The audio SDK library opened with the Windows loader. The library is looked for only in the program's
// own folder and the system folders, never in the current folder or along the PATH, so that a library
// of the same name planted there is never run.

#include "common/ports/DebugOutput.h"
#include "device/SdkLoader.h"
#include "device/ports/SdkLibrary.h"

namespace win32 {

class Win32SdkLibraryLoader final : public ports::SdkLibraryLoader {
public:
    std::unique_ptr<ports::SdkLibrary> Open(const std::wstring& fileName, ports::SdkLibraryFailure& failure) override;
};

// The system's error box: modal, no owner window, the error icon.
class Win32SdkErrorBox final : public ports::ErrorBox {
public:
    void Show(const std::wstring& text, const std::wstring& caption) override;
};

// The panel's one load of the audio SDK: this loader, the system's error box and `debug`.
device::SdkLoadOutcome LoadAudioSdk(ports::DebugOutput& debug);

// The system's text for an error code, as FormatMessageW gives it (line break included); empty when the
// system has none.
std::wstring SystemErrorText(unsigned long errorCode);

} // namespace win32
