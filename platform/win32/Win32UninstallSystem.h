#pragma once
// The uninstaller's deletions on Windows: files, empty folders, the service and registry trees.

#include "common/ports/DebugOutput.h"
#include "setup/ports/UninstallSystem.h"

namespace win32 {

class Win32UninstallSystem final : public ports::UninstallSystem {
public:
    explicit Win32UninstallSystem(ports::DebugOutput& debug) : debug_(debug) {}

    bool RemoveFile(const std::wstring& path) override;
    bool DeleteEmptyFolder(const std::wstring& path) override;
    bool DeleteService(const std::wstring& name) override;
    bool DeleteKeyTree(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override;
    bool FileExists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    bool ServiceExists(const std::wstring& name) override;
    bool KeyExists(ports::RegistryRoot root, const std::wstring& path, ports::RegistryView view) override;

private:
    bool MoveRunningProgramAside(const std::wstring& path);

    ports::DebugOutput& debug_;
};

} // namespace win32
