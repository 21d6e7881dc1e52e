#include "platform/win32/Win32InstallFileSystem.h"

#include "platform/win32/Handles.h"

#include <limits>

namespace win32 {

ports::WriteOutcome Win32InstallFileSystem::WriteFile(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    const FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ports::WriteOutcome::CannotOpen;
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        return ports::WriteOutcome::Incomplete;
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(bytes.size());
    if (wanted > 0 && (!::WriteFile(file.Get(), bytes.data(), wanted, &written, nullptr) || written != wanted))
        return ports::WriteOutcome::Incomplete;
    return ports::WriteOutcome::Written;
}

bool Win32InstallFileSystem::CreateOneFolder(const std::wstring& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

std::optional<std::vector<ports::FolderEntry>> Win32InstallFileSystem::List(const std::wstring& folder) const
{
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L"*.*";
    WIN32_FIND_DATAW found{};
    const FindHandle search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search)
        return std::nullopt;
    std::vector<ports::FolderEntry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(search.Get(), &found));
    return entries;
}

bool Win32InstallFileSystem::CopyFileReplacing(const std::wstring& from, const std::wstring& to)
{
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32InstallFileSystem::SetNormalAttributes(const std::wstring& path)
{
    return ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

} // namespace win32
