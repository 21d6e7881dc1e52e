#pragma once
// What the uninstaller needs beyond the installer's ports: files, empty folders, a service and registry
// trees deleted.

#include "common/ports/Registry.h"

#include <string>

namespace ports {

class UninstallSystem {
public:
    virtual ~UninstallSystem() = default;
    // Each returns true when the item was there and is gone; false when it was missing or stays.
    virtual bool RemoveFile(const std::wstring& path) = 0;
    virtual bool DeleteEmptyFolder(const std::wstring& path) = 0;
    // Marks the (stopped) service for deletion.
    virtual bool DeleteService(const std::wstring& name) = 0;
    virtual bool DeleteKeyTree(RegistryRoot root, const std::wstring& path, RegistryView view) = 0;
    // Existence, to tell "already gone" from "cannot be removed".
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual bool FolderExists(const std::wstring& path) = 0;
    virtual bool ServiceExists(const std::wstring& name) = 0;
    virtual bool KeyExists(RegistryRoot root, const std::wstring& path, RegistryView view) = 0;
};

} // namespace ports
