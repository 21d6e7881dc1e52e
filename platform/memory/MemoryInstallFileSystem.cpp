#include "platform/memory/MemoryInstallFileSystem.h"

namespace memory {

namespace {
std::wstring ParentFolder(const std::wstring& path)
{
    std::wstring trimmed = path;
    while (!trimmed.empty() && (trimmed.back() == L'\\' || trimmed.back() == L'/'))
        trimmed.pop_back();
    const auto slash = trimmed.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash);
}
} // namespace

ports::WriteOutcome MemoryInstallFileSystem::WriteFile(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    if (const auto held = heldWrites_.find(MemoryFileSystem::Normalize(path));
        held != heldWrites_.end() && held->second > 0) {
        --held->second;
        return ports::WriteOutcome::CannotOpen;
    }
    if (cutWrites_.contains(MemoryFileSystem::Normalize(path))) {
        // Opened and truncated, then the write stops half-way.
        if (!files_.WriteAll(path, bytes.first(bytes.size() / 2)))
            return ports::WriteOutcome::CannotOpen;
        return ports::WriteOutcome::Incomplete;
    }
    return files_.WriteAll(path, bytes) ? ports::WriteOutcome::Written : ports::WriteOutcome::CannotOpen;
}

bool MemoryInstallFileSystem::CreateOneFolder(const std::wstring& path)
{
    const std::wstring parent = ParentFolder(path);
    if (files_.FolderExists(path) || files_.FileExists(path) || (!parent.empty() && !files_.FolderExists(parent)))
        return false;
    return files_.CreateFolder(path);
}

std::optional<std::vector<ports::FolderEntry>> MemoryInstallFileSystem::List(const std::wstring& folder) const
{
    if (!files_.FolderExists(folder) || failingListings_.contains(MemoryFileSystem::Normalize(folder)))
        return std::nullopt;
    std::vector<ports::FolderEntry> entries;
    for (const std::wstring& name : files_.Subfolders(folder))
        entries.push_back({name, true});
    for (const std::wstring& name : files_.Files(folder))
        entries.push_back({name, false});
    return entries;
}

bool MemoryInstallFileSystem::CopyFileReplacing(const std::wstring& from, const std::wstring& to)
{
    const ports::FileBytes source = files_.ReadAll(from);
    return source.status == ports::ReadStatus::Ok && files_.WriteAll(to, source.bytes);
}

bool MemoryInstallFileSystem::SetNormalAttributes(const std::wstring& path)
{
    normalized_.push_back(path);
    return files_.FileExists(path) || files_.FolderExists(path);
}

void MemoryInstallFileSystem::CutWrites(const std::wstring& path)
{
    cutWrites_.insert(MemoryFileSystem::Normalize(path));
}

void MemoryInstallFileSystem::FailListing(const std::wstring& folder)
{
    failingListings_.insert(MemoryFileSystem::Normalize(folder));
}

} // namespace memory
