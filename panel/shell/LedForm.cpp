#include "panel/shell/LedForm.h"

#include <algorithm>
#include <iterator>

namespace shell {

namespace {

using ports::LedDialogItem;
using Kind = ports::LedDialogItemKind;

constexpr int kRadioLeft = 20;
constexpr int kFirstModeTop = 172;
constexpr int kModeRow = 30;
constexpr int kTrackBarOffset = 96;  // a speed track bar stands this far right of its radio button
constexpr int kModeShapeOffset = 360; // and a colour shape this far

constexpr int ModeTop(int mode)
{
    return kFirstModeTop + (mode - 1) * kModeRow;
}

constexpr LedDialogItem Radio(const wchar_t* name, const wchar_t* caption, int tag, form::Bounds bounds,
                              bool startsGroup = false)
{
    return {name, Kind::Radio, caption, tag, bounds, startsGroup};
}
constexpr LedDialogItem ModeRadio(const wchar_t* name, const wchar_t* caption, int mode)
{
    return Radio(name, caption, mode, {kRadioLeft, ModeTop(mode), 92, 22}, mode == 1);
}
constexpr LedDialogItem SpeedBar(const wchar_t* name, int mode)
{
    return {name, Kind::TrackBar, L"", mode, {kRadioLeft + kTrackBarOffset, ModeTop(mode), 250, 26}, false, 1, 255, 1};
}
constexpr LedDialogItem ModeShape(const wchar_t* name, int mode)
{
    return {name, Kind::Shape, L"", mode + sound::kLedModeShapeOffset,
            {kRadioLeft + kModeShapeOffset, ModeTop(mode), 40, 22}};
}
constexpr LedDialogItem PaletteShape(const wchar_t* name, int slot)
{
    return {name, Kind::Shape, L"", slot, {20 + (slot - 1) * 44, 32, 36, 28}};
}

constexpr LedDialogItem kItems[] = {
    {L"GroupBoxColor", Kind::Group, L"Color set", 0, {8, 8, 484, 66}},
    PaletteShape(L"Shape1", 1),
    PaletteShape(L"Shape2", 2),
    PaletteShape(L"Shape3", 3),
    PaletteShape(L"Shape4", 4),
    PaletteShape(L"Shape5", 5),
    PaletteShape(L"Shape6", 6),
    PaletteShape(L"Shape7", 7),
    {L"ButtonSetColor", Kind::Button, L"Select Color", 0, {338, 32, 140, 28}},
    {L"GroupBoxBrightness", Kind::Group, L"Brightness", 0, {8, 82, 484, 60}},
    {L"TrackBarBrightness", Kind::TrackBar, L"", 0, {20, 104, 250, 28}, false, 1, 6, 6},
    {L"GroupBoxEffect", Kind::Group, L"Effect setting", 0, {8, 150, 484, 226}},
    ModeRadio(L"RadioButtonOff", L"LED Off", 1),
    ModeRadio(L"RadioButtonOn", L"Single color", 2),
    ModeRadio(L"RadioButtonBlinking", L"Blinking", 3),
    ModeRadio(L"RadioButtonBreathe", L"Breathe", 4),
    ModeRadio(L"RadioButtonRainbow", L"Rainbow", 5),
    ModeRadio(L"RadioButtonMultiBreathe", L"Multi Breathe", 6),
    ModeRadio(L"RadioButtonSingleRandom", L"Single Random", 7),
    SpeedBar(L"TrackBarBlinking", 3),
    SpeedBar(L"TrackBarBreathe", 4),
    SpeedBar(L"TrackBarRainbow", 5),
    SpeedBar(L"TrackBarMultiBreathe", 6),
    SpeedBar(L"TrackBarSingleRandom", 7),
    ModeShape(L"ShapeSingleColor", 2),
    ModeShape(L"ShapeBlinkingColor", 3),
    ModeShape(L"ShapeBreatheColor", 4),
    {L"GroupBoxLEDNumber", Kind::Group, L"LED Number", 0, {8, 384, 238, 52}},
    Radio(L"RadioButtonLED1", L"LED1", 1, {20, 406, 64, 22}, true),
    Radio(L"RadioButtonLED2", L"LED2", 2, {90, 406, 64, 22}),
    Radio(L"RadioButtonAllLED", L"LED All", 0, {160, 406, 76, 22}),
    {L"GroupBoxMasterSlave", Kind::Group, L"Master / Slave", 0, {254, 384, 238, 52}},
    Radio(L"RadioButtonMaster", L"Master", 0, {266, 406, 90, 22}, true),
    Radio(L"RadioButtonSlave", L"Slave", 0, {370, 406, 90, 22}),
    {L"ButtonClose", Kind::Button, L"Close", 0, {392, 446, 100, 28}},
};

constexpr const wchar_t* kModeRadios[] = {L"RadioButtonOff",     L"RadioButtonOn",           L"RadioButtonBlinking",
                                          L"RadioButtonBreathe", L"RadioButtonRainbow",      L"RadioButtonMultiBreathe",
                                          L"RadioButtonSingleRandom"};

const LedDialogItem* Find(const std::wstring& name)
{
    const auto* item = std::ranges::find_if(kItems, [&](const LedDialogItem& i) { return name == i.name; });
    return item == std::end(kItems) ? nullptr : item;
}

const LedDialogItem* FindByKindAndTag(Kind kind, int tag)
{
    const auto* item = std::ranges::find_if(kItems, [&](const LedDialogItem& i) { return i.kind == kind && i.tag == tag; });
    return item == std::end(kItems) ? nullptr : item;
}

std::wstring PaletteShapeName(int slot)
{
    return L"Shape" + std::to_wstring(slot);
}

bool IsPaletteShape(const LedDialogItem& item)
{
    return item.kind == Kind::Shape && item.tag >= 1 && item.tag <= sound::kLedDialogSlots;
}

} // namespace

ports::LedDialogLayout TLEDForm::Layout()
{
    return {L"LED", 500, 484, 0x00F0F0F0, Items()};
}

std::span<const ports::LedDialogItem> TLEDForm::Items()
{
    return kItems;
}

void TLEDForm::ShowModal()
{
    if (model_ == nullptr || colours_ == nullptr || window_ == nullptr || model_->Open())
        return;
    window_->ShowModal(Layout(), *this);
    // However the window went, the dialog is closed and its thread has ended.
    if (model_->Open())
        model_->Close();
}

void TLEDForm::ShowShape(const std::wstring& name, std::uint32_t fill, bool selected)
{
    if (selected)
        window_->SetShapeLook(name, fill, kLedDialogSelectedOutline, kLedDialogSelectedOutlineWidth);
    else
        window_->SetShapeLook(name, fill, 0x000000, 1);
}

void TLEDForm::CheckModeRadio(int mode)
{
    for (int m = 1; m <= sound::kLedLastMode; ++m)
        window_->SetChecked(kModeRadios[m - 1], m == mode);
}

void TLEDForm::Shown()
{
    model_->Show();
    for (int slot = 1; slot <= sound::kLedDialogSlots; ++slot)
        ShowShape(PaletteShapeName(slot), palette_[static_cast<std::size_t>(slot)], slot == model_->SelectedSlot());
    for (std::size_t i = 0; i < modeColours_.size(); ++i) {
        const int tag = sound::kLedModeSingleColour + static_cast<int>(i) + sound::kLedModeShapeOffset;
        window_->SetShapeLook(FindByKindAndTag(Kind::Shape, tag)->name, modeColours_[i], 0x000000, 1);
    }
    // Each speed track bar and colour shape stands beside its mode's radio button.
    for (int mode = 1; mode <= sound::kLedLastMode; ++mode) {
        const form::Bounds radio = Find(kModeRadios[mode - 1])->bounds;
        if (const LedDialogItem* bar = FindByKindAndTag(Kind::TrackBar, mode)) {
            window_->MoveControl(bar->name, radio.left + kTrackBarOffset, radio.top);
            window_->SetTrackBarPosition(bar->name, positions_[static_cast<std::size_t>(mode)]);
        }
        if (const LedDialogItem* shape = FindByKindAndTag(Kind::Shape, mode + sound::kLedModeShapeOffset))
            window_->MoveControl(shape->name, radio.left + kModeShapeOffset, radio.top);
    }
    window_->SetTrackBarPosition(L"TrackBarBrightness", brightness_);
    CheckModeRadio(model_->CurrentMode());
    window_->SetChecked(ledRadio_, true);
    window_->SetChecked(pathRadio_, true);
}

void TLEDForm::Clicked(const std::wstring& name)
{
    const LedDialogItem* item = Find(name);
    if (item == nullptr)
        return;
    if (IsPaletteShape(*item)) {
        const int previous = model_->SelectSlot(item->tag);
        ShowShape(PaletteShapeName(previous), palette_[static_cast<std::size_t>(previous)], false);
        ShowShape(name, palette_[static_cast<std::size_t>(item->tag)], true);
    } else if (item->kind == Kind::Shape) {
        ModeShapeClicked(item->tag, name);
    } else if (name == L"ButtonSetColor") {
        const int slot = model_->SelectedSlot();
        auto& fill = palette_[static_cast<std::size_t>(slot)];
        if (const auto colour = colours_->Choose(fill)) {
            fill = *colour;
            ShowShape(PaletteShapeName(slot), fill, true);
            model_->SlotColourChosen(*colour);
        }
    } else if (name == L"ButtonClose") {
        window_->Close();
    } else if (name == L"RadioButtonLED1" || name == L"RadioButtonLED2" || name == L"RadioButtonAllLED") {
        ledRadio_ = name;
        model_->SetLedNumber(item->tag);
    } else if (name == L"RadioButtonMaster" || name == L"RadioButtonSlave") {
        pathRadio_ = name;
        model_->SetMaster(name == L"RadioButtonMaster");
    } else if (name == L"RadioButtonOff") {
        model_->OffPressed();
    } else if (item->kind == Kind::Radio) {
        model_->ModePressed(item->tag, positions_[static_cast<std::size_t>(item->tag)]);
    }
}

void TLEDForm::ModeShapeClicked(int tag, const std::wstring& name)
{
    auto& fill = modeColours_[static_cast<std::size_t>(tag - sound::kLedModeShapeOffset - sound::kLedModeSingleColour)];
    const auto colour = colours_->Choose(fill);
    const int mode = model_->ColourShapePressed(tag, colour);
    if (!colour)
        return;
    fill = *colour;
    window_->SetShapeLook(name, fill, 0x000000, 1);
    CheckModeRadio(mode);
}

void TLEDForm::TrackBarMoved(const std::wstring& name, int position)
{
    const LedDialogItem* item = Find(name);
    if (item == nullptr || item->kind != Kind::TrackBar)
        return;
    if (name == L"TrackBarBrightness") {
        brightness_ = position;
        model_->BrightnessChanged(position);
        return;
    }
    positions_[static_cast<std::size_t>(item->tag)] = position;
    model_->TrackBarChanged(item->tag, position);
}

void TLEDForm::Closing()
{
    model_->Close();
}

} // namespace shell
