#pragma once

#include "setup/ports/InstallFileSystem.h"

namespace win32 {

class Win32InstallFileSystem final : public ports::InstallFileSystem {
public:
    ports::WriteOutcome WriteFile(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    bool CreateOneFolder(const std::wstring& path) override;
    std::optional<std::vector<ports::FolderEntry>> List(const std::wstring& folder) const override;
    bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) override;
    bool SetNormalAttributes(const std::wstring& path) override;
};

} // namespace win32
