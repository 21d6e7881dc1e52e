#pragma once
// The status area's "LED" button and the LED page's colour shapes.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/LedLighting.h"

namespace panel {

class LedPage final : public PagePresenter {
public:
    LedPage(PageView& view, sound::LedLighting& led) : view_(view), led_(led) {}

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;

    // The LED page replaces the LED dialog when the skin asks for it.
    bool PageEnabled() const { return view_.States().ledPageEnabled; }
    void ShapeMouseDown(int tag) { led_.ShapePressed(tag); }

private:
    void Switch();

    PageView& view_;
    sound::LedLighting& led_;
};

} // namespace panel
