#pragma once
// Everything the emulated chip knows, as one plain fixed-size record: no pointers, fixed-width fields,
// natural alignment of at most four bytes. So one copy can live in a block of shared memory and be
// read alike by 32-bit and 64-bit processes. The logic that works on it lives elsewhere (Chip and its
// helpers); this header only describes the record.

#include "device/SdkEntryPoints.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace emulator {

inline constexpr std::uint32_t kChipStateMagic = 0x48435654; // "TVCH"
inline constexpr std::uint32_t kChipStateLayout = 1;

inline constexpr std::size_t kHardwareIdCapacity = 4;
inline constexpr std::size_t kHardwareIdLength = 128;  // characters with the terminating 0
inline constexpr std::size_t kRegisterCount = 0x10000; // 16-bit register addresses
inline constexpr std::size_t kEepromBlockSize = 256;   // behind each of the I2C slaves 0x50 and 0x51
inline constexpr std::uint8_t kFirstEepromSlave = 0x50;
inline constexpr std::size_t kEepromBlockCount = 2;
inline constexpr std::size_t kLedCount = 2;     // LEDs 1 and 2; LED 0 addresses both
inline constexpr std::size_t kPaletteSlots = 7; // slots 1 to 7
inline constexpr std::size_t kDriverSelectors = 8;
inline constexpr std::size_t kFaultRuleCapacity = 8;
inline constexpr std::size_t kRequestCapacity = 4096; // the record keeps the latest requests
inline constexpr std::size_t kRecordedArgCapacity = 8;
inline constexpr std::size_t kRecordedDataCapacity = 80;
inline constexpr std::uint32_t kForever = 0xFFFFFFFF;

enum class RequestKind : std::uint8_t {
    SdkCall = 1,     // entryPoint, args, data: the bytes passed by address
    HidOpen,         // args: VID, PID
    HidOutputReport, // data: the report
    HidInputReport,  // data: the report as answered
    DriverOpen,      // data: nothing (the path is the chip's own)
    DriverControl,   // args: control code; data: the input bytes
    ButtonReport,    // data: the five report bytes the scan delivered
};
inline constexpr std::uint8_t kAnyEntryPoint = 0xFF;

enum class FaultAction : std::uint8_t {
    Fail = 1,    // the request fails
    Unplug,      // the device goes away just before the request, which then fails as a missing device would
    AnswerEmpty, // driver control requests: succeed with no bytes returned
};

struct FaultRule {
    std::uint8_t armed;
    RequestKind kind;
    std::uint8_t entryPoint; // SDK calls: the entry point's position, or kAnyEntryPoint
    FaultAction action;
    std::uint32_t skip;    // matching requests that still pass before the rule strikes
    std::uint32_t strikes; // matching requests it then affects; kForever = from now on
};

struct RecordedRequest {
    std::uint32_t sequence;
    RequestKind kind;
    std::uint8_t entryPoint;
    std::uint8_t argCount;
    std::uint8_t succeeded;
    std::int32_t result; // SDK result; 0 or 1 for the other kinds
    std::int32_t args[kRecordedArgCapacity];
    std::uint32_t dataLength; // the full length; only the first kRecordedDataCapacity bytes are kept
    std::uint8_t data[kRecordedDataCapacity];
};

struct Presence {
    std::uint8_t plugged;
    std::uint8_t driverChannelPresent;
    std::uint8_t active; // made active through the SDK since it was plugged
    std::uint8_t reserved;
    std::uint16_t vid;
    std::uint16_t pid;
    std::uint16_t outputReportLength;
    std::uint16_t inputReportLength;
    std::uint32_t plugGeneration; // counts plug-ins, so handles from before an unplug stay dead
    std::uint32_t hardwareIdCount;
    char16_t hardwareIds[kHardwareIdCapacity][kHardwareIdLength];
};

// The HID register channel's transfer in progress.
struct HidTransfer {
    std::uint8_t registerSelected;
    std::uint8_t gpioReadPending;
    std::uint16_t selectedAddress;
    std::uint16_t gpioLines; // bit i = line i, lines 0 to 9
    std::uint8_t gpioMode;   // as set through the SDK
    std::uint8_t reserved;
    std::uint32_t endOfTransferCount;
};

struct Rgb {
    std::uint8_t r, g, b;
};

struct LedUnit {
    std::uint8_t mode; // 1 power … 7 single random
    std::uint8_t parameter;
    std::uint8_t singleColorMode;
    std::uint8_t brightness;
    std::uint8_t poweredOff; // mode 1 with parameter 1; mode 1 with parameter 0 powers it on again
    Rgb singleColor;
    Rgb palette[kPaletteSlots];
};

struct LedController {
    LedUnit leds[kLedCount];
    std::uint8_t step;
    std::uint8_t reserved;
    std::int32_t lastTime;
    std::uint32_t commandCount;
};

struct SoundState {
    std::int32_t eqEnabled;
    std::int32_t threeDEnabled;
    std::uint32_t eqConfigCount;
    std::uint32_t threeDConfigCount;
    std::int32_t virtualOn;
    sdk::Virtual7ch1Block virtualBlock;
    float virtualScalar;
    std::int32_t encEnabled;
    std::int32_t voiceEnabled;
    std::uint8_t encStatus[8];
    std::uint8_t encParameters[sdk::kEncParameterLength];
    std::uint8_t voiceBlock[10];
    std::uint8_t reserved[2];
    std::uint32_t probeFailuresLeft; // audio commands left unanswered before the chip is ready; kForever = never
};

struct ButtonState {
    std::uint8_t report[5];
    std::uint8_t scanning;
    std::uint16_t scanVid;
    std::uint16_t scanPid;
    std::uint16_t reserved;
    std::uint32_t pressCount; // bumped with every injected report, for watchers in other processes
};

struct DriverState {
    std::uint32_t effectIndex;
    std::uint32_t effectSwitch;
    std::uint32_t status;
    std::uint32_t controls[kDriverSelectors];
};

struct ChipState {
    std::uint32_t magic;
    std::uint32_t layout;
    std::uint32_t size;
    Presence presence;
    HidTransfer hid;
    SoundState sound;
    ButtonState button;
    DriverState driver;
    LedController ledMaster;
    LedController ledSlave;
    std::uint32_t openHidHandles;
    std::uint32_t openDriverHandles;
    FaultRule faults[kFaultRuleCapacity];
    std::uint8_t registers[kRegisterCount];
    std::uint8_t eeprom[kEepromBlockCount][kEepromBlockSize];
    std::uint32_t requestCount; // requests recorded so far; the next one's sequence number
    RecordedRequest requests[kRequestCapacity];
};

static_assert(std::is_trivially_copyable_v<ChipState> && std::is_standard_layout_v<ChipState>);
static_assert(alignof(ChipState) == 4);
// Pinned, so that a 32-bit and a 64-bit build that share the block cannot disagree about it.
static_assert(sizeof(RecordedRequest) == 128 && sizeof(Presence) == 1044 && sizeof(LedController) == 68);
static_assert(offsetof(ChipState, registers) == 1508 && offsetof(ChipState, requests) == 67560 &&
              sizeof(ChipState) == 591848);

// The chip as it leaves the factory: plugged, VID 0x4D2F / PID 0x4802, report lengths 65 / 65,
// filter-driver channel present, ready at once, no faults, empty record.
void ResetChipState(ChipState& state);

// Sets VID and PID and the hardware IDs that belong to them.
void SetChipIdentity(ChipState& state, std::uint16_t vid, std::uint16_t pid);

} // namespace emulator
