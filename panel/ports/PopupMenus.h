#pragma once
// Pop-up menus: the shell shows a menu tree at the cursor and tells which item was chosen.

#include "panel/form/Menu.h"

#include <optional>

namespace ports {

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // Shows the visible items of `menu` at the cursor and waits; the id of the chosen item, or nothing
    // when the menu was dismissed.
    virtual std::optional<int> ShowAtCursor(const form::MenuItem& menu) = 0;
};

} // namespace ports
