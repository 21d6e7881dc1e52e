#include "platform/memory/MemoryFileSystem.h"

#include "common/Text.h"

namespace memory {

namespace {
// The path as written, with one kind of separator and no trailing one: the same length as its key.
std::wstring Spelled(const std::wstring& path)
{
    std::wstring result = path;
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    while (result.size() > 1 && result.back() == L'\\')
        result.pop_back();
    return result;
}
} // namespace

std::wstring MemoryFileSystem::Normalize(const std::wstring& path)
{
    return ToLowerAscii(Spelled(path));
}

namespace {
std::wstring ParentOf(const std::wstring& normalized)
{
    const auto slash = normalized.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : normalized.substr(0, slash);
}
} // namespace

bool MemoryFileSystem::ParentExists(const std::wstring& normalized) const
{
    const std::wstring parent = ParentOf(normalized);
    // A bare name lies in the current folder, and a drive root always exists.
    return parent.empty() || parent.size() == 2 || folders_.contains(parent);
}

ports::FileBytes MemoryFileSystem::ReadAll(const std::wstring& path) const
{
    const std::wstring key = Normalize(path);
    if (const auto failing = failingReads_.find(key); failing != failingReads_.end())
        return {failing->second, {}};
    const auto file = files_.find(key);
    if (file == files_.end())
        return {ports::ReadStatus::CannotOpen, {}};
    return {ports::ReadStatus::Ok, file->second.bytes};
}

bool MemoryFileSystem::WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    const std::wstring key = Normalize(path);
    if (failingWrites_.contains(key) || folders_.contains(key) || !ParentExists(key))
        return false;
    Store(key, bytes);
    fileSpellings_.emplace(key, Spelled(path));
    return true;
}

void MemoryFileSystem::Store(const std::wstring& key, std::span<const std::uint8_t> bytes)
{
    File& file = files_[key];
    file.bytes.assign(bytes.begin(), bytes.end());
    file.written = ++writes_;
}

bool MemoryFileSystem::FileExists(const std::wstring& path) const
{
    return files_.contains(Normalize(path));
}

std::optional<ports::FileStamp> MemoryFileSystem::Stamp(const std::wstring& path) const
{
    const std::wstring key = Normalize(path);
    const auto file = files_.find(key);
    if (file == files_.end() || failingReads_.contains(key))
        return std::nullopt;
    return ports::FileStamp{file->second.bytes.size(), file->second.written};
}

bool MemoryFileSystem::FolderExists(const std::wstring& path) const
{
    const std::wstring key = Normalize(path);
    return key.size() == 2 || folders_.contains(key);
}

bool MemoryFileSystem::CreateFolder(const std::wstring& path)
{
    std::wstring key = Normalize(path);
    std::wstring spelled = Spelled(path);
    if (files_.contains(key))
        return false;
    while (key.size() > 2 && !folders_.contains(key)) {
        folders_.emplace(key, spelled);
        key = ParentOf(key);
        spelled.resize(key.size());
    }
    return true;
}

namespace {
// The names, as first written, of the entries that lie directly in the folder.
std::vector<std::wstring> ImmediateEntries(const std::map<std::wstring, std::wstring>& spellings,
                                           const std::wstring& folderKey)
{
    const std::wstring prefix = folderKey + L'\\';
    std::vector<std::wstring> names;
    for (const auto& [key, spelled] : spellings)
        if (key.starts_with(prefix) && key.find(L'\\', prefix.size()) == std::wstring::npos)
            names.push_back(spelled.substr(prefix.size()));
    return names;
}
} // namespace

std::vector<std::wstring> MemoryFileSystem::Subfolders(const std::wstring& path) const
{
    return ImmediateEntries(folders_, Normalize(path));
}

std::vector<std::wstring> MemoryFileSystem::Files(const std::wstring& path) const
{
    return ImmediateEntries(fileSpellings_, Normalize(path));
}

bool MemoryFileSystem::RemoveFile(const std::wstring& path)
{
    fileSpellings_.erase(Normalize(path));
    return files_.erase(Normalize(path)) > 0;
}

bool MemoryFileSystem::MoveReplacing(const std::wstring& from, const std::wstring& to)
{
    const std::wstring source = Normalize(from);
    const std::wstring target = Normalize(to);
    const auto found = files_.find(source);
    if (found == files_.end() || failingWrites_.contains(target) || !ParentExists(target))
        return false;
    File moved = std::move(found->second);
    files_.erase(found);
    fileSpellings_.erase(source);
    files_[target] = std::move(moved);
    fileSpellings_.try_emplace(target, to);
    return true;
}

bool MemoryFileSystem::RemoveEmptyFolder(const std::wstring& path)
{
    const std::wstring key = Normalize(path);
    if (!folders_.contains(key) || !Subfolders(path).empty() || !Files(path).empty())
        return false;
    folders_.erase(key);
    return true;
}

void MemoryFileSystem::Put(const std::wstring& path, std::string_view bytes)
{
    Put(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void MemoryFileSystem::Put(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    const std::wstring key = Normalize(path);
    const std::wstring parent = ParentOf(key);
    if (!parent.empty())
        CreateFolder(Spelled(path).substr(0, parent.size()));
    Store(key, bytes);
    fileSpellings_.emplace(key, Spelled(path));
}

std::string MemoryFileSystem::Get(const std::wstring& path) const
{
    const auto file = files_.find(Normalize(path));
    return file == files_.end() ? std::string() : std::string(file->second.bytes.begin(), file->second.bytes.end());
}

void MemoryFileSystem::FailReads(const std::wstring& path, ports::ReadStatus status)
{
    if (status == ports::ReadStatus::Ok)
        failingReads_.erase(Normalize(path));
    else
        failingReads_[Normalize(path)] = status;
}

void MemoryFileSystem::FailWrites(const std::wstring& path, bool fail)
{
    if (fail)
        failingWrites_.insert(Normalize(path));
    else
        failingWrites_.erase(Normalize(path));
}

} // namespace memory
