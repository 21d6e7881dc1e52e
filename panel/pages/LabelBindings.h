#pragma once
// Which "Language.ini" label key feeds which label of the main window.

#include <span>
#include <string_view>

namespace panel {

struct LabelBinding {
    const wchar_t* control;
    const wchar_t* key;
    bool ledPageControl = false; // laid out by the LED page's rule
};

// Labels whose text comes straight from their key. The device-state label, the preset label and the
// keys that feed menus, messages and the about box are handled where they are used.
std::span<const LabelBinding> LabelBindings();
const LabelBinding* FindLabelBinding(std::wstring_view control);

} // namespace panel
