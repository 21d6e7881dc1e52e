#include "panel/pages/LedPage.h"

#include <algorithm>
#include <optional>

namespace panel {

using form::Tag;
using sound::LedEffect;

namespace {

struct EffectControls {
    LedEffect effect;
    const wchar_t* check;
    const wchar_t* knob;
    const wchar_t* bar;
};
constexpr EffectControls kEffects[] = {
    {LedEffect::Breathe, L"ColorBreatheCheckImage", L"ColorBreatheSliderImage", L"ColorBreatheBarImage"},
    {LedEffect::Rainbow, L"ColorRainbowCheckImage", L"ColorRainbowSliderImage", L"ColorRainbowBarImage"},
    {LedEffect::MultiBreathe, L"ColorPulsatingCheckImage", L"ColorPulsatingSliderImage", L"ColorPulsatingBarImage"},
};

const EffectControls* EffectOfKnob(const std::wstring& name)
{
    const auto* found = std::ranges::find_if(kEffects, [&](const EffectControls& e) { return name == e.knob; });
    return found == std::end(kEffects) ? nullptr : found;
}

constexpr int kPaletteTags = sound::kLedPaletteSlots;

} // namespace

// The "LED" button acts only while it is held: its line goes high on the press and low on the release.
bool LedPage::ImageMouseDown(Tag tag)
{
    if (tag != Tag::Led)
        return false;
    Switch();
    led_.DriveLine(true);
    return true;
}

bool LedPage::ImageMouseUp(Tag tag)
{
    if (tag != Tag::Led)
        return false;
    Switch();
    led_.DriveLine(false);
    view_.Redraw();
    return true;
}

void LedPage::Switch()
{
    int& cell = view_.States().cells.ledOn;
    view_.Switch(Tag::Led, cell);
    led_.SetLineOn(cell);
}

bool LedPage::ControlClick(const form::Control& control)
{
    const std::wstring& name = control.name;
    if (name == L"ColorLEDOffCheckImage")
        led_.ChooseOff();
    else if (name == L"ColorSingleCheckImage")
        led_.ChooseSingleColour();
    else if (const auto* effect = std::ranges::find_if(kEffects, [&](const auto& e) { return name == e.check; });
             effect != std::end(kEffects))
        led_.ChooseEffect(effect->effect);
    else
        return false;
    ShowState();
    return true;
}

void LedPage::SkinChanged()
{
    const SkinSetting& skin = view_.Skin();
    led_.SetPageLook(skin.ledPageMode, skin.ledFastRightSide);
    for (const EffectControls& e : kEffects) {
        const form::Control* bar = view_.Form().Find(e.bar);
        const form::Control* knob = view_.Form().Find(e.knob);
        if (bar != nullptr && knob != nullptr)
            led_.SetSliderTrack(e.effect, {bar->bounds.left, bar->bounds.width, knob->bounds.width});
    }
}

void LedPage::ShapeMouseDown(int tag)
{
    sound::LedShape kind = sound::LedShape::Palette;
    int slot = 0;
    const int firstPalette = form::TagValue(Tag::ColourShape1);
    if (tag == form::TagValue(Tag::ColourBreatheShape))
        kind = sound::LedShape::Breathe;
    else if (tag == form::TagValue(Tag::ColourSingleShape))
        kind = sound::LedShape::Single;
    else if (tag >= firstPalette && tag < firstPalette + kPaletteTags)
        slot = tag - firstPalette + 1;
    else
        return;
    form::Form& form = view_.Form();
    form::Control* shape = form.FindShapeByTag(tag);
    if (shape == nullptr)
        return;
    if (form::Control* previous = form.Find(selectedShape_))
        previous->pen = {0x000000, 1};
    shape->pen = {kLedSelectedOutline, kLedSelectedOutlineWidth};
    selectedShape_ = shape->name;
    view_.Redraw();

    const std::optional<std::uint32_t> colour = view_.ChooseColour(shape->brush.colour);
    if (!led_.ShapeColourChosen(kind, slot, colour))
        return;
    shape->brush.colour = *colour;
    view_.Redraw();
}

void LedPage::KnobDragged(const std::wstring& name, int knobLeftAtPress, int dx)
{
    const EffectControls* effect = EffectOfKnob(name);
    form::Control* knob = view_.Form().Find(name);
    if (effect == nullptr || knob == nullptr)
        return;
    knob->bounds.left = led_.KnobDragged(effect->effect, knobLeftAtPress, dx);
    view_.Redraw();
}

void LedPage::KnobReleased(const std::wstring& name)
{
    if (const EffectControls* effect = EffectOfKnob(name)) {
        led_.KnobReleased(effect->effect);
        ShowState();
    }
}

void LedPage::ApplyPage()
{
    led_.ApplyPage();
    ShowState();
}

void LedPage::ShowState()
{
    const sound::LedPageSettings s = led_.Settings();
    ControlStates& states = view_.States();
    states.ledOff = s.off == 1;
    states.ledSingleColour = s.singleColour == 1;
    states.ledEffectMode = s.effectMode >= 1 && s.effectMode <= sound::kLedEffects
                               ? static_cast<LedEffectMode>(s.effectMode)
                               : LedEffectMode::None;
    view_.LayOutCurrentPage();
    form::Form& form = view_.Form();
    for (std::size_t i = 0; i < std::size(kEffects); ++i) {
        form::Control* knob = form.Find(kEffects[i].knob);
        const form::Control* bar = form.Find(kEffects[i].bar);
        if (knob != nullptr && bar != nullptr)
            knob->bounds.left = std::max(s.knobPositions[i], bar->bounds.left);
    }
    for (int slot = 0; slot < kPaletteTags; ++slot)
        if (form::Control* shape = form.FindShapeByTag(form::TagValue(Tag::ColourShape1) + slot))
            shape->brush.colour = s.palette[static_cast<std::size_t>(slot)];
    if (form::Control* shape = form.FindShapeByTag(form::TagValue(Tag::ColourBreatheShape)))
        shape->brush.colour = s.breatheColourRgb;
    if (form::Control* shape = form.FindShapeByTag(form::TagValue(Tag::ColourSingleShape)))
        shape->brush.colour = s.singleColourRgb;
    view_.Redraw();
}

} // namespace panel
