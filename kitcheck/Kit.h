#pragma once
// The kit folder as the programs see it beside them, and the few facts every check shares.

#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"

#include <string>
#include <vector>

namespace kitcheck {

struct Kit {
    const ports::FileSystem& files;
    const ports::PrivateProfile& profile;
    std::wstring folder; // ends in "\"

    std::wstring Path(const std::wstring& relative) const { return folder + relative; }
    std::wstring ConfigPath() const;
    // A key of "AudioConfig.cfg" as the key layer gives it, cut to `capacity` - 1 characters.
    std::wstring Config(const std::wstring& section, const std::wstring& key, std::size_t capacity = 256) const;
};

// Every resolution folder the panel may choose ("1920x1080\" … and the empty one), from the panel's rule.
std::vector<std::wstring> ResolutionFolders();

// True for "1920x1080" and the other resolution folders' names: they are no skins or languages, though the
// skins and languages folders list them beside the skins and languages of the smallest screens.
bool IsResolutionFolderName(const std::wstring& name);

// The items of a comma-separated value, as many as it holds (each cut to the key layer's item length).
std::vector<std::wstring> SplitItems(const std::wstring& value);

// Subfolders of a folder of the kit, sorted by name.
std::vector<std::wstring> SortedSubfolders(const Kit& kit, const std::wstring& relativeFolder);

} // namespace kitcheck
