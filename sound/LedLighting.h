#pragma once
// The device's RGB lighting as the main window's LED page drives it, and the status area's "LED" button
// with its output line. The page's commands go to the LED controller at bus address 0x3A; the worker
// thread "LEDEffectThread" re-sends the active effect (and the palette, when the set-up has not yet)
// whenever the page asks. The fields that thread reads are shared under one lock: it sends what the
// page held at the moment it looked.

#include "device/GpioLineOperations.h"
#include "sound/FeatureDevice.h"
#include "sound/LedCommands.h"
#include "sound/LedPageSettings.h"
#include "sound/LedSpeedRule.h"
#include "sound/LedWorker.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace sound {

// The page's colour shapes.
enum class LedShape { Palette, Breathe, Single };

inline constexpr std::chrono::milliseconds kLedEffectPause{100};

class LedLighting {
public:
    explicit LedLighting(const FeatureDevice& device, std::chrono::milliseconds effectPause = kLedEffectPause);
    ~LedLighting();
    LedLighting(const LedLighting&) = delete;
    LedLighting& operator=(const LedLighting&) = delete;

    // ---- The "LED" button ("LEDON") ----
    int LineOn() const { return lineOn_; }
    // The LED-on switch's state, which the output line follows after an arrival.
    void SetLineOn(int on) { lineOn_ = on != 0 ? 1 : 0; }
    device::GpioLineResult ApplyLineState();
    // The "LED" button acts while it is held: line 1 on press, 0 on release.
    device::GpioLineResult DriveLine(bool on);

    // ---- State (profiles read and write it; the page shows it) ----
    LedPageSettings Settings() const;
    // A profile's LED section as it was read: every key's text, empty when the key is missing. An empty
    // key keeps its setting, so a profile without the section keeps every LED setting. Afterwards the
    // effect thread re-sends while a device is active and the page is in use; the caller then runs
    // ApplyPage.
    void ReadKeys(const std::function<std::wstring(const wchar_t* key)>& value);
    // Every key of the LED section but "LEDON", with its value as profiles write it ("%d").
    std::vector<std::pair<const wchar_t*, std::wstring>> KeyValues() const;
    bool PageInUse() const { return Settings().pageMode == 1; }
    int CurrentModeCode() const;
    int LedIndex() const;
    bool PaletteUploadPending() const;
    bool EffectThreadRunning() const { return effectWorker_ != nullptr; }

    // The skin's choice of the LED page ("LEDPageMode") and of the fast side ("LEDFastRightSide"); a
    // profile read may change both again.
    void SetPageLook(int pageMode, int fastRightSide);
    // Where the page's sliders lie (from the skin and the form), for the speed rule.
    void SetSliderTrack(LedEffect effect, const LedSliderTrack& track);
    // Lets pending window messages run where the set-up does (the main window's pump).
    void SetMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }

    // ---- The page's operations ----
    // The first activation (start-up with an active device, first arrival): starts the effect thread,
    // sends the step value, the speeds from the knobs and the palette. Only with the page in use, once.
    void RunSetup();
    // The page's state to the controller: LED off, then single colour or the active effect.
    void ApplyPage();
    // The check images.
    void ChooseEffect(LedEffect effect);
    void ChooseOff();
    void ChooseSingleColour();
    // A shape's colour from the colour dialog (none: cancelled). Cancel and black change nothing and
    // return false; otherwise the colour is kept and sent. `slot` 1 to 7 for the palette.
    bool ShapeColourChosen(LedShape shape, int slot, std::optional<std::uint32_t> colour);
    // A slider's knob dragged `dx` pixels from where it stood at the press; returns where it is drawn.
    int KnobDragged(LedEffect effect, int knobLeftAtPress, int dx);
    // The slider let go: the active effect is re-sent.
    void KnobReleased(LedEffect effect);
    // The device went: a pending re-send is dropped (the thread stays for the next device).
    void CloseEffectEvent();
    // At exit: the effect thread ends, and the LED is switched off.
    void SwitchOffAtExit();

private:
    LedCommands Commands() const;
    void SendWithRetry(const std::function<std::int32_t(const LedCommands&)>& send) const;
    void UploadPalette(const std::function<void(std::uint32_t)>& pause);
    void EffectWake();
    void Pause(std::uint32_t milliseconds) const { device_.platform.clock.SleepMs(milliseconds); }

    const FeatureDevice& device_;
    const std::chrono::milliseconds effectPause_;
    int lineOn_ = 0;
    std::function<void()> pump_;
    std::array<LedSliderTrack, kLedEffects> tracks_{};

    // Shared with the effect thread.
    mutable std::mutex lock_;
    LedPageSettings settings_;
    int modeCode_ = kLedModePower;
    int ledIndex_ = 0;
    bool paletteUpload_ = true;

    std::unique_ptr<LedWorker> effectWorker_; // last: ends before what it reads
};

// The LED argument of colour commands: LED 0 (all) is sent as 1.
inline int LedColourArgument(int led)
{
    return led == 0 ? 1 : led;
}

} // namespace sound
