#pragma once
// The installer's file operations on the in-memory file system. Writes can be cut short, folders listed
// unreadable, and every attribute change is recorded.

#include "platform/memory/MemoryFileSystem.h"
#include "setup/ports/InstallFileSystem.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace memory {

class MemoryInstallFileSystem final : public ports::InstallFileSystem {
public:
    explicit MemoryInstallFileSystem(MemoryFileSystem& files) : files_(files) {}

    ports::WriteOutcome WriteFile(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    bool CreateOneFolder(const std::wstring& path) override;
    // Folders first, then files, each in the order of their keys.
    std::optional<std::vector<ports::FolderEntry>> List(const std::wstring& folder) const override;
    bool CopyFileReplacing(const std::wstring& from, const std::wstring& to) override;
    bool SetNormalAttributes(const std::wstring& path) override;

    // Makes writes of `path` stop part-way (the file is opened, fewer bytes are written).
    void CutWrites(const std::wstring& path);
    // Makes the next `count` writes of `path` fail to open it, as a file another program still holds.
    void HoldFile(const std::wstring& path, int count) { heldWrites_[MemoryFileSystem::Normalize(path)] = count; }
    // Makes listings of `folder` fail.
    void FailListing(const std::wstring& folder);
    // Every path given normal attributes, in order.
    const std::vector<std::wstring>& NormalAttributeCalls() const { return normalized_; }

private:
    MemoryFileSystem& files_;
    std::set<std::wstring> cutWrites_;
    std::set<std::wstring> failingListings_;
    std::map<std::wstring, int> heldWrites_;
    std::vector<std::wstring> normalized_;
};

} // namespace memory
