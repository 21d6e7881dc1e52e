#pragma once
// What the SDK loader needs from the system: open the library by file name, look up an export by name,
// and show the system's error box when the library cannot be opened.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ports {

// Any exported function, before it is cast to its own type.
using SdkSymbol = void (*)();

// One opened library; destroying it releases the library.
class SdkLibrary {
public:
    virtual ~SdkLibrary() = default;
    // The export of that name; null when the library lacks it.
    virtual SdkSymbol Symbol(const std::string& name) const = 0;
};

// Why a library did not open: the system's error code and its message text.
struct SdkLibraryFailure {
    std::uint32_t errorCode = 0;
    std::wstring systemText;
};

class SdkLibraryLoader {
public:
    virtual ~SdkLibraryLoader() = default;
    // The library of this bare file name, looked for only where the system keeps trusted libraries;
    // null with `failure` filled when it cannot be opened.
    virtual std::unique_ptr<SdkLibrary> Open(const std::wstring& fileName, SdkLibraryFailure& failure) = 0;
};

// The system's modal error box.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void Show(const std::wstring& text, const std::wstring& caption) = 0;
};

} // namespace ports
