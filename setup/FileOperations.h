#pragma once
// The file operations of the installation steps: payload written out, folder trees, folder copies.

#include "common/ports/DebugOutput.h"
#include "common/ports/FileSystem.h"
#include "setup/ports/InstallFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace setup {

// Longest path the folder copy handles; a longer one fails that copy rather than being cut.
inline constexpr std::size_t kCopyPathChars = 255;

// WriteFileData results.
inline constexpr int kWriteOk = 0;
inline constexpr int kWriteCannotOpen = 1;
inline constexpr int kWriteIncomplete = 2;

int WriteFileData(ports::InstallFileSystem& files, const std::wstring& path, std::span<const std::uint8_t> bytes);

// Creates every folder along the path that ends at a backslash, root first; failures (a folder that
// exists already among them) are ignored. Text after the last backslash is not a folder.
void CreateFolderTree(ports::InstallFileSystem& files, const std::wstring& path);

// Copies the source folder's tree: into destination\<source name> when the last names differ, into the
// destination itself when they agree. 1 done; 0 when either path has no backslash or a path is too long.
int CopyDirectory(ports::InstallFileSystem& files, ports::DebugOutput& debug, const std::wstring& source,
                  const std::wstring& destination);

// 1 and `name` = the first entry of the folder that is a file and does not begin with "."; 0 when there is
// none or the folder cannot be read.
int FindFirstPlainFile(const ports::InstallFileSystem& files, const std::wstring& folder, std::wstring& name);

// Copies one file, replacing an existing one, and gives the copy normal attributes; false when the copy
// failed.
bool CopyFileAsNormal(ports::InstallFileSystem& files, const std::wstring& from, const std::wstring& to);

// The files of a folder tree, each with its full path, files of a folder before its subfolders' files.
std::vector<std::wstring> FilesOfTree(const ports::InstallFileSystem& files, const std::wstring& folder);

// The summed size of the files of a folder tree; a file whose size cannot be read counts 0.
std::uint64_t FolderTreeBytes(const ports::InstallFileSystem& files, const ports::FileSystem& sizes,
                              const std::wstring& folder);

} // namespace setup
