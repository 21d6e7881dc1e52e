#include "sound/Equalizer.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "device/HidRegisterChannel.h"

#include <algorithm>

namespace sound {

namespace {

constexpr std::uint16_t kEnableRegister = 0x100;
constexpr std::uint8_t kHardwareEnableBit = 0x04;
constexpr std::uint16_t kFirstGainRegister = 0x120;
constexpr std::uint16_t kLastGainHighRegister = 0x129;

// Where the device keeps its preset: a flag and the bank number behind one I2C slave, the banks' records
// behind the other.
constexpr std::uint8_t kEepromInfoSlave = 0x50;
constexpr std::uint8_t kStoredAddress = 0x8D;
constexpr std::uint8_t kBankAddress = 0x8E;
constexpr std::uint8_t kEepromBankSlave = 0x51;
constexpr std::int32_t kI2cTimeoutMs = 100;
constexpr std::uint32_t kEepromReadPauseMs = 10;

std::uint8_t Low(std::uint16_t code)
{
    return static_cast<std::uint8_t>(code & 0xFF);
}

std::uint8_t HighNibble(std::uint16_t code)
{
    return static_cast<std::uint8_t>((code >> 8) & 0x0F);
}

std::uint8_t BankByte(int bank, int byte)
{
    return static_cast<std::uint8_t>(16 * bank + byte);
}

} // namespace

bool ParsePresetField(const std::wstring& text, long long& value)
{
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        value = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const int digit = HexDigitValue(text[i]);
            if (digit < 0 || value > 0xFFFFFFFFLL)
                return false;
            value = value * 16 + digit;
        }
        return true;
    }
    int decimal = 0;
    if (!WholeInteger(text, decimal))
        return false;
    value = decimal;
    return true;
}

void Equalizer::Initialise(int travel)
{
    travel_ = travel;
    image_.Reset();
    working_ = DefaultEqRecord();
    for (int slot = 0; slot < kEqPresets; ++slot)
        PackEqRecord(working_, image_.Slot(slot)); // unchanged: every slot carries the last-slot marker
    for (auto& preset : positions_)
        preset.fill(travel / 2);
    enabled_ = 0;
}

void Equalizer::ChoosePreset(int preset)
{
    if (preset < 1 || preset > kEqPresets)
        return;
    currentPreset_ = preset;
    SelectPreset(preset);
    RefreshSliders(preset - 1);
    SendOnOff(enabled_);
}

SelectPresetResult Equalizer::SelectPreset(int preset)
{
    flat_ = false;
    working_ = UnpackEqRecord(image_.Slot(preset - 1));
    if (working_.Flat()) {
        flat_ = true;
        return SelectPresetResult::Flat;
    }
    const auto hid = device_.OpenHid();
    if (!hid)
        return SelectPresetResult::NoHandle;
    if (device_.Synchronized() && !profileWriting_ && !WriteWholeRecord(*hid))
        return SelectPresetResult::WriteFailed;
    if (device::EndTransfer(*hid) != device::EndOfTransferResult::Ok)
        return SelectPresetResult::EndOfTransferFailed;
    return SelectPresetResult::Ok;
}

void Equalizer::RefreshSliders(int slot)
{
    working_ = UnpackEqRecord(image_.Slot(slot));
    for (int band = 0; band < kEqBands; ++band)
        positions_.at(slot)[band] = SliderOffsetFromGain(working_.gains[band], travel_);
    shownSlot_ = slot;
}

void Equalizer::SetTravel(int travel)
{
    travel_ = travel;
    const int shown = shownSlot_;
    for (int slot = 0; slot < kEqPresets; ++slot)
        if (slot != shown)
            RefreshSliders(slot);
    RefreshSliders(shown);
}

void Equalizer::BandChanged(int band, int offset)
{
    // A skin without a track gives no travel: nothing moves and the gain stays as it is.
    if (band < 0 || band >= kEqBands || travel_ <= 0)
        return;
    const std::uint16_t code = GainFromSliderOffset(offset, travel_);
    working_.gains[band] = code;
    UpdateFlat();
    const auto hid = device_.OpenHid();
    if (!hid)
        return;
    // A failed register write ends the device part; the end-of-transfer report and the preset in memory
    // still follow, so that the page and the profile keep what the user set.
    if (device_.Synchronized()) {
        SendOnOff(enabled_);
        WriteBand(*hid, band, code);
    }
    device::EndTransfer(*hid);
    const int slot = currentPreset_ - 1;
    positions_.at(slot)[band] = offset;
    PackSlot(slot);
    RefreshSliders(slot);
}

