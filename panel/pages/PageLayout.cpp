#include "panel/pages/PageLayout.h"

#include "panel/pages/LabelBindings.h"
#include "panel/pages/PageTabs.h"
#include "panel/pages/SkinnedImages.h"
#include "panel/skin/PictureSize.h"
#include "panel/skin/SkinSwatches.h"

#include <cmath>
#include <utility>

namespace panel {

namespace {

constexpr int kLedPage = kPageLed;
constexpr int kVirtualPage = kPageVirtual7p1;

bool OnPage(int entryPage, int page)
{
    return entryPage == page || entryPage == kPageMain;
}

// The page the LED controls are laid out for.
int LedControlsPage(const ControlStates& states, int page)
{
    return page == kLedPage && states.ledPageEnabled ? kLedPage : kPageEq;
}

void SetPicture(const ports::FileSystem& files, form::Control& control, const std::wstring& path)
{
    if (control.picture.file == path)
        return;
    control.picture = {path, 0, 0};
    if (const auto size = ReadPictureSize(files, path)) {
        control.picture.width = size->width;
        control.picture.height = size->height;
        if (control.autoSize) {
            control.bounds.width = size->width;
            control.bounds.height = size->height;
        }
    }
}

// Skin entries and label records alike may give any of the four; what they leave out stays.
template <typename Given> void ApplyGivenBounds(const Given& given, form::Bounds& bounds)
{
    for (const auto& [value, field] :
         {std::pair{&given.left, &bounds.left}, std::pair{&given.top, &bounds.top},
          std::pair{&given.width, &bounds.width}, std::pair{&given.height, &bounds.height}})
        if (value->given)
            *field = value->value;
}

} // namespace

void ShowSkinEntry(const ports::FileSystem& files, const SkinImageEntry& entry, form::Control& control,
                   const std::wstring& skinFolder)
{
    if (entry.Absent()) {
        control.visible = false;
        return;
    }
    control.visible = true;
    control.autoSize = false;
    SetPicture(files, control, skinFolder + entry.fileName);
    ApplyGivenBounds(entry, control.bounds);
    if (!entry.width.given && !entry.height.given) {
        control.autoSize = true;
        control.bounds.width = control.picture.width;
        control.bounds.height = control.picture.height;
    }
}

void ApplyLabelColour(const LabelRecord& record, form::Control& control, bool up, const GlobalFont& font)
{
    const GivenValue<std::uint32_t>& colour = up ? record.upColour : record.downColour;
    const std::uint32_t globalColour = up ? font.upColour : font.downColour;
    if (colour.given)
        control.font.colour = colour.value;
    else if (globalColour != 0)
        control.font.colour = globalColour;
}

double FontScale(int pixelsPerInch, int osKind)
{
    const bool designed = osKind == 6;
    switch (pixelsPerInch) {
    case 96:
        return designed ? 1.0 : 0.9;
    case 120:
        return designed ? 0.8 : 0.72;
    case 144:
        return 0.6664;
    default:
        // Other densities shrink in proportion, as the three known ones do.
        return pixelsPerInch > 0 ? 96.0 / pixelsPerInch * (designed ? 1.0 : 0.9) : 1.0;
    }
}

void ApplyLabel(const LabelRecord& record, form::Control& control, bool up, const GlobalFont& font, double fontScale)
{
    ApplyLabel(record, record, control, up, font, fontScale);
}

const LabelRecord& LabelColours(const LanguageSetting& language, std::wstring_view key, int tag)
{
    return PageOfTab(tag) ? language.Label(L"LabelPageEQ") : language.Label(key);
}

void ApplyLabel(const LabelRecord& record, const LabelRecord& colours, form::Control& control, bool up,
                const GlobalFont& font, double fontScale)
{
    if (record.Visible()) {
        control.visible = true;
        control.caption = record.text;
    } else {
        control.visible = false;
    }

    ApplyLabelColour(colours, control, up, font);

    if (record.fontName.given)
        control.font.face = record.fontName.value;
    else if (!font.faceName.empty())
        control.font.face = font.faceName;

    const int size = record.fontSize.given ? record.fontSize.value : font.size;
    if (record.fontSize.given || font.size != -1)
        control.font.size = static_cast<int>(std::lround(size * fontScale));

    ApplyGivenBounds(record, control.bounds);
}

bool LabelDown(const form::Form& form, const SkinSetting& skin, const ControlStates& states, int tag)
{
    if (tag == form::kNoTag)
        return false;
    if (const auto page = PageOfTab(tag))
        return states.page == *page;
    for (auto control = form.Controls().rbegin(); control != form.Controls().rend(); ++control) {
        if (control->kind != form::ControlClass::Image || control->tag != tag)
            continue;
        const SkinnedImage* image = FindSkinnedImage(control->name);
        return image != nullptr && EntryFor(skin, states, *image).down;
    }
    return false;
}

void LayOutPage(form::Form& form, const PageLayoutInputs& inputs, int page)
{
    const int ledPage = LedControlsPage(inputs.states, page);
    for (const SkinnedImage& image : SkinnedImages()) {
        form::Control* control = form.Find(image.control);
        if (control == nullptr)
            continue;
        const SkinImageEntry& entry = *EntryFor(inputs.skin, inputs.states, image).entry;
        const bool shown = !entry.Absent() && OnPage(entry.page, image.ledPageControl ? ledPage : page);
        if (shown)
            SetPicture(inputs.files, *control, inputs.skinFolder + entry.fileName);
        control->visible = shown;
    }

    for (const LabelBinding& binding : LabelBindings()) {
        form::Control* control = form.Find(binding.control);
        if (control == nullptr)
            continue;
        const LabelRecord& record = inputs.language.Label(binding.key);
        const bool down = LabelDown(form, inputs.skin, inputs.states, control->tag);
        ApplyLabelColour(LabelColours(inputs.language, binding.key, control->tag), *control, !down,
                         inputs.language.font);
        control->visible = record.Visible() && OnPage(record.page, binding.ledPageControl ? ledPage : page);
    }

    // The palette lies on the LED page; it carries no skin entry of its own.
    for (const SkinSwatchDefault& swatch : SkinSwatchDefaults())
        if (form::Control* control = form.Find(swatch.name))
            control->visible = ledPage == kLedPage;

    if (form::Control* bee = form.Find(L"BeeCheckBox"))
        bee->visible = page == kVirtualPage && inputs.beeCheckBox;
}

} // namespace panel
