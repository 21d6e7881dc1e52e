#pragma once
// The window host's events, handed to the main form's handlers of the same meaning.

#include "panel/ports/WindowEvents.h"
#include "panel/shell/TonvioMain.h"

namespace shell {

class MainFormEvents final : public ports::WindowEvents {
public:
    explicit MainFormEvents(TAudioMainForm& form) : form_(form) {}

    void OnActivate() override { form_.FormActivate(); }
    void OnRegisteredMessage(std::uint32_t message) override { form_.WndProc(message); }
    void OnSystemMinimize() override { form_.SystemMinimize(); }
    void OnSystemRestore() override { form_.SystemRestore(); }
    void OnMouseDown(int x, int y) override { form_.FormMouseDown(x, y); }
    void OnMouseUp(int x, int y) override { form_.FormMouseUp(x, y); }
    void OnHookedMouse(const ports::HookedMouse& mouse) override { form_.ApplicationMouseHook(mouse); }
    void OnDeviceChange(const ports::DeviceChange& change) override { form_.OnDeviceChange(change); }
    void OnCheckBoxClick(const std::wstring& name) override { form_.OnCheckBoxClick(name); }
    void OnTrayDoubleClick() override { form_.TrayDoubleClick(); }
    void OnTrayRightButtonUp() override { form_.TrayRightButtonUp(); }
    void OnDestroy() override { form_.FormDestroy(); }

private:
    TAudioMainForm& form_;
};

} // namespace shell