bool Equalizer::WriteBand(ports::HidInterface& hid, int band, std::uint16_t code)
{
    const auto low = static_cast<std::uint16_t>(kFirstGainRegister + 2 * band);
    if (!device::Succeeded(device::WriteRegister(hid, low, Low(code))))
        return false;
    if (band < kEqBands - 1)
        return device::Succeeded(device::WriteRegister(hid, static_cast<std::uint16_t>(low + 1), HighNibble(code)));
    // The last band shares its register with the record's flags in the high nibble.
    std::uint8_t shared = 0;
    if (!device::Succeeded(device::ReadRegister(hid, kLastGainHighRegister, shared)))
        return false;
    return device::Succeeded(device::WriteRegister(hid, kLastGainHighRegister,
                                                   static_cast<std::uint8_t>((shared & 0xF0) | HighNibble(code))));
}

bool Equalizer::WriteWholeRecord(ports::HidInterface& hid)
{
    const auto& g = working_.gains;
    for (int band = 0; band < kEqBands - 1; ++band) {
        const auto low = static_cast<std::uint16_t>(kFirstGainRegister + 2 * band);
        if (!device::Succeeded(device::WriteRegister(hid, low, Low(g[band]))) ||
            !device::Succeeded(device::WriteRegister(hid, static_cast<std::uint16_t>(low + 1), HighNibble(g[band]))))
            return false;
    }
    const std::uint8_t flags = static_cast<std::uint8_t>(working_.hint3D << 4 | working_.flagB << 5 |
                                                         working_.flagC << 6 | working_.eqOff << 7);
    return device::Succeeded(device::WriteRegister(hid, kLastGainHighRegister - 1, Low(g[4]))) &&
           device::Succeeded(
               device::WriteRegister(hid, kLastGainHighRegister, static_cast<std::uint8_t>(HighNibble(g[4]) | flags)));
}

void Equalizer::SetEnabled(int enabled)
{
    enabled_ = enabled != 0 ? 1 : 0;
    PackSlot(currentPreset_ - 1);
    SendOnOff(enabled_);
}

void Equalizer::SwitchOn()
{
    enabled_ = 1;
    SendOnOff(enabled_);
}

void Equalizer::SendOnOff(int flag)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (!device_.Active() || sdk == nullptr)
        return;
    sdk->DLLQZ_ConfigEQ_ById(kSdkDeviceIndex);
    if (flat_) {
        sdk->DLLQZ_SetEQ_OnOff_ById(0, kSdkDeviceIndex);
        return;
    }
    sdk->DLLQZ_SetEQ_OnOff_ById(flag, kSdkDeviceIndex);
    std::int32_t state = 0;
    if (sdk->DLLQZ_IsEQ_Enable_ById(&state, kSdkDeviceIndex) != 0 || state != flag)
        sdk->DLLQZ_SetEQ_OnOff_ById(flag, kSdkDeviceIndex);
}

bool Equalizer::ApplyPresetFields(std::span<const std::wstring> fields, int slot, int current)
{
    const auto field = [&](int index, long long& value) {
        return index < static_cast<int>(fields.size()) && ParsePresetField(fields[index], value);
    };
    long long value = 0;
    for (int band = 0; band < kEqBands; ++band) {
        if (!field(band, value))
            return false;
        working_.gains[band] = static_cast<std::uint16_t>(value);
    }
    PackSlot(slot);
    if (!field(kEqBands, value))
        return false;
    enabled_ = static_cast<int>(value);
    for (const int shown : {slot, current}) {
        SelectPreset(shown + 1);
        RefreshSliders(shown);
        SendOnOff(enabled_);
    }
    return true;
}

HardwareEnableResult Equalizer::HardwareEnable(int on)
{
    const auto hid = device_.OpenHid();
    if (!hid)
        return HardwareEnableResult::NoHandle;
    std::uint8_t value = 0;
    if (on == 1) {
        if (!device::Succeeded(device::ReadRegister(*hid, kEnableRegister, value)))
            return HardwareEnableResult::ReadFailed;
        if (!device::Succeeded(
                device::WriteRegister(*hid, kEnableRegister, static_cast<std::uint8_t>(value | kHardwareEnableBit))))
            return HardwareEnableResult::WriteFailed;
        if (!WriteWholeRecord(*hid))
            return HardwareEnableResult::RecordWriteFailed;
    } else {
        if (!device::Succeeded(device::ReadRegister(*hid, kEnableRegister, value)))
            return HardwareEnableResult::ReadForOffFailed;
        if (!device::Succeeded(
                device::WriteRegister(*hid, kEnableRegister, static_cast<std::uint8_t>(value & ~kHardwareEnableBit))))
            return HardwareEnableResult::WriteOffFailed;
    }
    if (device::EndTransfer(*hid) != device::EndOfTransferResult::Ok)
        return HardwareEnableResult::EndOfTransferFailed;
    return HardwareEnableResult::Ok;
}

