#pragma once
// Every entry point of the audio SDK library that the panel binds, in the order the loader resolves
// them. The loader stops at the first missing name and reports its position + 1, so the order is part
// of the contract: the first six are fixed, the rest keep the order below. The same table declares the
// SDK port, lets the loader fill its function pointers and the stand-in library export its functions,
// so a signature lives in exactly one place.
//
// Every entry point returns a 32-bit integer, 0 = the device took the request. The last argument of
// every `_ById` entry point is the device index (always 0).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The library's calling convention. Only 32-bit Windows tells __stdcall apart from the default; the
// macro keeps the signatures identical everywhere else.
#if defined(_WIN32)
#define TONVIO_SDK_CALL __stdcall
#else
#define TONVIO_SDK_CALL
#endif

namespace sdk {

// The button report callback: VID, PID, the device's button report (five meaningful bytes), then two
// values the panel does not use (the report's length and a value reserved by the library). Returns 0.
using ButtonCallback = std::int32_t(TONVIO_SDK_CALL*)(std::uint16_t vid, std::uint16_t pid, const std::uint8_t* report,
                                                      std::int32_t reportLength, std::int32_t reserved);

inline constexpr int kSpeakerCount = 8;

// The virtual 7.1 speaker block passed by address: 68 bytes, little-endian, no padding.
struct Virtual7ch1Block {
    std::int32_t enabled;                // 0 or 1
    float distanceFactor[kSpeakerCount]; // 0 … 1.7
    float angle[kSpeakerCount];          // radians, [0, 2π)
};
static_assert(sizeof(Virtual7ch1Block) == 68);

inline constexpr std::size_t kAudioCommandLength = 234;
inline constexpr std::size_t kEncParameterLength = 16;
inline constexpr std::uint8_t kLedControllerAddress = 0x3A;

} // namespace sdk

