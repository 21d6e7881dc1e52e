#pragma once
// The registry port on the Windows registry. The 32-bit view is asked for explicitly, so that a 64-bit
// build reaches the same keys as the shipped 32-bit programs (which get that view without asking).

#include "common/ports/Registry.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

class Win32Registry final : public ports::Registry {
public:
    // Failed calls, a missing key or value among them, are written to `debug` with their code.
    explicit Win32Registry(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    ports::CreatedKey CreateKey(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override;
    std::unique_ptr<ports::RegistryKey> OpenKey(ports::RegistryRoot root, const std::wstring& path,
                                                ports::RegistryView view) override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
