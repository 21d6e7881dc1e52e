#pragma once
// Which "SkinSetting.ini" entry each image control of the main window shows, by the state it is in.

#include "panel/pages/ControlStates.h"
#include "panel/skin/SkinSetting.h"

#include <span>

namespace panel {

enum class LookKind {
    Fixed,       // always the one entry
    Cell,        // Down while its two-state cell is non-zero
    Pressed,     // Down while its button is held
    Page,        // Down while its page is the current one
    Preset,      // Down while its equalizer preset is selected
    Effect,      // Down while its environment effect is selected
    Choice,      // one of several entries, by a state value (see the control)
    Enc,         // Down while noise cancellation is on
    VoiceEffect, // Down while its voice effect is selected
    VoiceOn,     // Down while the voice effect is on
    LedMode,     // Down while its LED effect mode is chosen
    LedOff,      // Down while the LEDs are off
    LedSingle,   // Down while the single colour is on
};

struct SkinnedImage {
    const wchar_t* control;
    const wchar_t* section;
    const wchar_t* up;   // the Up entry, or the only one
    const wchar_t* down; // the Down entry; null for one-entry controls
    LookKind look = LookKind::Fixed;
    int which = 0;                    // the page, preset, effect or mode that shows Down
    int SwitchCells::*cell = nullptr; // LookKind::Cell
    bool ledPageControl = false;      // laid out by the LED page's rule
};

std::span<const SkinnedImage> SkinnedImages();
const SkinnedImage* FindSkinnedImage(std::wstring_view control);

struct ShownEntry {
    const SkinImageEntry* entry = nullptr; // never null
    bool down = false;                     // the control is in its Down (on, selected, held) state
};

// The entry the control shows in `states`.
ShownEntry EntryFor(const SkinSetting& skin, const ControlStates& states, const SkinnedImage& image);

} // namespace panel
