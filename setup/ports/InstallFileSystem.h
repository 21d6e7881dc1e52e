#pragma once
// The installer's own file operations: payload written out, folders made one at a time, folder listings,
// copies and attributes. Paths are Windows paths.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ports {

enum class WriteOutcome { Written, CannotOpen, Incomplete };

struct FolderEntry {
    std::wstring name;
    bool isFolder = false;
    bool operator==(const FolderEntry&) const = default;
};

class InstallFileSystem {
public:
    virtual ~InstallFileSystem() = default;

    // Creates or truncates the file (binary) and writes every byte.
    virtual WriteOutcome WriteFile(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    // Creates one folder; false when it exists already, its parent is missing or the system refuses.
    virtual bool CreateOneFolder(const std::wstring& path) = 0;
    // The folder's entries without "." and "..", in the system's listing order; nullopt when the folder
    // cannot be read.
    virtual std::optional<std::vector<FolderEntry>> List(const std::wstring& folder) const = 0;
    // Copies a file, replacing one of the same name.
    virtual bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) = 0;
    // Clears read-only, hidden and system attributes of a file or folder.
    virtual bool SetNormalAttributes(const std::wstring& path) = 0;
};

} // namespace ports
