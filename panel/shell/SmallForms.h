#pragma once
// The panel's two secondary forms, created after the main window: the about box, whose texts and logo
// the language and the skin fill before every showing, and the LED dialog, whose contents come with the
// LED lighting (the main window only needs to know whether it is open: drags and window moves wait
// while it is).

#include "panel/form/Form.h"

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

class TLEDForm {
public:
    TLEDForm() : form_(L"LEDForm", L"", 480, 360, 0x00F0F0F0) {}
    form::Form& Form() { return form_; }
    bool DialogOpen() const { return dialogOpen_; }

private:
    form::Form form_;
    bool dialogOpen_ = false;
};

} // namespace shell
