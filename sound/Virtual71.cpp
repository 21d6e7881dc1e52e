#include "sound/Virtual71.h"

#include "common/IniKeys.h"
#include "common/Text.h"

#include <algorithm>
#include <array>

namespace sound {

namespace {
constexpr std::int32_t kNoSdk = -1;
constexpr std::int32_t kBlockRefused = 1;
constexpr wchar_t kLayoutSection[] = L"Virtual7ch1";
// The profile keys, in speaker order.
constexpr std::array<const wchar_t*, kRingSpeakers> kSpeakerKeys = {L"L", L"R", L"C", L"SUB", L"LS", L"RS", L"LB", L"RB"};
} // namespace

void Virtual71::SetDefaultProfile(std::wstring path)
{
    defaultProfile_ = std::move(path);
    std::wstring value;
    defaultSwitch_ = 0;
    if (GetIniKey(device_.platform.profile, defaultProfile_, kLayoutSection, L"7ch1EN", value, kGetIniKeyMaxCapacity) == 0)
        defaultSwitch_ = LeadingInteger(value);
}

void Virtual71::InitialiseRing(const SpeakerRing& ring, const SpeakerPositions& positions)
{
    ring_ = ring;
    positions_ = positions;
    Compute(true);
}

void Virtual71::Compute(bool storePolar)
{
    values_ = ComputeSpeakerValues(positions_, ring_, oldLayout_);
    if (!storePolar)
        return;
    for (std::size_t i = 0; i < values_.size(); ++i)
        polars_[i] = {values_[i].angle, values_[i].distance};
}

std::int32_t Virtual71::SendOnOff(int on)
{
    ports::AudioSdk* sdk = device_.Sdk();
    return sdk ? sdk->DLLQZ_SetVirtual7ch1_OnOff(on) : kNoSdk;
}

std::int32_t Virtual71::SendParameters(int enable)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return kNoSdk;
    if (!device_.Active())
        return 0;
    const sdk::Virtual7ch1Block block = Block(enable);
    return sdk->DLLQZ_SetVirtual7ch1(&block) != 0 ? kBlockRefused : 0;
}

std::int32_t Virtual71::SendScalar()
{
    ports::AudioSdk* sdk = device_.Sdk();
    return sdk ? sdk->DLLQZ_SetVirtual7ch1_Scalar(scalar_) : kNoSdk;
}

std::int32_t Virtual71::SendVirtual()
{
    SendOnOff(enabled_);
    return SendParameters(enabled_);
}

void Virtual71::SwitchedByButton(int enabled)
{
    SetEnabled(enabled);
    Compute(false);
    if (device_.Active())
        SendVirtual();
}

bool Virtual71::ReadDefaultLayout()
{
    if (defaultProfile_.empty())
        return false;
    for (std::size_t i = 0; i < kSpeakerKeys.size(); ++i) {
        std::wstring value;
        GetIniKey(device_.platform.profile, defaultProfile_, kLayoutSection, kSpeakerKeys[i], value,
                  kGetIniKeyMaxCapacity);
        std::array<std::wstring, 2> fields;
        SplitIniList(value, fields);
        positions_[i] = {LeadingInteger(fields[0]), LeadingInteger(fields[1])};
    }
    return true;
}

void Virtual71::Reset()
{
    if (!ReadDefaultLayout())
        positions_ = DefaultSpeakerRing(ring_);
    Compute(true);
    if (device_.Active())
        SendVirtual();
}

void Virtual71::LoadLayout(const SpeakerPositions& positions)
{
    positions_ = positions;
    Compute(true);
    SendVirtual();
}

void Virtual71::SpeakerMoved(int speaker, int left, int top)
{
    if (speaker < 0 || speaker >= kRingSpeakers)
        return;
    positions_[static_cast<std::size_t>(speaker)] = {left, top};
    Compute(true);
    SendVirtual();
}

void Virtual71::ToggleMotion(RingMotion motion)
{
    if (motion_ == motion)
        motion_.reset();
    else
        motion_ = motion;
}

bool Virtual71::MotionTick()
{
    if (!motion_ || !device_.Active())
        return false;
    const auto place = [this] {
        for (std::size_t i = 0; i < polars_.size(); ++i)
            positions_[i] = PlaceOnRing(ring_, polars_[i]);
    };
    const auto nearest = std::ranges::min(polars_, {}, &SpeakerPolar::distance).distance;
    const auto farthest = std::ranges::max(polars_, {}, &SpeakerPolar::distance).distance;
    switch (*motion_) {
    case RingMotion::Clockwise:
    case RingMotion::Counterclockwise: {
        // Each speaker shows where it stood before this tick's degree.
        place();
        const float step = *motion_ == RingMotion::Clockwise ? kRingStep : -kRingStep;
        for (SpeakerPolar& polar : polars_)
            polar.angle += step;
        break;
    }
    case RingMotion::Narrow:
        if (nearest >= kNarrowestDistance) {
            for (SpeakerPolar& polar : polars_)
                polar.distance -= 1.0;
            place();
        }
        break;
    case RingMotion::Enlarge:
        if (farthest < kWidestDistance) {
            for (SpeakerPolar& polar : polars_)
                polar.distance += 1.0;
            place();
        }
        break;
    }
    Compute(false);
    SendVirtual();
    return true;
}

void Virtual71::GatherForTestSound(double distance)
{
    beforeTestSound_ = polars_;
    for (SpeakerPolar& polar : polars_)
        polar = {0.0f, distance};
}

void Virtual71::ReturnFromTestSound()
{
    polars_ = beforeTestSound_;
}

void Virtual71::TestSoundStep()
{
    for (std::size_t i = 0; i < polars_.size(); ++i) {
        positions_[i] = PlaceOnRing(ring_, polars_[i]);
        polars_[i].angle -= kRingStep;
    }
}

void Virtual71::SendFromPositions()
{
    if (!device_.Active())
        return;
    Compute(false);
    SendVirtual();
}

void Virtual71::RescaleRing(const SpeakerRing& ring, int previousRadius)
{
    ring_ = ring;
    for (SpeakerPosition& position : positions_)
        position = RescaledSpeaker(position, ring_, previousRadius);
    Compute(false);
}

} // namespace sound
