#include "sound/LedDialogControl.h"

#include "sound/LedLighting.h"

#include <utility>

namespace sound {

namespace {

constexpr std::uint32_t kModePauseMs = 500;

bool HasSpeed(int mode)
{
    return mode >= kLedFirstSpeedMode && mode <= kLedLastMode;
}

} // namespace

LedDialogControl::~LedDialogControl()
{
    if (commandWorker_)
        commandWorker_->Stop();
}

int LedDialogControl::CurrentMode() const
{
    const std::lock_guard guard(lock_);
    return currentMode_;
}

int LedDialogControl::LedNumber() const
{
    const std::lock_guard guard(lock_);
    return ledNumber_;
}

bool LedDialogControl::Master() const
{
    const std::lock_guard guard(lock_);
    return master_;
}

int LedDialogControl::Speed(int mode) const
{
    const std::lock_guard guard(lock_);
    return speeds_.at(static_cast<std::size_t>(mode));
}

LedCommands LedDialogControl::Commands() const
{
    const std::lock_guard guard(lock_);
    return {*device_.Sdk(), master_ ? LedRoute::Master : LedRoute::Slave, kLedDialogTime};
}

void LedDialogControl::Show()
{
    open_ = true;
    selectedSlot_ = 1;
    {
        const std::lock_guard guard(lock_);
        currentMode_ = kLedModePower;
    }
    if (!commandWorker_)
        commandWorker_ = std::make_unique<LedWorker>(L"LEDCommandThread", commandPause_, [this] { CommandWake(); });
    if (device_.Sdk() != nullptr)
        Commands().Step();
}

void LedDialogControl::Close()
{
    if (commandWorker_) {
        commandWorker_->Stop();
        commandWorker_.reset();
    }
    open_ = false;
}

void LedDialogControl::CommandWake()
{
    if (device_.Sdk() == nullptr)
        return;
    int led = 0;
    int mode = 0;
    int parameter = 0;
    {
        const std::lock_guard guard(lock_);
        led = ledNumber_;
        mode = currentMode_;
        parameter = HasSpeed(mode) ? speeds_[static_cast<std::size_t>(mode)] : 0;
    }
    Commands().Mode(led, mode, parameter);
}

int LedDialogControl::SelectSlot(int slot)
{
    return std::exchange(selectedSlot_, slot);
}

void LedDialogControl::SlotColourChosen(std::uint32_t colour)
{
    if (device_.Sdk() != nullptr)
        Commands().PaletteColour(LedColourArgument(LedNumber()), selectedSlot_, colour);
}

void LedDialogControl::SetLedNumber(int led)
{
    const std::lock_guard guard(lock_);
    ledNumber_ = led;
}

void LedDialogControl::SetMaster(bool master)
{
    const std::lock_guard guard(lock_);
    master_ = master;
}

void LedDialogControl::BrightnessChanged(int level)
{
    if (device_.Sdk() != nullptr)
        Commands().Brightness(LedNumber(), level);
}

void LedDialogControl::OffPressed()
{
    bool master = true;
    int led = 0;
    {
        const std::lock_guard guard(lock_);
        currentMode_ = kLedModePower;
        master = master_;
        led = ledNumber_;
    }
    // The two paths take the power command's parameter differently.
    if (device_.Sdk() != nullptr)
        Commands().Mode(led, kLedModePower, master ? 1 : 0);
}

void LedDialogControl::ModePressed(int tag, int position)
{
    int previous = 0;
    int led = 0;
    {
        const std::lock_guard guard(lock_);
        previous = std::exchange(currentMode_, tag);
        led = ledNumber_;
    }
    if (device_.Sdk() == nullptr)
        return;
    Commands().Mode(led, tag, tag == kLedModeSingleColour ? 0 : position);
    device_.platform.clock.SleepMs(kModePauseMs);
    if (previous == kLedModePower)
        Commands().Mode(LedNumber(), kLedModePower, 0);
}

void LedDialogControl::TrackBarChanged(int tag, int position)
{
    {
        const std::lock_guard guard(lock_);
        if (tag != currentMode_ || !HasSpeed(tag))
            return;
        speeds_[static_cast<std::size_t>(tag)] = position;
    }
    if (commandWorker_)
        commandWorker_->Signal();
}

int LedDialogControl::ColourShapePressed(int tag, std::optional<std::uint32_t> colour)
{
    const int mode = tag - kLedModeShapeOffset;
    int led = 0;
    {
        const std::lock_guard guard(lock_);
        currentMode_ = mode;
        led = ledNumber_;
    }
    if (!colour)
        return mode;
    if (device_.Sdk() != nullptr)
        Commands().SingleColour(LedColourArgument(led), mode, *colour);
    if (commandWorker_)
        commandWorker_->Signal();
    return mode;
}

} // namespace sound
