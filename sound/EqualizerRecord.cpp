#include "sound/EqualizerRecord.h"

#include <algorithm>
#include <stdexcept>

namespace sound {

namespace {

constexpr auto MakeDefaultBlock()
{
    std::array<std::uint8_t, ConfigurationImage::kDefaultBlockSize> block{};
    block[0xA1] = 0x7B; // 3D off, FBM on
    block[0xE7] = 0xA3; // left alpha 10, beta 3
    block[0xE8] = 0xA3; // right alpha 10, beta 3
    return block;
}

constexpr auto kDefaultBlock = MakeDefaultBlock();

} // namespace

std::uint16_t GainFromSliderOffset(int offset, int travel)
{
    // Without a track there is no position to read a gain from; callers move nothing then.
    if (travel <= 0)
        return kFlatGain;
    const int v = offset * 1024 / travel;
    auto code = static_cast<std::uint16_t>(1536 - v);
    if (code > kFlatGain)
        code = static_cast<std::uint16_t>(3 * (code - kFlatGain) + 1023);
    return code;
}

int SliderOffsetFromGain(std::uint16_t gain, int travel)
{
    if (travel <= 0)
        return 0;
    // Codes outside the slider's range (a hand-edited profile) show at the nearer end of the track.
    int d = std::clamp<int>(gain, kLowestGain, kHighestGain);
    if (d > kFlatGain)
        d = (d - 1023) / 3 + kFlatGain;
    return travel - static_cast<std::uint16_t>(d - kLowestGain) * travel / 1024;
}

bool EqRecord::Flat() const
{
    return std::ranges::all_of(gains, [](std::uint16_t gain) { return gain == kFlatGain; });
}

EqRecord DefaultEqRecord()
{
    EqRecord record;
    record.gains.fill(kFlatGain);
    record.eqOff = true;
    record.flagB = true;
    record.flagC = true;
    record.lastSlot = true;
    return record;
}

void PackEqRecord(const EqRecord& record, EqRecordBytes bytes)
{
    const auto low = [](std::uint16_t gain) { return static_cast<std::uint8_t>(gain & 0xFF); };
    const auto high = [](std::uint16_t gain) { return static_cast<std::uint8_t>((gain >> 8) & 0x0F); };
    const auto& g = record.gains;
    std::ranges::fill(bytes, 0);
    bytes[0] = low(g[0]);
    bytes[1] = static_cast<std::uint8_t>(high(g[0]) | (g[1] & 0x0F) << 4);
    bytes[2] = static_cast<std::uint8_t>((g[1] >> 4) & 0xFF);
    bytes[3] = low(g[2]);
    bytes[4] = static_cast<std::uint8_t>(high(g[2]) | (g[3] & 0x0F) << 4);
    bytes[5] = static_cast<std::uint8_t>((g[3] >> 4) & 0xFF);
    bytes[6] = low(g[4]);
    bytes[7] = static_cast<std::uint8_t>(high(g[4]) | record.hint3D << 4 | record.flagB << 5 | record.flagC << 6 |
                                         record.eqOff << 7);
    bytes[14] = record.marker;
    bytes[15] = static_cast<std::uint8_t>((record.marker & 0x7F) | record.lastSlot << 7);
}

EqRecord UnpackEqRecord(ConstEqRecordBytes bytes)
{
    EqRecord record;
    auto& g = record.gains;
    g[0] = static_cast<std::uint16_t>(bytes[0] | (bytes[1] & 0x0F) << 8);
    g[1] = static_cast<std::uint16_t>(bytes[1] >> 4 | bytes[2] << 4);
    g[2] = static_cast<std::uint16_t>(bytes[3] | (bytes[4] & 0x0F) << 8);
    g[3] = static_cast<std::uint16_t>(bytes[4] >> 4 | bytes[5] << 4);
    g[4] = static_cast<std::uint16_t>(bytes[6] | (bytes[7] & 0x0F) << 8);
    record.hint3D = (bytes[7] & 0x10) != 0;
    record.flagB = (bytes[7] & 0x20) != 0;
    record.flagC = (bytes[7] & 0x40) != 0;
    record.eqOff = (bytes[7] & 0x80) != 0;
    record.marker = bytes[14];
    record.lastSlot = (bytes[15] & 0x80) != 0;
    return record;
}

void ConfigurationImage::Reset()
{
    bytes_.fill(0xFF);
    std::ranges::copy(kDefaultBlock, bytes_.begin());
}

EqRecordBytes ConfigurationImage::Slot(int slot)
{
    if (slot < 0 || slot >= kEqPresets)
        throw std::out_of_range("equalizer slot");
    return EqRecordBytes(bytes_.data() + kPresetBase + kEqRecordSize * static_cast<std::size_t>(slot), kEqRecordSize);
}

ConstEqRecordBytes ConfigurationImage::Slot(int slot) const
{
    if (slot < 0 || slot >= kEqPresets)
        throw std::out_of_range("equalizer slot");
    return ConstEqRecordBytes(bytes_.data() + kPresetBase + kEqRecordSize * static_cast<std::size_t>(slot),
                              kEqRecordSize);
}

std::span<const std::uint8_t, ConfigurationImage::kDefaultBlockSize> DefaultConfigurationBlock()
{
    return kDefaultBlock;
}

} // namespace sound
