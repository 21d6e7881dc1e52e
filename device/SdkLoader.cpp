#include "device/SdkLoader.h"

#include "common/Text.h"

#include <string_view>

namespace device {

namespace {

// The first two entry points go missing silently; from the third on the name is logged.
constexpr std::size_t kFirstLoggedPosition = 2;

std::wstring Widen(std::string_view ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

template <typename Function> bool Bind(const ports::SdkLibrary& library, sdk::EntryPoint entry, Function& target)
{
    const ports::SdkSymbol symbol = library.Symbol(std::string(sdk::EntryPointName(entry)));
    if (symbol == nullptr)
        return false;
    // Every export arrives as the generic function pointer; its real type is the table's.
    target = reinterpret_cast<Function>(symbol);
    return true;
}

int ReportMissing(sdk::EntryPoint entry, ports::DebugOutput& debug)
{
    if (static_cast<std::size_t>(entry) >= kFirstLoggedPosition)
        debug.Write(FormatText(255, L"***** %ls *****\n", Widen(sdk::EntryPointName(entry)).c_str()));
    return MissingEntryPointResult(entry);
}

} // namespace

SdkLoadOutcome LoadSdk(ports::SdkLibraryLoader& loader, ports::ErrorBox& errorBox, ports::DebugOutput& debug,
                       const std::wstring& fileName)
{
    ports::SdkLibraryFailure failure;
    std::unique_ptr<ports::SdkLibrary> library = loader.Open(fileName, failure);
    if (!library) {
        errorBox.Show(
            FormatText(1023, L"error %d: %ls", static_cast<int>(failure.errorCode), failure.systemText.c_str()),
            L"Error");
        return {kSdkLibraryNotOpened, nullptr};
    }

    SdkFunctions functions;
#define TONVIO_SDK_BIND(name, params, args)                                                                            \
    if (!Bind(*library, sdk::EntryPoint::name, functions.name))                                                        \
        return {ReportMissing(sdk::EntryPoint::name, debug), nullptr};
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_BIND)
#undef TONVIO_SDK_BIND

    return {kSdkBound, std::make_unique<BoundSdk>(std::move(library), functions)};
}

} // namespace device
