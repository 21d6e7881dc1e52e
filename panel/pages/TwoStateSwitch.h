#pragma once
// The Up/Down switch of the main window's two-state buttons: flips a state cell and shows the picture
// and the label colour of the new state.

#include "common/ports/FileSystem.h"
#include "panel/form/Form.h"
#include "panel/language/LanguageSetting.h"
#include "panel/skin/SkinSetting.h"

#include <string>

namespace panel {

struct SwitchLook {
    const ports::FileSystem& files;
    const SkinSetting& skin;
    const LanguageSetting& language;
    std::wstring skinFolder;
};

// For a two-state tag: a non-zero cell shows the Up entry and the up colour of the label of the same
// tag and becomes 0; a zero cell shows the Down entry and the down colour and becomes 1. False, and
// nothing changed, for any other tag. To only show a state, pass its opposite in a scratch cell.
bool TwoStateSwitch(form::Form& form, const SwitchLook& look, int tag, int& cell);

// Shows `state` (0 Up, 1 Down) without touching the caller's cell.
void ShowTwoState(form::Form& form, const SwitchLook& look, int tag, int state);

} // namespace panel
