#pragma once
// The status area's "LED" button and the main window's LED page: the five check images, the colour
// shapes with their outlines and the colour dialog, and the three speed sliders.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/LedLighting.h"

#include <string>

namespace panel {

// The outline of the shape chosen last, and of every other shape.
inline constexpr std::uint32_t kLedSelectedOutline = 0xF0CAA6;
inline constexpr int kLedSelectedOutlineWidth = 3;

class LedPage final : public PagePresenter {
public:
    LedPage(PageView& view, sound::LedLighting& led) : view_(view), led_(led) {}

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;
    bool ControlClick(const form::Control& control) override;
    void SkinChanged() override;

    // The LED page replaces the LED dialog when the skin asks for it.
    bool PageEnabled() const { return view_.States().ledPageEnabled; }
    void ShapeMouseDown(int tag);
    // A speed slider's knob dragged `dx` pixels from its place at the press; `name` is the knob's.
    void KnobDragged(const std::wstring& name, int knobLeftAtPress, int dx);
    void KnobReleased(const std::wstring& name);
    // The LED tab with the page in use, and after a profile read: the model's state to the controller
    // and to the page.
    void ApplyPage();
    // The pictures, knobs and colours of the model's state.
    void ShowState();

private:
    void Switch();

    PageView& view_;
    sound::LedLighting& led_;
    std::wstring selectedShape_ = L"Color01Shape";
};

} // namespace panel
