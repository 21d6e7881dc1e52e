#pragma once
// The equalizer's numbers: the chip's 12-bit gain code and the slider position that shows it, the
// 16-byte preset record of the chip's configuration memory, and the in-memory mirror of that memory.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sound {

inline constexpr int kEqBands = 5;
inline constexpr int kEqPresets = 4;
inline constexpr std::uint16_t kFlatGain = 0x400;
inline constexpr std::uint16_t kLowestGain = 512;
inline constexpr std::uint16_t kHighestGain = 2559;

// A band's gain code from its slider's offset below the top of its track, `travel` pixels long: the
// top gives 2559, the middle 1024, the bottom 512; the upper half moves three codes a pixel-step.
std::uint16_t GainFromSliderOffset(int offset, int travel);
// The offset below the track's top that shows `gain`, 0 to `travel`.
int SliderOffsetFromGain(std::uint16_t gain, int travel);

// One preset as the chip keeps it.
struct EqRecord {
    std::array<std::uint16_t, kEqBands> gains{};
    bool eqOff = false;
    bool flagC = false; // flags B and C mean nothing here; they are carried to the chip as they came
    bool flagB = false;
    bool hint3D = false;
    std::uint8_t marker = 0;
    bool lastSlot = false;

    bool Flat() const;
    bool operator==(const EqRecord&) const = default;
};

inline constexpr std::size_t kEqRecordSize = 16;
using EqRecordBytes = std::span<std::uint8_t, kEqRecordSize>;
using ConstEqRecordBytes = std::span<const std::uint8_t, kEqRecordSize>;

// All gains flat, the equalizer off, flags B and C set, the last-slot marker set.
EqRecord DefaultEqRecord();
// Gains keep their low 12 bits; bytes 8 to 13 are written as zero.
void PackEqRecord(const EqRecord& record, EqRecordBytes bytes);
EqRecord UnpackEqRecord(ConstEqRecordBytes bytes);

// The 2048-byte mirror of the chip's configuration memory: the default configuration block at 0x000,
// the four presets at 0x100 + 16 * slot. It is never written to the device as a whole.
class ConfigurationImage {
public:
    static constexpr std::size_t kSize = 2048;
    static constexpr std::size_t kDefaultBlockSize = 256;
    static constexpr std::size_t kPresetBase = 0x100;

    ConfigurationImage() { Reset(); }
    // 0xFF everywhere, then the default configuration block.
    void Reset();

    std::uint8_t At(std::size_t offset) const { return bytes_.at(offset); }
    void Set(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }
    EqRecordBytes Slot(int slot);
    ConstEqRecordBytes Slot(int slot) const;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

// The default configuration block; of it the program reads only the 3D bytes.
std::span<const std::uint8_t, ConfigurationImage::kDefaultBlockSize> DefaultConfigurationBlock();

} // namespace sound
