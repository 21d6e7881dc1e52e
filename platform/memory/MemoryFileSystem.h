#pragma once
// A file system held in memory, with Windows path rules: "\" and "/" both separate, names compare
// without regard to ASCII case. Reads can be made to fail at a chosen step.

#include "common/ports/FileSystem.h"

#include <map>
#include <set>
#include <string>

namespace memory {

class MemoryFileSystem final : public ports::FileSystem {
public:
    ports::FileBytes ReadAll(const std::wstring& path) const override;
    bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    bool FileExists(const std::wstring& path) const override;
    // The write time is a count of writes: every write gives its file a new stamp. A file whose reads
    // are made to fail has none.
    std::optional<ports::FileStamp> Stamp(const std::wstring& path) const override;
    bool FolderExists(const std::wstring& path) const override;
    bool CreateFolder(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
    // Removes an empty folder; false when it is missing or holds files or folders.
    bool RemoveEmptyFolder(const std::wstring& path);
    std::vector<std::wstring> Subfolders(const std::wstring& path) const override;
    // The names of the folder's immediate files, as first written, in the order of their keys.
    std::vector<std::wstring> Files(const std::wstring& path) const;

    // Test set-up: writes the file, creating its folders.
    void Put(const std::wstring& path, std::string_view bytes);
    void Put(const std::wstring& path, std::span<const std::uint8_t> bytes);
    // The file's bytes as a string; empty when missing.
    std::string Get(const std::wstring& path) const;
    // Makes reads of `path` stop with `status` (Ok clears it).
    void FailReads(const std::wstring& path, ports::ReadStatus status);
    // Makes writes of `path` fail.
    void FailWrites(const std::wstring& path, bool fail = true);

    // "c:\a\b" for "C:/A/b\": the key under which a path is stored.
    static std::wstring Normalize(const std::wstring& path);

private:
    bool ParentExists(const std::wstring& normalized) const;

    void Store(const std::wstring& key, std::span<const std::uint8_t> bytes);

    struct File {
        std::vector<std::uint8_t> bytes;
        std::uint64_t written = 0;
    };
    std::map<std::wstring, File> files_;
    std::uint64_t writes_ = 0;
    std::map<std::wstring, std::wstring> fileSpellings_; // key → the path as first written
    std::map<std::wstring, std::wstring> folders_; // key → the path as first written
    std::map<std::wstring, ports::ReadStatus> failingReads_;
    std::set<std::wstring> failingWrites_;
};

} // namespace memory
