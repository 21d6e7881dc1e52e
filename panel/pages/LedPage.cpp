#include "panel/pages/LedPage.h"

namespace panel {

using form::Tag;

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

} // namespace panel
