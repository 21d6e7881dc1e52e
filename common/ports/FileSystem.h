#pragma once
// Whole-file access to the machine's file system. Paths are Windows paths ("C:\dir\file").

#include <cstdint>
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

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual FileBytes ReadAll(const std::wstring& path) const = 0;
    // Creates or replaces the file; the folder must exist.
    virtual bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    virtual bool FileExists(const std::wstring& path) const = 0;
    virtual bool FolderExists(const std::wstring& path) const = 0;
    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool CreateFolder(const std::wstring& path) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // The names of the folder's immediate subfolders, in no particular order; none when it is missing.
    virtual std::vector<std::wstring> Subfolders(const std::wstring& path) const = 0;
};

} // namespace ports
