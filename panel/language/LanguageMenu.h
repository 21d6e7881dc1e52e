#pragma once
// The "Language" menu's content: one item per language folder, captioned with the folder's display
// name from [MultiLanguageFolderMap] of the configuration file. The window host turns it into menu items.

#include "common/ports/PrivateProfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace panel {

inline constexpr std::size_t kLanguageFolderChars = 15;
inline constexpr std::size_t kLanguageDisplayChars = 31;

struct LanguageMenuItem {
    std::wstring caption;
    bool checked = false;
    bool operator==(const LanguageMenuItem&) const = default;
};

struct LanguageMenu {
    std::vector<std::wstring> folders; // the language map: folders[i] belongs to items[i]
    std::vector<LanguageMenuItem> items;
};

// `subfolders` are the folder names found in the languages folder, in any order; the menu lists them
// sorted by name. The item whose folder is `currentLanguage` is checked, else the first one.
LanguageMenu BuildLanguageMenu(const ports::PrivateProfile& profile, const std::wstring& configPath,
                               std::vector<std::wstring> subfolders, const std::wstring& currentLanguage);

// The folder an item chooses: that of the first item with the same caption, so that two folders with
// one display name both lead to the first.
std::optional<std::wstring> LanguageForItem(const LanguageMenu& menu, std::size_t itemIndex);

} // namespace panel
