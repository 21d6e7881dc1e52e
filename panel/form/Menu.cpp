#include "panel/form/Menu.h"

namespace form {

MenuItem* MenuItem::Find(int itemId)
{
    if (id == itemId)
        return this;
    for (MenuItem& item : items)
        if (MenuItem* found = item.Find(itemId))
            return found;
    return nullptr;
}

MenuItem* MenuItem::FindByName(const std::wstring& itemName)
{
    if (name == itemName)
        return this;
    for (MenuItem& item : items)
        if (MenuItem* found = item.FindByName(itemName))
            return found;
    return nullptr;
}

MenuItem MakeMenuItem(int id, std::wstring name, std::wstring caption)
{
    MenuItem item;
    item.id = id;
    item.name = std::move(name);
    item.caption = std::move(caption);
    return item;
}

MenuItem BuildMainPopupMenu()
{
    MenuItem root = MakeMenuItem(0, L"PopupMenu", L"");
    root.items = {
        MakeMenuItem(kLanguageMenuId, L"LanguageMenu", L"Language"),
        MakeMenuItem(kSkinMenuId, L"SkinMenu", L"Skin"),
        MakeMenuItem(kPluginMenuId, L"ModeMenu", L"Plugin"),
        MakeMenuItem(kCloseMenuId, L"CloseMenu", L"Close"),
    };
    return root;
}

} // namespace form
