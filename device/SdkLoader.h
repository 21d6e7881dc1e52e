#pragma once
// Loading the audio SDK library and binding its entry points, all or nothing, in the order of the
// entry-point table. The result codes are part of the panel's contract: 0 every entry point bound,
// 1 the library did not open, otherwise the position of the first missing entry point + 1 (the first
// entry gives 2).

#include "common/ports/DebugOutput.h"
#include "device/SdkEntryPoints.h"
#include "device/ports/AudioSdk.h"
#include "device/ports/SdkLibrary.h"

#include <memory>
#include <string>

namespace device {

inline constexpr wchar_t kSdkLibraryFileName[] = L"DLLQZ_Tonvio48xx_x32.dll";

inline constexpr int kSdkBound = 0;
inline constexpr int kSdkLibraryNotOpened = 1;

constexpr int MissingEntryPointResult(sdk::EntryPoint entry)
{
    return static_cast<int>(entry) + 2;
}

// One function pointer per entry point, typed as the table declares it.
struct SdkFunctions {
#define TONVIO_SDK_FUNCTION_FIELD(name, params, args) sdk::name##_Fn name = nullptr;
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_FUNCTION_FIELD)
#undef TONVIO_SDK_FUNCTION_FIELD
};

// The SDK port answered by a loaded library: every member calls the bound function with the same
// arguments. It keeps the library open for as long as the functions may be called.
class BoundSdk final : public ports::AudioSdk {
public:
    BoundSdk(std::unique_ptr<ports::SdkLibrary> library, const SdkFunctions& functions)
        : library_(std::move(library)), functions_(functions)
    {
    }

#define TONVIO_SDK_BOUND_MEMBER(name, params, args)                                                                    \
    std::int32_t name params override                                                                                  \
    {                                                                                                                  \
        return functions_.name args;                                                                                   \
    }
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_BOUND_MEMBER)
#undef TONVIO_SDK_BOUND_MEMBER

private:
    std::unique_ptr<ports::SdkLibrary> library_;
    const SdkFunctions functions_;
};

struct SdkLoadOutcome {
    int result = kSdkLibraryNotOpened;
    std::unique_ptr<BoundSdk> sdk; // set only when result is kSdkBound
};

// Opens the library; when it does not open, shows "error <code>: <system text>" in the error box
// (caption "Error"). Then binds every entry point in table order; the first missing one ends the load
// and, from the third entry on, is named on the debug output as "***** <name> *****\n". A library
// with a missing entry point is released again: nothing of it is used.
SdkLoadOutcome LoadSdk(ports::SdkLibraryLoader& loader, ports::ErrorBox& errorBox, ports::DebugOutput& debug,
                       const std::wstring& fileName = kSdkLibraryFileName);

} // namespace device
