#pragma once
// The uninstaller's deletions on the in-memory file system, registry and services; chosen files, folders
// and keys can be made to stay, as files in use and keys without rights do.

#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryServiceManager.h"
#include "setup/ports/UninstallSystem.h"

#include <set>
#include <string>

namespace memory {

class MemoryUninstallSystem final : public ports::UninstallSystem {
public:
    MemoryUninstallSystem(MemoryFileSystem& files, MemoryRegistry& registry, MemoryServiceManager& services)
        : files_(files), registry_(registry), services_(services)
    {
    }

    bool RemoveFile(const std::wstring& path) override
    {
        return !stuck.contains(MemoryFileSystem::Normalize(path)) && files_.RemoveFile(path);
    }
    bool DeleteEmptyFolder(const std::wstring& path) override { return files_.RemoveEmptyFolder(path); }
    bool DeleteService(const std::wstring& name) override { return services_.Remove(name); }
    bool DeleteKeyTree(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override
    {
        return registry_.DeleteTree(root, view, path);
    }
    bool FileExists(const std::wstring& path) override { return files_.FileExists(path); }
    bool FolderExists(const std::wstring& path) override { return files_.FolderExists(path); }
    bool ServiceExists(const std::wstring& name) override { return services_.Exists(name); }
    bool KeyExists(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override
    {
        return registry_.KeyExists(root, view, path);
    }

    // Files that cannot be deleted (in use), by their normalized path.
    std::set<std::wstring> stuck;
    void Stick(const std::wstring& path) { stuck.insert(MemoryFileSystem::Normalize(path)); }

private:
    MemoryFileSystem& files_;
    MemoryRegistry& registry_;
    MemoryServiceManager& services_;
};

} // namespace memory
