#include "panel/pages/TwoStateSwitch.h"

#include "panel/pages/PageLayout.h"
#include "panel/pages/SkinnedImages.h"

#include <algorithm>

namespace panel {

namespace {

struct TwoStateButton {
    int tag;
    const wchar_t* image;
    const wchar_t* labelKey; // whose colours the label of the same tag takes; null: no colour change
};

// The 3D switches take the equalizer's label colours, as every shipped language file expects.
constexpr TwoStateButton kTwoStateButtons[] = {
    {7, L"EQEQENImage", L"LabelEQEnable"},
    {8, L"EQ3DENImage", L"LableEQ3DEnable"},
    {13, L"D3FBMImage", L"LabelEQEnable"},
    {21, L"MicBoostImage", L"LabelMicBoost"},
    {22, L"MicMuteImage", L"LabelMicMute"},
    {47, L"VirtualEnableImage", L"Label7ch1Enable"},
    {49, L"VirtualClockwiseImage", L"LabelVirtualClockwise"},
    {50, L"VirtualCounterclockwiseImage", L"LabelVirtualCounterclockwise"},
    {51, L"LEDImage", nullptr},
    {52, L"VirtualNarrowImage", L"LabelVirtualNarrow"},
    {53, L"VirtualEnlargeImage", L"LabelVirtualEnlarge"},
    {54, L"DeviceInImage", L"DeviceInLabel"},
    {55, L"DeviceOutImage", L"DeviceOutLabel"},
    {89, L"MicMonitorImage", L"LabelMicMonitor"},
};

} // namespace

bool TwoStateSwitch(form::Form& form, const SwitchLook& look, int tag, int& cell)
{
    const auto button = std::ranges::find(kTwoStateButtons, tag, &TwoStateButton::tag);
    if (button == std::end(kTwoStateButtons))
        return false;
    const SkinnedImage& image = *FindSkinnedImage(button->image);
    const bool up = cell != 0;
    if (form::Control* control = form.Find(image.control))
        ShowSkinEntry(look.files, look.skin.Image(image.section, up ? image.up : image.down), *control,
                      look.skinFolder);
    if (button->labelKey != nullptr)
        if (form::Control* label = form.FindLabelByTag(tag))
            ApplyLabelColour(look.language.Label(button->labelKey), *label, up, look.language.font);
    cell = up ? 0 : 1;
    return true;
}

void ShowTwoState(form::Form& form, const SwitchLook& look, int tag, int state)
{
    int scratch = state == 0 ? 1 : 0;
    TwoStateSwitch(form, look, tag, scratch);
}

} // namespace panel
