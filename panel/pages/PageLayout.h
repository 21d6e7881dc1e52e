#pragma once
// How the skin and the language are put on the main window's controls: one skin entry on one image,
// one label record on one label, and the lay-out of a page, which shows each control in its present
// state and only where it belongs.

#include "common/ports/FileSystem.h"
#include "panel/form/Form.h"
#include "panel/language/LanguageSetting.h"
#include "panel/pages/ControlStates.h"
#include "panel/skin/SkinSetting.h"

#include <string>
#include <string_view>

namespace panel {

// Shows the entry on the control: hidden when absent, else its picture from `skinFolder` (read for its
// size, so that an auto-sized control takes it at once), its position where given and its size where
// given; with neither width nor height the control sizes itself to the picture.
void ShowSkinEntry(const ports::FileSystem& files, const SkinImageEntry& entry, form::Control& control,
                   const std::wstring& skinFolder);

// How much smaller than their design size fonts are drawn on a screen of this density: the skins'
// pictures do not grow with it, the fonts would. `osKind` 6 draws fonts as designed at 96 ppi.
double FontScale(int pixelsPerInch, int osKind);

// The colour of the up or down state: the record's when given, else the global one when not 0, else
// the control keeps its own.
void ApplyLabelColour(const LabelRecord& record, form::Control& control, bool up, const GlobalFont& font);

// The record's text, colour (of the up or down state), face, scaled size and bounds, each where given,
// the global font standing in for what the record leaves out. The second form takes the colours from
// `colours` instead.
void ApplyLabel(const LabelRecord& record, form::Control& control, bool up, const GlobalFont& font, double fontScale);
void ApplyLabel(const LabelRecord& record, const LabelRecord& colours, form::Control& control, bool up,
                const GlobalFont& font, double fontScale);

// The record whose up and down colours the label of this key and tag takes: the page tabs all take the
// first tab's ("LabelPageEQ"), so that the row of tabs reads as one; every other label its own.
const LabelRecord& LabelColours(const LanguageSetting& language, std::wstring_view key, int tag);

struct PageLayoutInputs {
    const ports::FileSystem& files;
    const SkinSetting& skin;
    const LanguageSetting& language;
    const ControlStates& states;
    std::wstring skinFolder;
    double fontScale = 1.0;
    bool beeCheckBox = false; // "Bee" of [Version]: the test-sound check box is offered
};

// Whether a label of that tag shows its down colour: its image of the same tag is on, selected or held.
bool LabelDown(const form::Form& form, const SkinSetting& skin, const ControlStates& states, int tag);

// Shows every skin-driven image with its present entry and every language-driven label with its record,
// each visible only when it has something to show on page `page` (its own page or 0). The LED page's
// controls follow the LED page when it is in use and shown, else page 1; the test-sound check box shows
// on the virtual 7.1 page when offered. Positions stay as they are: sliders keep their places.
void LayOutPage(form::Form& form, const PageLayoutInputs& inputs, int page);

} // namespace panel
