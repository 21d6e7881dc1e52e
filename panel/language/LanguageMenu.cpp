#include "panel/language/LanguageMenu.h"

#include "common/IniKeys.h"
#include "common/Text.h"

#include <algorithm>

namespace panel {

LanguageMenu BuildLanguageMenu(const ports::PrivateProfile& profile, const std::wstring& configPath,
                               std::vector<std::wstring> subfolders, const std::wstring& currentLanguage)
{
    std::sort(subfolders.begin(), subfolders.end(),
              [](const std::wstring& a, const std::wstring& b) { return ToLowerAscii(a) < ToLowerAscii(b); });
    LanguageMenu menu;
    for (const std::wstring& subfolder : subfolders) {
        std::wstring folder = CutText(subfolder, kLanguageFolderChars);
        std::wstring displayName;
        GetIniKey(profile, configPath, L"MultiLanguageFolderMap", folder, displayName, kLanguageDisplayChars + 1);
        menu.folders.push_back(std::move(folder));
        menu.items.push_back({std::move(displayName), false});
    }
    if (menu.items.empty())
        return menu;
    const auto current = std::find(menu.folders.begin(), menu.folders.end(), currentLanguage);
    const std::size_t checked =
        current == menu.folders.end() ? 0 : static_cast<std::size_t>(current - menu.folders.begin());
    menu.items[checked].checked = true;
    return menu;
}

std::optional<std::wstring> LanguageForItem(const LanguageMenu& menu, std::size_t itemIndex)
{
    if (itemIndex >= menu.items.size())
        return std::nullopt;
    for (std::size_t i = 0; i < menu.items.size(); ++i)
        if (menu.items[i].caption == menu.items[itemIndex].caption)
            return menu.folders[i];
    return std::nullopt;
}

} // namespace panel
