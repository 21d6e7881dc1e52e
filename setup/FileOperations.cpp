#include "setup/FileOperations.h"

#include "common/Text.h"

namespace setup {

namespace {

constexpr std::size_t kDiagnosticLineChars = 1024;

// The text after the last backslash, or after the one before when the path ends in a backslash; nullopt
// when the path has no backslash.
std::optional<std::wstring> LastComponent(const std::wstring& path)
{
    if (path.find(L'\\') == std::wstring::npos)
        return std::nullopt;
    std::wstring trimmed = path;
    if (trimmed.back() == L'\\')
        trimmed.pop_back();
    const auto slash = trimmed.find_last_of(L'\\');
    return slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
}

void LogFolderCreation(ports::DebugOutput& debug, const std::wstring& folder, bool created)
{
    debug.Write(FormatText(kDiagnosticLineChars, L"##### Create Directory = %ls\n", folder.c_str()));
    if (!created)
        debug.Write(L"***** Create Directory FAIL! *****\n");
}

bool TooLong(ports::DebugOutput& debug, const std::wstring& path)
{
    if (path.size() <= kCopyPathChars)
        return false;
    debug.Write(FormatText(kDiagnosticLineChars, L"***** Copy Directory FAIL! Path longer than %d characters: %ls *****\n",
                           static_cast<int>(kCopyPathChars), path.c_str()));
    return true;
}

} // namespace

int WriteFileData(ports::InstallFileSystem& files, const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    switch (files.WriteFile(path, bytes)) {
    case ports::WriteOutcome::Written:
        return kWriteOk;
    case ports::WriteOutcome::CannotOpen:
        return kWriteCannotOpen;
    case ports::WriteOutcome::Incomplete:
        return kWriteIncomplete;
    }
    return kWriteCannotOpen;
}

void CreateFolderTree(ports::InstallFileSystem& files, const std::wstring& path)
{
    for (std::size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
        files.CreateOneFolder(path.substr(0, slash + 1));
}

int CopyDirectory(ports::InstallFileSystem& files, ports::DebugOutput& debug, const std::wstring& source,
                  const std::wstring& destination)
{
    const auto sourceName = LastComponent(source);
    const auto destinationName = LastComponent(destination);
    if (!sourceName || !destinationName)
        return 0;

    std::wstring target = destination;
    // Windows names compare without regard to case: 'Plugin\' into '...\plugin\' is the same folder.
    if (!EqualsIgnoreAsciiCase(*sourceName, *destinationName)) {
        if (target.back() != L'\\')
            target += L'\\';
        target += *sourceName;
    }
    if (target.back() == L'\\')
        target.pop_back();
    std::wstring from = source;
    if (from.back() == L'\\')
        from.pop_back();
    if (TooLong(debug, from) || TooLong(debug, target))
        return 0;

    LogFolderCreation(debug, target, files.CreateOneFolder(target));

    const auto entries = files.List(from);
    if (!entries)
        return 1;
    for (const ports::FolderEntry& entry : *entries) {
        const std::wstring entrySource = from + L"\\" + entry.name;
        const std::wstring entryTarget = target + L"\\" + entry.name;
        if (entry.isFolder) {
            if (TooLong(debug, entryTarget))
                continue;
            LogFolderCreation(debug, target, files.CreateOneFolder(entryTarget));
            files.SetNormalAttributes(entryTarget);
            CopyDirectory(files, debug, entrySource, entryTarget);
        } else if (!TooLong(debug, entrySource) && !TooLong(debug, entryTarget)) {
            CopyFileAsNormal(files, entrySource, entryTarget);
        }
    }
    return 1;
}

int FindFirstPlainFile(const ports::InstallFileSystem& files, const std::wstring& folder, std::wstring& name)
{
    const auto entries = files.List(folder);
    if (!entries)
        return 0;
    for (const ports::FolderEntry& entry : *entries) {
        if (!entry.isFolder && !entry.name.starts_with(L'.')) {
            name = entry.name;
            return 1;
        }
    }
    return 0;
}

bool CopyFileAsNormal(ports::InstallFileSystem& files, const std::wstring& from, const std::wstring& to)
{
    if (!files.CopyFileReplacing(from, to))
        return false;
    files.SetNormalAttributes(to);
    return true;
}

std::vector<std::wstring> FilesOfTree(const ports::InstallFileSystem& files, const std::wstring& folder)
{
    std::vector<std::wstring> found;
    const std::wstring base = folder.ends_with(L'\\') ? folder : folder + L"\\";
    const auto entries = files.List(base);
    if (!entries)
        return found;
    std::vector<std::wstring> subfolders;
    for (const ports::FolderEntry& entry : *entries)
        (entry.isFolder ? subfolders : found).push_back(base + entry.name);
    for (const std::wstring& subfolder : subfolders) {
        std::vector<std::wstring> inner = FilesOfTree(files, subfolder);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

std::uint64_t FolderTreeBytes(const ports::InstallFileSystem& files, const ports::FileSystem& sizes,
                              const std::wstring& folder)
{
    std::uint64_t bytes = 0;
    for (const std::wstring& file : FilesOfTree(files, folder))
        if (const auto stamp = sizes.Stamp(file))
            bytes += stamp->size;
    return bytes;
}

} // namespace setup
