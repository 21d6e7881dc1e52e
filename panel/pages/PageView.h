#pragma once
// What a page presenter draws on: the main window's controls and the states that pick their pictures,
// dressed by the skin and the language in use. The main window implements it.

#include "panel/form/Form.h"
#include "panel/form/Tags.h"
#include "panel/language/LanguageSetting.h"
#include "panel/pages/ControlStates.h"
#include "panel/pages/TwoStateSwitch.h"
#include "panel/ports/Dialogs.h"
#include "panel/skin/SkinSetting.h"

#include <cstdint>
#include <optional>

namespace panel {

class PageView {
public:
    virtual ~PageView() = default;

    virtual form::Form& Form() = 0;
    virtual ControlStates& States() = 0;
    virtual const SkinSetting& Skin() const = 0;
    virtual const LanguageSetting& Language() const = 0;
    virtual SwitchLook Look() const = 0;
    virtual bool DeviceActive() const = 0;

    // Shows every control of the current page in its present state, and draws.
    virtual void LayOutCurrentPage() = 0;
    virtual void Redraw() = 0;
    // A held button shows its Down picture (and its label the down colour) until it is released.
    virtual void ShowPressed(form::Tag tag, bool pressed) = 0;
    // The message box of a language key, with the application title and the exclamation icon.
    virtual void ShowWarning(const wchar_t* labelKey) = 0;
    // A message box of the program's own text, with the application title and the exclamation icon.
    virtual void ShowMessage(const std::wstring& text) = 0;
    virtual ports::FileDialogs& FileDialogs() = 0;
    virtual void EnableTimer(const wchar_t* name, bool enabled) = 0;
    // The system's colour chooser, starting at `initial` (0x00BBGGRR); none when it was cancelled.
    virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t /*initial*/) { return std::nullopt; }

    // The image or label of a tag; null when the component set has none.
    form::Control* Image(form::Tag tag) { return Form().FindImageByTag(form::TagValue(tag)); }
    form::Control* Label(form::Tag tag) { return Form().FindLabelByTag(form::TagValue(tag)); }
    // Flips a two-state button's cell and shows its new picture.
    void Switch(form::Tag tag, int& cell) { TwoStateSwitch(Form(), Look(), form::TagValue(tag), cell); }
    // Shows a two-state button in `state` (0 Up, 1 Down) and keeps it in `cell`.
    void ShowSwitch(form::Tag tag, int& cell, int state)
    {
        cell = state != 0 ? 1 : 0;
        ShowTwoState(Form(), Look(), form::TagValue(tag), cell);
    }
};

} // namespace panel
