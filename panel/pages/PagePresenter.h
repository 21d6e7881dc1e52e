#pragma once
// One sound feature's controls on the main window: turns their presses and drags into calls of the
// feature's model and shows the model's state in pictures, captions and positions. The main window
// offers each button press, release, click and slider move to every presenter in turn; the presenter
// whose control it is takes it.

#include "panel/form/Control.h"
#include "panel/form/Tags.h"
#include "panel/pages/SliderDrag.h"

namespace panel {

class PagePresenter {
public:
    virtual ~PagePresenter() = default;

    // An image button's press (past the device guard), its release, and its click; true when the
    // button is this presenter's.
    virtual bool ImageMouseDown(form::Tag) { return false; }
    virtual bool ImageMouseUp(form::Tag) { return false; }
    virtual bool ImageClick(form::Tag) { return false; }
    // A click on an image or label without a tag, which its presenter knows by name.
    virtual bool ControlClick(const form::Control&) { return false; }
    // A slider of this drag mode stands at a new place; true when it is this presenter's.
    virtual bool SliderMoved(const form::Control&, DragMode) { return false; }
    // After the device's removal: the controls return to their device-absent look.
    virtual void ShowDeviceAbsent() {}
    // After another skin was applied: its geometry takes effect on the page's sliders and positions.
    virtual void SkinChanged() {}
    // The current page was laid out from the skin: controls whose place follows the feature's state
    // stand where that state puts them.
    virtual void PageLaidOut() {}
};

} // namespace panel
