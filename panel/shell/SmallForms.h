#pragma once
// The panel's two secondary forms, created after the main window. Their contents come with the about box
// and the LED dialog; the shell only needs them to exist, and the main window needs to know whether the
// LED dialog is open (drags and window moves wait while it is).

#include "panel/form/Form.h"

namespace shell {

class TAboutForm {
public:
    TAboutForm() : form_(L"AboutForm", L"", 320, 200, 0x00F0F0F0) {}
    form::Form& Form() { return form_; }

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
