#pragma once

#include "common/ports/FileSystem.h"
#include "platform/win32/Win32Failure.h"

namespace win32 {

class Win32FileSystem final : public ports::FileSystem {
public:
    // Failed opens, reads and writes are written to `debug` with their code; the questions whether a
    // file or folder exists are answers, not failures.
    explicit Win32FileSystem(ports::DebugOutput& debug = SystemDebugOutput()) : debug_(debug) {}

    ports::FileBytes ReadAll(const std::wstring& path) const override;
    bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    bool FileExists(const std::wstring& path) const override;
    std::optional<ports::FileStamp> Stamp(const std::wstring& path) const override;
    bool FolderExists(const std::wstring& path) const override;
    bool CreateFolder(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
    std::vector<std::wstring> Subfolders(const std::wstring& path) const override;

private:
    ports::DebugOutput& debug_;
};

} // namespace win32
