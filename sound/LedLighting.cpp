#include "sound/LedLighting.h"

#include "sound/Equalizer.h"

#include <thread>

#include <utility>

namespace sound {

namespace {

constexpr std::uint32_t kRetryPauseMs = 10;
constexpr std::uint32_t kSlotPauseMs = 20;
constexpr std::uint32_t kBreatheFailurePauseMs = 100;

int ModeCodeOf(LedEffect effect)
{
    return kLedModeBreathe + static_cast<int>(effect) - 1;
}
std::size_t IndexOf(LedEffect effect)
{
    return static_cast<std::size_t>(effect) - 1;
}
bool IsEffect(int effectMode)
{
    return effectMode >= 1 && effectMode <= kLedEffects;
}

// The section's integer keys, in the order profiles write them.
struct IntegerKey {
    const wchar_t* name;
    int LedPageSettings::* field;
};
constexpr IntegerKey kIntegerKeys[] = {
    {L"LEDPageMode", &LedPageSettings::pageMode},
    {L"LEDOff", &LedPageSettings::off},
    {L"LEDSingleColor", &LedPageSettings::singleColour},
    {L"LEDEffectMode", &LedPageSettings::effectMode},
    {L"LEDFastRightSide", &LedPageSettings::fastRightSide},
};
constexpr const wchar_t* kSpeedKeys[] = {L"LEDBreatheSpeed", L"LEDRainbowSpeed", L"LEDMultiBreatheSpeed"};
constexpr const wchar_t* kPositionKeys[] = {L"LEDBreatheSliderPos", L"LEDRainbowSliderPos",
                                            L"LEDMultiBreatheSliderPos"};
constexpr const wchar_t* kPaletteKeys[] = {L"LEDColor1RGB", L"LEDColor2RGB", L"LEDColor3RGB", L"LEDColor4RGB",
                                           L"LEDColor5RGB", L"LEDColor6RGB", L"LEDColor7RGB"};

} // namespace

LedLighting::LedLighting(const FeatureDevice& device, std::chrono::milliseconds effectPause)
    : device_(device), effectPause_(effectPause)
{
}

LedLighting::~LedLighting()
{
    if (effectWorker_)
        effectWorker_->Stop();
}

device::GpioLineResult LedLighting::ApplyLineState()
{
    return device::ApplyLedLineState(device_.hid, device_.state.deviceVid, device_.state.devicePid, lineOn_ != 0);
}

device::GpioLineResult LedLighting::DriveLine(bool on)
{
    return device::DriveLedLine(device_.hid, device_.state.deviceVid, device_.state.devicePid, on);
}

// ---- State ----
LedPageSettings LedLighting::Settings() const
{
    const std::lock_guard guard(lock_);
    return settings_;
}

int LedLighting::CurrentModeCode() const
{
    const std::lock_guard guard(lock_);
    return modeCode_;
}

int LedLighting::LedIndex() const
{
    const std::lock_guard guard(lock_);
    return ledIndex_;
}

bool LedLighting::PaletteUploadPending() const
{
    const std::lock_guard guard(lock_);
    return paletteUpload_;
}

void LedLighting::ReadKeys(const std::function<std::wstring(const wchar_t* key)>& value)
{
    {
        const std::lock_guard guard(lock_);
        const auto read = [&](const wchar_t* key, auto& field) {
            long long number = 0;
            const std::wstring text = value(key);
            if (!text.empty() && ParsePresetField(text, number))
                field = static_cast<std::remove_reference_t<decltype(field)>>(number);
        };
        for (const IntegerKey& key : kIntegerKeys)
            read(key.name, settings_.*key.field);
        for (std::size_t i = 0; i < kLedEffects; ++i) {
            read(kSpeedKeys[i], settings_.speeds[i]);
            read(kPositionKeys[i], settings_.knobPositions[i]);
        }
        read(L"LEDSingleColorRGB", settings_.singleColourRgb);
        read(L"LEDBreatheColorRGB", settings_.breatheColourRgb);
        for (std::size_t i = 0; i < kLedPaletteSlots; ++i)
            read(kPaletteKeys[i], settings_.palette[i]);
    }
    if (device_.Active() && PageInUse() && effectWorker_)
        effectWorker_->Signal();
}

std::vector<std::pair<const wchar_t*, std::wstring>> LedLighting::KeyValues() const
{
    const LedPageSettings s = Settings();
    std::vector<std::pair<const wchar_t*, std::wstring>> values;
    const auto add = [&](const wchar_t* key, long long number) {
        values.emplace_back(key, std::to_wstring(static_cast<int>(number)));
    };
    // The profile's order: the switches, the speeds, the knobs, the colours, the fast side last.
    for (const IntegerKey& key : kIntegerKeys)
        if (key.field != &LedPageSettings::fastRightSide)
            add(key.name, s.*key.field);
    for (std::size_t i = 0; i < kLedEffects; ++i)
        add(kSpeedKeys[i], s.speeds[i]);
    for (std::size_t i = 0; i < kLedEffects; ++i)
        add(kPositionKeys[i], s.knobPositions[i]);
    add(L"LEDSingleColorRGB", s.singleColourRgb);
    add(L"LEDBreatheColorRGB", s.breatheColourRgb);
    for (std::size_t i = 0; i < kLedPaletteSlots; ++i)
        add(kPaletteKeys[i], s.palette[i]);
    add(L"LEDFastRightSide", s.fastRightSide);
    return values;
}

void LedLighting::SetPageLook(int pageMode, int fastRightSide)
{
    const std::lock_guard guard(lock_);
    settings_.pageMode = pageMode;
    settings_.fastRightSide = fastRightSide;
}

void LedLighting::SetSliderTrack(LedEffect effect, const LedSliderTrack& track)
{
    tracks_.at(IndexOf(effect)) = track;
}

// ---- Sending ----
LedCommands LedLighting::Commands() const
{
    return {*device_.Sdk(), LedRoute::MasterById, kLedPageTime};
}

void LedLighting::SendWithRetry(const std::function<std::int32_t(const LedCommands&)>& send) const
{
    if (device_.Sdk() == nullptr)
        return;
    const LedCommands commands = Commands();
    if (send(commands) != 0) {
        Pause(kRetryPauseMs);
        send(commands);
    }
}

// ---- The effect thread ----
void LedLighting::EffectWake()
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return;
    const LedCommands commands(*sdk, LedRoute::MasterById, kLedPageTime);
    const auto sleep = [](std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    const auto send = [&](const std::function<std::int32_t()>& command) {
        if (command() != 0) {
            sleep(kRetryPauseMs);
            command();
        }
    };
    bool upload = false;
    std::array<std::uint32_t, kLedPaletteSlots> palette{};
    int code = 0;
    int speed = 0;
    {
        const std::lock_guard guard(lock_);
        upload = std::exchange(paletteUpload_, false);
        palette = settings_.palette;
    }
    if (upload) {
        for (int slot = 1; slot <= kLedPaletteSlots; ++slot) {
            sleep(kRetryPauseMs);
            send([&] { return commands.PaletteColour(1, slot, palette[static_cast<std::size_t>(slot - 1)]); });
            sleep(kRetryPauseMs);
        }
    }
    {
        const std::lock_guard guard(lock_);
        code = modeCode_;
        if (code < kLedModeBreathe || code > kLedModeMultiBreathe)
            return;
        ledIndex_ = 0;
        speed = settings_.speeds[static_cast<std::size_t>(code - kLedModeBreathe)];
    }
    send([&] { return commands.Mode(0, code, speed); });
}

// ---- The page ----
void LedLighting::RunSetup()
{
    {
        const std::lock_guard guard(lock_);
        if (settings_.pageMode != 1 || !paletteUpload_)
            return;
    }
    if (!effectWorker_)
        effectWorker_ = std::make_unique<LedWorker>(L"LEDEffectThread", effectPause_, [this] { EffectWake(); });
    SendWithRetry([](const LedCommands& c) { return c.Step(); });
    Pause(kSlotPauseMs);
    effectWorker_->Signal();
    Pause(kRetryPauseMs);
    if (pump_)
        pump_();
    std::array<std::uint32_t, kLedPaletteSlots> palette{};
    {
        const std::lock_guard guard(lock_);
        for (std::size_t i = 0; i < kLedEffects; ++i) {
            const auto speed =
                LedSpeedAt(tracks_[i], settings_.knobPositions[i], settings_.fastRightSide != 0);
            if (speed)
                settings_.speeds[i] = *speed;
        }
        // The effect thread uploads the palette instead when it gets there first.
        if (!std::exchange(paletteUpload_, false))
            return;
        palette = settings_.palette;
    }
    for (int slot = 1; slot <= kLedPaletteSlots; ++slot) {
        Pause(kSlotPauseMs);
        const std::uint32_t colour = palette[static_cast<std::size_t>(slot - 1)];
        SendWithRetry([&](const LedCommands& c) { return c.PaletteColour(1, slot, colour); });
        Pause(kRetryPauseMs);
    }
}

void LedLighting::ApplyPage()
{
    LedPageSettings s;
    {
        const std::lock_guard guard(lock_);
        if (settings_.pageMode != 1)
            return;
        ledIndex_ = 0;
        if (settings_.off == 1) {
            modeCode_ = kLedModePower;
            settings_.effectMode = 0;
            settings_.singleColour = 0;
        }
        if (IsEffect(settings_.effectMode)) {
            modeCode_ = ModeCodeOf(static_cast<LedEffect>(settings_.effectMode));
            settings_.singleColour = 0;
        }
        s = settings_;
    }
    if (s.off == 1)
        SendWithRetry([](const LedCommands& c) { return c.Mode(0, kLedModePower, 1); });
    Pause(kRetryPauseMs);
    const int colourLed = LedColourArgument(0);
    if (s.singleColour == 1) {
        {
            const std::lock_guard guard(lock_);
            modeCode_ = kLedModeSingleColour;
        }
        SendWithRetry([](const LedCommands& c) { return c.Mode(0, kLedModeSingleColour, 0); });
        Pause(kRetryPauseMs);
        SendWithRetry([&](const LedCommands& c) {
            return c.SingleColour(colourLed, kLedModeSingleColour, s.singleColourRgb);
        });
    }
    if (!IsEffect(s.effectMode))
        return;
    const auto effect = static_cast<LedEffect>(s.effectMode);
    const int code = ModeCodeOf(effect);
    SendWithRetry([&](const LedCommands& c) { return c.Mode(0, code, s.speeds[IndexOf(effect)]); });
    if (effect == LedEffect::Breathe) {
        Pause(kRetryPauseMs);
        SendWithRetry([&](const LedCommands& c) {
            return c.SingleColour(colourLed, kLedModeBreathe, s.breatheColourRgb);
        });
    }
}

void LedLighting::ChooseEffect(LedEffect effect)
{
    {
        const std::lock_guard guard(lock_);
        settings_.effectMode = static_cast<int>(effect);
        settings_.off = 0;
    }
    ApplyPage();
    const int code = ModeCodeOf(effect);
    int speed = 0;
    {
        const std::lock_guard guard(lock_);
        modeCode_ = code;
        speed = settings_.speeds[IndexOf(effect)];
    }
    SendWithRetry([&](const LedCommands& c) { return c.Mode(0, code, speed); });
    Pause(kRetryPauseMs);
}

void LedLighting::ChooseOff()
{
    {
        const std::lock_guard guard(lock_);
        settings_.off = 1;
    }
    ApplyPage();
    {
        const std::lock_guard guard(lock_);
        modeCode_ = kLedModePower;
    }
    SendWithRetry([](const LedCommands& c) { return c.Mode(0, kLedModePower, 1); });
}

void LedLighting::ChooseSingleColour()
{
    {
        const std::lock_guard guard(lock_);
        settings_.singleColour = 1;
        settings_.off = 0;
        settings_.effectMode = 0;
    }
    ApplyPage();
}

bool LedLighting::ShapeColourChosen(LedShape shape, int slot, std::optional<std::uint32_t> colour)
{
    if (!colour || *colour == 0)
        return false;
    const std::uint32_t rgb = *colour;
    ports::AudioSdk* sdk = device_.Sdk();
    int led = 0;
    {
        const std::lock_guard guard(lock_);
        led = LedColourArgument(ledIndex_);
        switch (shape) {
        case LedShape::Palette:
            settings_.palette.at(static_cast<std::size_t>(slot - 1)) = rgb;
            break;
        case LedShape::Breathe:
            modeCode_ = kLedModeBreathe;
            settings_.breatheColourRgb = rgb;
            break;
        case LedShape::Single:
            modeCode_ = kLedModeSingleColour;
            settings_.singleColourRgb = rgb;
            break;
        }
    }
    if (sdk == nullptr)
        return true;
    const LedCommands commands = Commands();
    switch (shape) {
    case LedShape::Palette:
        if (commands.PaletteColour(led, slot, rgb) != 0)
            Pause(kRetryPauseMs);
        break;
    case LedShape::Breathe:
        if (commands.SingleColour(led, kLedModeBreathe, rgb) != 0)
            Pause(kBreatheFailurePauseMs);
        break;
    case LedShape::Single:
        SendWithRetry([&](const LedCommands& c) { return c.SingleColour(led, kLedModeSingleColour, rgb); });
        break;
    }
    return true;
}

int LedLighting::KnobDragged(LedEffect effect, int knobLeftAtPress, int dx)
{
    const std::size_t i = IndexOf(effect);
    const std::lock_guard guard(lock_);
    const LedKnobPlace place = DragLedKnob(tracks_[i], knobLeftAtPress, dx, settings_.fastRightSide != 0);
    settings_.knobPositions[i] = place.knobLeft;
    if (place.speed)
        settings_.speeds[i] = *place.speed;
    return place.knobLeft;
}

void LedLighting::KnobReleased(LedEffect effect)
{
    if (Settings().effectMode != static_cast<int>(effect))
        return;
    if (effectWorker_)
        effectWorker_->Signal();
    Pause(kRetryPauseMs);
    ChooseEffect(effect);
}

void LedLighting::CloseEffectEvent()
{
    if (effectWorker_)
        effectWorker_->Reset();
}

void LedLighting::SwitchOffAtExit()
{
    if (!effectWorker_)
        return;
    effectWorker_->Stop();
    effectWorker_.reset();
    {
        const std::lock_guard guard(lock_);
        modeCode_ = kLedModePower;
    }
    SendWithRetry([](const LedCommands& c) { return c.Mode(0, kLedModePower, 1); });
    Pause(kRetryPauseMs);
}

} // namespace sound
