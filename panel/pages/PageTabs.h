#pragma once
// The page tabs of the main window: the tag of each tab's image and label, and the page it selects.

#include <optional>

namespace panel {

// The page a tab selects; nothing for a tag that is no tab.
std::optional<int> PageOfTab(int tag);

inline constexpr int kLedPageTab = 228;

} // namespace panel
