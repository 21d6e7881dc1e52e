#pragma once
// Whole-file access to the machine's file system. Paths are Windows paths ("C:\dir\file").

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ports {

// How far a whole-file read got; the steps are those of opening, sizing, buffering and reading a file.
enum class ReadStatus { Ok, CannotOpen, NoLength, NoMemory, ReadFailed };

struct FileBytes {
    ReadStatus status = ReadStatus::CannotOpen;
    std::vector<std::uint8_t> bytes;
};

// Tells one version of a file from the next without reading it: its size and its last-write time (in the
// file system's own unit; only compared, never shown).
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    bool operator==(const FileStamp&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual FileBytes ReadAll(const std::wstring& path) const = 0;
    // Creates or replaces the file; the folder must exist.
    virtual bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    virtual bool FileExists(const std::wstring& path) const = 0;
    // nullopt when the file is missing or cannot be looked at.
    virtual std::optional<FileStamp> Stamp(const std::wstring& path) const = 0;
    virtual bool FolderExists(const std::wstring& path) const = 0;
    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool CreateFolder(const std::wstring& path) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Puts `from` in the place of `to` in one step: afterwards `to` is either the old file or the whole
    // new one, never a mixture. The folder must be the same.
    virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to) = 0;
    // The names of the folder's immediate subfolders, in no particular order; none when it is missing.
    virtual std::vector<std::wstring> Subfolders(const std::wstring& path) const = 0;
};

} // namespace ports
