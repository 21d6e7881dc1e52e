#pragma once
// The main window's component set: every control of TAudioMainForm with its class and tag, in creation
// order (the first lies at the bottom). Features add behaviour to these controls; they add no names.
//
// Tags are what the button dispatch and the feature code search by: an image and its label share one,
// a slider's track is its tag + 100 and its lower track its tag + 200. Controls nobody searches by tag
// carry kNoTag.

#include "panel/form/Control.h"
#include "panel/form/Form.h"
#include "panel/form/Tags.h"

#include <cstdint>
#include <span>
#include <string>

namespace form {

struct ComponentEntry {
    const wchar_t* name;
    ControlClass kind;
    int tag;
};

std::span<const ComponentEntry> MainFormComponents();

// The main form with every component in place, all hidden until a skin or a language shows them.
Form BuildMainForm(std::wstring caption);

inline constexpr wchar_t kMainFormName[] = L"AudioMainForm";
// The size the window has before a skin gives it the size of its background picture.
inline constexpr int kDefaultMainFormWidth = 760;
inline constexpr int kDefaultMainFormHeight = 460;
inline constexpr std::uint32_t kDefaultMainFormColour = 0x00302820; // dark slate, 0x00BBGGRR

} // namespace form
