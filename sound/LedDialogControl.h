#pragma once
// The LED dialog's model: LED number, master or slave path, brightness, the seven modes with their
// speeds and the seven-colour palette. Its commands go to the LED controller with the time 500, on the
// path chosen at the moment of sending. While the dialog is open the worker thread "LEDCommandThread"
// re-sends the current mode whenever a speed changes; it ends when the dialog closes. The fields that
// thread reads are shared under one lock.

#include "sound/FeatureDevice.h"
#include "sound/LedCommands.h"
#include "sound/LedWorker.h"

#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

namespace sound {

inline constexpr std::chrono::milliseconds kLedCommandPause{500};
inline constexpr int kLedDialogSlots = 7;
// The radio buttons' tags: 1 "LED Off", 2 "Single color", 3 to 7 the effects with a speed track bar.
inline constexpr int kLedFirstSpeedMode = kLedModeBlinking;
inline constexpr int kLedLastMode = kLedModeSingleRandom;
// The colour shapes beside "Single color", "Blinking" and "Breathe" carry the mode's tag + 100.
inline constexpr int kLedModeShapeOffset = 100;

class LedDialogControl {
public:
    explicit LedDialogControl(const FeatureDevice& device, std::chrono::milliseconds commandPause = kLedCommandPause)
        : device_(device), commandPause_(commandPause)
    {
    }
    ~LedDialogControl();
    LedDialogControl(const LedDialogControl&) = delete;
    LedDialogControl& operator=(const LedDialogControl&) = delete;

    bool Open() const { return open_; }
    int SelectedSlot() const { return selectedSlot_; }
    int CurrentMode() const;
    int LedNumber() const;
    bool Master() const;
    int Speed(int mode) const;
    bool CommandThreadRunning() const { return commandWorker_ != nullptr; }

    // Showing: slot 1 and mode 1 selected, the command thread started, the step value sent.
    void Show();
    // Closing: the command thread ends; speeds, positions and the LED number stay for the next showing.
    void Close();

    // A palette shape (1 to 7); returns the slot selected before.
    int SelectSlot(int slot);
    // "Select Color" answered with OK: the selected slot's colour is sent.
    void SlotColourChosen(std::uint32_t colour);
    void SetLedNumber(int led);       // 0 all, 1, 2
    void SetMaster(bool master);      // "Master" checked
    void BrightnessChanged(int level); // 1 to 6
    void OffPressed();
    // "Single color" (2) or an effect (3 to 7) pressed, its track bar at `position`.
    void ModePressed(int tag, int position);
    // An effect's track bar (tag 3 to 7) moved: only the current mode's speed changes and is re-sent.
    void TrackBarChanged(int tag, int position);
    // A colour shape beside a radio button (tag 102 to 104): the mode changes even when the colour
    // dialog is cancelled; a chosen colour is sent and the mode re-sent. Returns the mode.
    int ColourShapePressed(int tag, std::optional<std::uint32_t> colour);

private:
    LedCommands Commands() const;
    void CommandWake();

    const FeatureDevice& device_;
    const std::chrono::milliseconds commandPause_;
    bool open_ = false;
    int selectedSlot_ = 1;

    // Shared with the command thread.
    mutable std::mutex lock_;
    int currentMode_ = kLedModePower;
    int ledNumber_ = 0;
    bool master_ = true;
    std::array<int, kLedLastMode + 1> speeds_{1, 1, 1, 1, 1, 1, 1, 1};

    std::unique_ptr<LedWorker> commandWorker_; // last: ends before what it reads
};

} // namespace sound
