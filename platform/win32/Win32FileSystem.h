#pragma once

#include "common/ports/FileSystem.h"

namespace win32 {

class Win32FileSystem final : public ports::FileSystem {
public:
    ports::FileBytes ReadAll(const std::wstring& path) const override;
    bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    bool FileExists(const std::wstring& path) const override;
    std::optional<ports::FileStamp> Stamp(const std::wstring& path) const override;
    bool FolderExists(const std::wstring& path) const override;
    bool CreateFolder(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    std::vector<std::wstring> Subfolders(const std::wstring& path) const override;
};

} // namespace win32