// X(name, (typed parameters), (argument names)). Where the panel never passes arguments to an entry
// point (versions, driver checks, present-device search), the parameter lists are this project's own.
#define TONVIO_SDK_ENTRY_POINTS(X)                                                                                     \
    /* Version texts, written NUL-terminated into `text` (cut to `capacity` characters with the NUL). */               \
    X(DLLQZ_GetAP_VersionW, (wchar_t * text, std::int32_t capacity), (text, capacity))                                 \
    X(DLLQZ_GetDLL_VersionW, (wchar_t * text, std::int32_t capacity), (text, capacity))                                \
    /* 0 when the filter driver of the active device / of the given device answers. */                                 \
    X(DLLQZ_CheckDriver, (), ())                                                                                       \
    X(DLLQZ_CheckDriverEx, (std::uint16_t vid, std::uint16_t pid), (vid, pid))                                         \
    /* 0 when a device with this VID and PID is present. */                                                            \
    X(DLLQZ_Search_Present_Device, (std::uint16_t vid, std::uint16_t pid), (vid, pid))                                 \
    X(DLLQZ_SetActive_Device, (std::uint16_t vid, std::uint16_t pid), (vid, pid))                                      \
    /* The 234-byte command block is read and answered in place; both lengths are 234. */                              \
    X(DLLQZ_AudioCommand, (std::uint8_t * block, std::int32_t inLength, std::int32_t outLength),                       \
      (block, inLength, outLength))                                                                                    \
    X(DLLQZ_ConfigEQ_ById, (std::int32_t index), (index))                                                              \
    X(DLLQZ_SetEQ_OnOff_ById, (std::int32_t on, std::int32_t index), (on, index))                                      \
    X(DLLQZ_IsEQ_Enable_ById, (std::int32_t * on, std::int32_t index), (on, index))                                    \
    X(DLLQZ_Config3D_ById, (std::int32_t index), (index))                                                              \
    X(DLLQZ_Set3D_OnOff_ById, (std::int32_t on, std::int32_t index), (on, index))                                      \
    X(DLLQZ_Is3D_Enable_ById, (std::int32_t * on, std::int32_t index), (on, index))                                    \
    X(DLLQZ_Read_Register_ById, (std::uint16_t address, std::uint8_t * value, std::int32_t index),                     \
      (address, value, index))                                                                                         \
    X(DLLQZ_Write_Register_ById, (std::uint16_t address, std::uint8_t value, std::int32_t index),                      \
      (address, value, index))                                                                                         \
    /* `timeoutMs` is 100 on every call of the panel. */                                                               \
    X(DLLQZ_Read_I2C_ById,                                                                                             \
      (std::uint8_t slave, std::uint8_t address, std::uint8_t * data, std::int32_t count, std::int32_t timeoutMs,      \
       std::int32_t index),                                                                                            \
      (slave, address, data, count, timeoutMs, index))                                                                 \
    X(DLLQZ_SetGpioModeEx_ById, (std::uint8_t mode, std::int32_t reserved, std::int32_t index),                        \
      (mode, reserved, index))                                                                                         \
    X(DLLQZ_ScanButton_ById,                                                                                           \
      (std::uint16_t vid, std::uint16_t pid, sdk::ButtonCallback callback, std::int32_t enable, std::int32_t index),   \
      (vid, pid, callback, enable, index))                                                                             \
    X(DLLQZ_SetVirtual7ch1_OnOff, (std::int32_t on), (on))                                                             \
    X(DLLQZ_SetVirtual7ch1, (const sdk::Virtual7ch1Block* block), (block))                                             \
    X(DLLQZ_SetVirtual7ch1_Scalar, (float scalar), (scalar))                                                           \
    /* The 16-byte noise-cancellation parameter block, by address. */                                                  \
    X(DLLQZ_SetEnc_Parameters, (const std::uint8_t* parameters), (parameters))                                         \
    /* LED controller at a bus address (0x3A); `time` is 50 or 500. */                                                 \
    X(DLLQZ_SetRGB_Mode,                                                                                               \
      (std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t parameter, std::int32_t time),          \
      (address, led, mode, parameter, time))                                                                           \
    X(DLLQZ_SetRGB_Mode_ById,                                                                                          \
      (std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t parameter, std::int32_t time,           \
       std::int32_t index),                                                                                            \
      (address, led, mode, parameter, time, index))                                                                    \
    X(DLLQZ_SetRGB_Color,                                                                                              \
      (std::uint8_t address, std::uint8_t led, std::uint8_t slot, std::uint8_t r, std::uint8_t g, std::uint8_t b,      \
       std::int32_t time),                                                                                             \
      (address, led, slot, r, g, b, time))                                                                             \
    X(DLLQZ_SetRGB_Color_ById,                                                                                         \
      (std::uint8_t address, std::uint8_t led, std::uint8_t slot, std::uint8_t r, std::uint8_t g, std::uint8_t b,      \
       std::int32_t time, std::int32_t index),                                                                         \
      (address, led, slot, r, g, b, time, index))                                                                      \
    X(DLLQZ_SetRGB_SingleColor,                                                                                        \
      (std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t r, std::uint8_t g, std::uint8_t b,      \
       std::int32_t time),                                                                                             \
      (address, led, mode, r, g, b, time))                                                                             \
    X(DLLQZ_SetRGB_SingleColor_ById,                                                                                   \
      (std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t r, std::uint8_t g, std::uint8_t b,      \
       std::int32_t time, std::int32_t index),                                                                         \
      (address, led, mode, r, g, b, time, index))                                                                      \
    X(DLLQZ_SetRGB_Step, (std::uint8_t address, std::uint8_t step, std::int32_t time), (address, step, time))          \
    X(DLLQZ_SetRGB_Step_ById, (std::uint8_t address, std::uint8_t step, std::int32_t time, std::int32_t index),        \
      (address, step, time, index))                                                                                    \
    X(DLLQZ_SetRGB_Brightness, (std::uint8_t address, std::uint8_t led, std::uint8_t level, std::int32_t time),        \
      (address, led, level, time))                                                                                     \
    /* The LED controller behind the HID slave: the same commands without the bus address. */                          \
    X(DLLQZ_UsbHidSlave_SetRGB_Mode_Ex,                                                                                \
      (std::uint8_t led, std::uint8_t mode, std::uint8_t parameter, std::int32_t time), (led, mode, parameter, time))  \
    X(DLLQZ_UsbHidSlave_SetRGB_Color_Ex,                                                                               \
      (std::uint8_t led, std::uint8_t slot, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::int32_t time),        \
      (led, slot, r, g, b, time))                                                                                      \
    X(DLLQZ_UsbHidSlave_SetRGB_SingleColor_Ex,                                                                         \
      (std::uint8_t led, std::uint8_t mode, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::int32_t time),        \
      (led, mode, r, g, b, time))                                                                                      \
    X(DLLQZ_UsbHidSlave_SetRGB_Step_Ex, (std::uint8_t step, std::int32_t time), (step, time))                          \
    X(DLLQZ_UsbHidSlave_SetRGB_Brightness_Ex, (std::uint8_t led, std::uint8_t level, std::int32_t time),               \
      (led, level, time))

namespace sdk {

// One function-pointer type per entry point: sdk::DLLQZ_SetActive_Device_Fn and so on.
#define TONVIO_SDK_FUNCTION_TYPE(name, params, args) using name##_Fn = std::int32_t(TONVIO_SDK_CALL*) params;
TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_FUNCTION_TYPE)
#undef TONVIO_SDK_FUNCTION_TYPE

// The entry points by position in the binding order.
enum class EntryPoint : std::uint8_t {
#define TONVIO_SDK_ENUMERATOR(name, params, args) name,
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_ENUMERATOR)
#undef TONVIO_SDK_ENUMERATOR
};

inline constexpr std::array kEntryPointNames = {
#define TONVIO_SDK_NAME(name, params, args) std::string_view(#name),
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_NAME)
#undef TONVIO_SDK_NAME
};

inline constexpr std::size_t kEntryPointCount = kEntryPointNames.size();

constexpr std::string_view EntryPointName(EntryPoint entry)
{
    return kEntryPointNames[static_cast<std::size_t>(entry)];
}

} // namespace sdk
