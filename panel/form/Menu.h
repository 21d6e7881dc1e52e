#pragma once
// A menu as a tree of items. The shell shows it; the form owns it and reacts to the chosen item's id.

#include <string>
#include <vector>

namespace form {

struct MenuItem {
    int id = 0;
    std::wstring name;
    std::wstring caption;
    bool checked = false;
    bool radio = false; // drawn with a dot when checked
    bool visible = true;
    bool enabled = true;
    std::vector<MenuItem> items;

    MenuItem* Find(int itemId);
    MenuItem* FindByName(const std::wstring& itemName);
};

// The main window's pop-up menu (the tray icon's right button): its fixed items and the id ranges from
// which the language, skin and plug-in items take theirs.
inline constexpr int kLanguageMenuId = 1;
inline constexpr int kSkinMenuId = 2;
inline constexpr int kPluginMenuId = 3;
inline constexpr int kCloseMenuId = 4;
inline constexpr int kFirstLanguageItemId = 100;
inline constexpr int kFirstSkinItemId = 300;
inline constexpr int kFirstPluginItemId = 500;
inline constexpr int kMenuItemRange = 200;

MenuItem MakeMenuItem(int id, std::wstring name, std::wstring caption);
MenuItem BuildMainPopupMenu();

} // namespace form
