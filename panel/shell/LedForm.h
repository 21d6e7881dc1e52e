#pragma once
// The LED dialog `TLEDForm`: LED number, master or slave path, brightness, the seven modes with their
// speed track bars and colour shapes, and the seven-colour palette. It turns the window's events into
// the LED dialog model's operations and keeps the controls' state for the next showing (the window's
// controls live only while it is open).

#include "panel/ports/Dialogs.h"
#include "panel/ports/LedDialogWindow.h"
#include "sound/LedDialogControl.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace shell {

inline constexpr std::uint32_t kLedDialogSelectedOutline = 0xF0CAA6;
inline constexpr int kLedDialogSelectedOutlineWidth = 2;

class TLEDForm final : private ports::LedDialogEvents {
public:
    // The model and the colour chooser (the main window lends both), then the window that shows it.
    void Bind(sound::LedDialogControl& model, ports::ColourDialog& colours)
    {
        model_ = &model;
        colours_ = &colours;
    }
    void SetWindow(ports::LedDialogWindow& window) { window_ = &window; }

    bool DialogOpen() const { return model_ != nullptr && model_->Open(); }
    // Shows the dialog modally; returns when it is closed. Nothing happens before Bind and SetWindow.
    void ShowModal();

    static ports::LedDialogLayout Layout();
    static std::span<const ports::LedDialogItem> Items();

private:
    void Shown() override;
    void Clicked(const std::wstring& name) override;
    void TrackBarMoved(const std::wstring& name, int position) override;
    void Closing() override;

    void ShowShape(const std::wstring& name, std::uint32_t fill, bool selected);
    void CheckModeRadio(int mode);
    void ModeShapeClicked(int tag, const std::wstring& name);

    sound::LedDialogControl* model_ = nullptr;
    ports::ColourDialog* colours_ = nullptr;
    ports::LedDialogWindow* window_ = nullptr;
    std::array<std::uint32_t, sound::kLedDialogSlots + 1> palette_{};   // slots 1 to 7
    std::array<std::uint32_t, 3> modeColours_{};                        // tags 102 to 104
    std::array<int, sound::kLedLastMode + 1> positions_{1, 1, 1, 1, 1, 1, 1, 1}; // track bars 3 to 7
    int brightness_ = 6;
    std::wstring ledRadio_ = L"RadioButtonAllLED";
    std::wstring pathRadio_ = L"RadioButtonMaster";
};

} // namespace shell
