#include "sound/Sound3D.h"

#include "device/HidRegisterChannel.h"

#include <algorithm>

namespace sound {

namespace {

constexpr std::uint16_t kEnableRegister = 0x100;
constexpr std::uint8_t kEnableBit = 0x80;
constexpr std::uint16_t kFbmRegister = 0x18A;
constexpr std::uint16_t kLeftRegister = 0x18B;
constexpr std::uint16_t kRightRegister = 0x18C;
constexpr std::uint16_t kWideningRegisters[] = {0x1CD, 0x1CE};
constexpr std::size_t kByteA1 = 0xA1;
constexpr std::size_t kByteE7 = 0xE7;
constexpr std::size_t kByteE8 = 0xE8;

bool FitsNibble(int value)
{
    return value >= 0 && value <= 15;
}

D3LinkState NextLink(D3LinkState link)
{
    const int next = static_cast<int>(link) + 1;
    return static_cast<D3LinkState>(next > 2 ? 0 : next);
}

// The partner slider: the same parameter on the other channel.
D3Slider Partner(D3Slider slider)
{
    return static_cast<D3Slider>((static_cast<int>(slider) + 2) % kD3SliderCount);
}

bool IsAlpha(D3Slider slider)
{
    return slider == D3Slider::LeftAlpha || slider == D3Slider::RightAlpha;
}

} // namespace

int D3ValueFromTop(int top, int travel)
{
    if (travel <= 0)
        return 0;
    return 15 - ((top - kD3SliderTop) * 15) / travel;
}

int D3TopFromValue(int value, int travel)
{
    return travel - (value * travel) / 15 + kD3SliderTop;
}

D3Record ReadD3Record(const ConfigurationImage& image)
{
    D3Record record;
    record.d3Bit = (image.At(kByteA1) & 0x80) != 0;
    record.fbm = (image.At(kByteA1) & 0x40) != 0;
    record.leftAlpha = image.At(kByteE7) >> 4;
    record.leftBeta = image.At(kByteE7) & 0x0F;
    record.rightAlpha = image.At(kByteE8) >> 4;
    record.rightBeta = image.At(kByteE8) & 0x0F;
    return record;
}

void StoreD3Record(const D3Record& record, ConfigurationImage& image)
{
    const auto a1 = static_cast<std::uint8_t>((image.At(kByteA1) & 0x3F) | record.d3Bit << 7 | record.fbm << 6);
    image.Set(kByteA1, a1);
    image.Set(kByteE7, static_cast<std::uint8_t>((record.leftAlpha & 0x0F) << 4 | (record.leftBeta & 0x0F)));
    image.Set(kByteE8, static_cast<std::uint8_t>((record.rightAlpha & 0x0F) << 4 | (record.rightBeta & 0x0F)));
}

int Sound3D::Value(D3Slider slider) const
{
    switch (slider) {
    case D3Slider::LeftBeta:
        return record_.leftBeta;
    case D3Slider::LeftAlpha:
        return record_.leftAlpha;
    case D3Slider::RightBeta:
        return record_.rightBeta;
    case D3Slider::RightAlpha:
        return record_.rightAlpha;
    }
    return 0;
}

void Sound3D::Initialise(int travel)
{
    travel_ = travel;
    fbmButton_ = 1;
    record_ = D3Record{};
    record_ = ReadD3Record(equalizer_.Image());
    PlaceSliders();
}

void Sound3D::SetTravel(int travel)
{
    travel_ = travel;
    PlaceSliders();
}

void Sound3D::PlaceSliders()
{
    for (int i = 0; i < kD3SliderCount; ++i)
        tops_[static_cast<std::size_t>(i)] = D3TopFromValue(Value(static_cast<D3Slider>(i)), travel_);
}

bool Sound3D::SwitchedByButton(int enabled)
{
    enabled_ = enabled != 0 ? 1 : 0;
    bool virtualOff = false;
    if (exclusive_ && enabled_ == 1) {
        virtual71_.SetEnabled(0);
        virtual71_.SendOnOff(0);
        virtual71_.SendParameters(0);
        virtual71_.SendScalar();
        virtualOff = true;
    }
    SendOnOff(enabled_);
    SetRegisterBit(enabled_ == 1);
    return virtualOff;
}

void Sound3D::SetFbm(int fbm)
{
    fbmButton_ = fbm != 0 ? 1 : 0;
    record_.fbm = fbmButton_ == 1;
    StoreD3Record(record_, equalizer_.Image());
    WriteFbmRegister();
}

void Sound3D::WriteFbmRegister()
{
    const auto hid = device_.OpenHid();
    if (!hid || !device::UpdateRegisterBits(*hid, kFbmRegister, 0x01, record_.fbm))
        return;
    device::EndTransfer(*hid);
}

void Sound3D::NextAlphaLink()
{
    alphaLink_ = NextLink(alphaLink_);
}

void Sound3D::NextBetaLink()
{
    betaLink_ = NextLink(betaLink_);
}

void Sound3D::MoveSlider(D3Slider slider, int top)
{
    // Without the equalizer's travel the values cannot follow the sliders: nothing moves.
    if (travel_ <= 0)
        return;
    top = std::clamp(top, kD3SliderTop, kD3SliderBottom);
    tops_[static_cast<std::size_t>(slider)] = top;
    const D3LinkState link = IsAlpha(slider) ? alphaLink_ : betaLink_;
    if (link == D3LinkState::Dependent)
        tops_[static_cast<std::size_t>(Partner(slider))] = top;
    else if (link == D3LinkState::Inverse)
        tops_[static_cast<std::size_t>(Partner(slider))] = kD3SliderTop + kD3SliderBottom - top;

    const auto valueOf = [this](D3Slider which) { return D3ValueFromTop(SliderTop(which), travel_); };
    // Each channel in turn takes its values and sends the whole block, as two separate transfers.
    for (const bool left : {true, false}) {
        if (left) {
            record_.leftBeta = valueOf(D3Slider::LeftBeta);
            record_.leftAlpha = valueOf(D3Slider::LeftAlpha);
        } else {
            record_.rightBeta = valueOf(D3Slider::RightBeta);
            record_.rightAlpha = valueOf(D3Slider::RightAlpha);
        }
        const auto hid = device_.OpenHid();
        if (!hid)
            continue;
        if (device_.Synchronized() && !WriteParameters(*hid))
            continue;
        StoreD3Record(record_, equalizer_.Image());
        device::EndTransfer(*hid);
    }
}

bool Sound3D::WriteParameters(ports::HidInterface& hid)
{
    if (!device::UpdateRegisterBits(hid, kFbmRegister, 0x01, record_.fbm))
        return false;
    // A value the register cannot hold (a slider beyond a short travel) is not written.
    const auto write = [&hid](std::uint16_t address, int alpha, int beta) {
        if (!FitsNibble(alpha) || !FitsNibble(beta))
            return true;
        return device::Succeeded(device::WriteRegister(hid, address, static_cast<std::uint8_t>(alpha << 4 | beta)));
    };
    return write(kLeftRegister, record_.leftAlpha, record_.leftBeta) &&
           write(kRightRegister, record_.rightAlpha, record_.rightBeta);
}

void Sound3D::Reset()
{
    record_ = D3Record{};
    fbmButton_ = 1;
    PlaceSliders();
    const auto hid = device_.OpenHid();
    if (hid && device_.Synchronized())
        WriteParameters(*hid);
}

void Sound3D::SendOnOff(int flag)
{
    if (exclusive_ && virtual71_.Enabled() != 0) {
        enabled_ = 0;
        flag = 0;
    }
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return;
    sdk->DLLQZ_Config3D_ById(kSdkDeviceIndex);
    sdk->DLLQZ_Set3D_OnOff_ById(flag, kSdkDeviceIndex);
    std::int32_t state = 0;
    sdk->DLLQZ_Is3D_Enable_ById(&state, kSdkDeviceIndex);
    if (state != flag)
        sdk->DLLQZ_Set3D_OnOff_ById(flag, kSdkDeviceIndex);
}

void Sound3D::SetRegisterBit(bool on)
{
    const auto hid = device_.OpenHid();
    if (!hid || !device::UpdateRegisterBits(*hid, kEnableRegister, kEnableBit, on))
        return;
    if (on) {
        for (const std::uint16_t address : kWideningRegisters) {
            std::uint8_t value = 0;
            if (!device::Succeeded(device::ReadRegister(*hid, address, value)))
                return;
            if ((value & 0x0F) == 0x0A)
                value = static_cast<std::uint8_t>((value & 0xF0) | 0x0F);
            if ((value & 0xF0) == 0xA0)
                value = static_cast<std::uint8_t>((value & 0x0F) | 0xF0);
            if (!device::Succeeded(device::WriteRegister(*hid, address, value)))
                return;
        }
    }
    device::EndTransfer(*hid);
}

void Sound3D::Query()
{
    if (ports::AudioSdk* sdk = device_.Sdk()) {
        std::int32_t state = 0;
        if (sdk->DLLQZ_Is3D_Enable_ById(&state, kSdkDeviceIndex) != 0)
            sdk->DLLQZ_Is3D_Enable_ById(&state, kSdkDeviceIndex);
        deviceState_ = state;
    }
    if (deviceState_ == 1 || equalizer_.EepromHint3D())
        enabled_ = 1;
    SendOnOff(enabled_);
}

void Sound3D::SwitchOn()
{
    enabled_ = 1;
    SendOnOff(enabled_);
}

void Sound3D::SwitchOff()
{
    enabled_ = 0;
    SendOnOff(enabled_);
}

void Sound3D::ReturnToDefaults()
{
    Reset();
    fbmButton_ = 1;
    record_.fbm = true;
    WriteFbmRegister();
    SendOnOff(0);
}

} // namespace sound
