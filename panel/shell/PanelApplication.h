#pragma once
// The panel's forms, created in their order: the main window first (its construction does the panel's
// start-up), then the about box and the LED dialog.

#include "panel/shell/SmallForms.h"
#include "panel/shell/TonvioMain.h"

namespace shell {

class PanelApplication {
public:
    PanelApplication(const ports::Platform& platform, const ports::WindowPorts& window, const PanelDevices& devices,
                     StartContext context)
        : mainForm_(platform, window, devices, std::move(context))
    {
        mainForm_.SetLedForm(ledForm_);
        mainForm_.SetAboutForm(aboutForm_);
    }

    TAudioMainForm& MainForm() { return mainForm_; }
    TAboutForm& AboutForm() { return aboutForm_; }
    TLEDForm& LedForm() { return ledForm_; }

private:
    TAudioMainForm mainForm_;
    TAboutForm aboutForm_;
    TLEDForm ledForm_;
};

} // namespace shell