bool Equalizer::Reset()
{
    const int slot = currentPreset_ - 1;
    if (!defaultProfile_.empty()) {
        if (!device_.Active())
            device_.state.synchronization = false;
        std::wstring value;
        GetIniKey(device_.platform.profile, defaultProfile_, L"EQ", FormatText(3, L"S%d", currentPreset_), value,
                  kGetIniKeyMaxCapacity);
        std::array<std::wstring, kPresetFieldCount> fields;
        SplitIniList(value, fields);
        // A preset that does not read leaves the gains it had; the reset goes on with them.
        ApplyPresetFields(fields, slot, slot);
    } else {
        working_ = DefaultEqRecord();
    }
    PackEqRecord(working_, image_.Slot(slot));
    RefreshSliders(slot);

    const auto hid = device_.OpenHid();
    if (!hid)
        return false;
    if (!device_.Synchronized())
        return true;
    for (int band = 0; band < kEqBands; ++band) {
        const std::uint16_t code =
            travel_ > 0 ? GainFromSliderOffset(positions_.at(slot)[band], travel_) : working_.gains[band];
        working_.gains[band] = code;
        UpdateFlat();
        const auto bandHid = device_.OpenHid();
        if (!bandHid)
            return false;
        if (device_.Synchronized()) {
            SendOnOff(enabled_);
            WriteBand(*bandHid, band, code);
        }
        device::EndTransfer(*bandHid);
    }
    return WriteWholeRecord(*hid);
}

bool Equalizer::ReadEepromByte(std::uint8_t slave, std::uint8_t address, std::uint8_t& value)
{
    ports::AudioSdk* sdk = device_.Sdk();
    if (sdk == nullptr)
        return false;
    std::uint8_t buffer[1] = {0};
    if (sdk->DLLQZ_Read_I2C_ById(slave, address, buffer, 1, kI2cTimeoutMs, kSdkDeviceIndex) != 0)
        return false;
    value = buffer[0];
    return true;
}

EepromPresetResult Equalizer::ReadEepromPreset()
{
    flat_ = false;
    std::uint8_t byte = 0;
    const bool stored = (ReadEepromByte(kEepromInfoSlave, kStoredAddress, byte) ||
                         ReadEepromByte(kEepromInfoSlave, kStoredAddress, byte)) &&
                        (byte & 0x01) != 0;
    int bank = 0;
    if (ReadEepromByte(kEepromInfoSlave, kBankAddress, byte) || ReadEepromByte(kEepromInfoSlave, kBankAddress, byte))
        bank = byte >= 0x10 && byte <= 0x13 ? byte - 0x10 : 0;

    std::uint8_t eqData = 0;
    if (!ReadEepromByte(kEepromBankSlave, BankByte(bank, 7), eqData))
        return EepromPresetResult::ReadFailed;
    if (eqData == 0x00 || eqData == 0xFF) {
        flat_ = true;
        return EepromPresetResult::NoPreset;
    }
    const int enabled = 1 - (eqData >> 7);
    eepromHint3D_ = (eqData & 0x10) != 0;

    std::array<std::uint16_t, kEqBands> gains;
    gains.fill(kFlatGain);
    if (stored) {
        std::array<std::uint8_t, kEqRecordSize> record{};
        for (int i = 0; i < 8; ++i) {
            if (!ReadEepromByte(kEepromBankSlave, BankByte(bank, i), record[i]))
                return EepromPresetResult::NoPreset;
            device_.platform.clock.SleepMs(kEepromReadPauseMs);
        }
        gains = UnpackEqRecord(record).gains;
        // The device's preset is heard at half its strength here.
        for (std::uint16_t& gain : gains)
            gain = static_cast<std::uint16_t>((gain + kFlatGain) >> 1);
    }
    std::array<std::wstring, kPresetFieldCount> fields;
    for (int band = 0; band < kEqBands; ++band)
        fields[band] = FormatText(15, L"0x%X", gains[band]);
    fields[kEqBands] = std::to_wstring(enabled);
    ApplyPresetFields(fields, 0, currentPreset_ - 1);
    if (std::ranges::all_of(gains, [](std::uint16_t gain) { return gain == kFlatGain; }))
        flat_ = true;
    return EepromPresetResult::Ok;
}

void Equalizer::QueryAndRead()
{
    if (ports::AudioSdk* sdk = device_.Sdk()) {
        std::int32_t state = 0;
        if (sdk->DLLQZ_IsEQ_Enable_ById(&state, kSdkDeviceIndex) != 0)
            sdk->DLLQZ_IsEQ_Enable_ById(&state, kSdkDeviceIndex);
    }
    ReadEepromPreset();
    SendOnOff(enabled_);
}

void Equalizer::PackSlot(int slot)
{
    working_.lastSlot = slot == kEqPresets - 1;
    PackEqRecord(working_, image_.Slot(slot));
}

bool Equalizer::ReturnToDefaults()
{
    const bool reached = Reset();
    SendOnOff(0);
    return reached;
}

} // namespace sound
