#pragma once
// The panel's two secondary forms, created after the main window: the about box, whose texts and logo
// the language and the skin fill before every showing, and the LED dialog (panel/shell/LedForm.h; the
// main window also needs to know whether it is open: drags and window moves wait while it is).

#include "panel/form/Form.h"
#include "panel/shell/LedForm.h"

#include <cstdint>
#include <optional>

namespace shell {

class TAboutForm {
public:
    TAboutForm();
    form::Form& Form() { return form_; }
    const form::Form& Form() const { return form_; }
    // The skin's about-box colour; without one the box takes the system's dialog colour.
    void TakeSkinColour(std::optional<std::uint32_t> colour)
    {
        form_.SetColour(colour.value_or(form::kSystemDialogColour));
    }

private:
    form::Form form_;
};

} // namespace shell
