#pragma once
// Shows a small form of the panel (the about box) as a modal dialog over the main window, drawn from
// its model like the main window. Returns when the user closes it.

#include "panel/form/Form.h"

#include <functional>

namespace ports {

class ModalForms {
public:
    virtual ~ModalForms() = default;
    // `click` hears every click on one of the form's controls while the dialog is open.
    virtual void ShowModal(form::Form& form, const std::function<void(const form::Control&)>& click) = 0;
};

} // namespace ports
