#pragma once
// The per-user folder (%APPDATA%\<InstallFolderName>\): its seed copy of the configuration and profile,
// and the language the user chose, kept in that copy.

#include "common/AppConfig.h"
#include "setup/ports/InstallFileSystem.h"

#include <string>

namespace setup {

// %APPDATA% (at most 255 characters) + "\" + InstallFolderName + "\".
std::wstring PerUserFolder(const ports::SystemInfo& system, const _APPLICATION_FOLDER_PATH& config);

// Leaves a per-user folder that holds "AudioConfig.cfg" (that exact name) alone; otherwise creates the
// folder and copies "AudioConfig.cfg" and "DefaultProfile.ini" from the source folder into it. Failures
// are ignored.
void SeedPerUserFiles(ports::InstallFileSystem& files, const std::wstring& sourceFolder,
                      const std::wstring& perUserFolder);

// [Language] "DefaultLanguage" of the per-user copy; empty when missing.
std::wstring ReadDefaultLanguage(const ports::PrivateProfile& profile, const std::wstring& perUserFolder);
void SaveDefaultLanguage(ports::PrivateProfile& profile, const std::wstring& perUserFolder,
                         const std::wstring& language);

} // namespace setup
