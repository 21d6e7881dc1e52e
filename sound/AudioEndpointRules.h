#pragma once
// The arithmetic and matching rules of the panel's Windows audio work: which recording device is the
// headset's, which capture endpoint carries it, the volume in per cent, the mixer's controls and the
// listen-to-this-device values.

#include "device/ports/WindowsAudio.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sound {

inline constexpr std::size_t kCaptureNameChars = 260;

// "\\?\USB#VID_4D2F&PID_4802": how the device's interface paths begin.
std::wstring CaptureDevicePrefix(std::uint16_t vid, std::uint16_t pid);

// The description of the last recording device (the primary entry aside) whose interface path begins
// with the device's prefix, in any letter case, cut to 260 characters; empty when none does.
std::wstring FindCaptureDeviceName(const std::vector<ports::CaptureDeviceEntry>& devices, std::uint16_t vid,
                                   std::uint16_t pid);

// The first endpoint whose friendly name contains `name` (an empty name is in every one).
std::optional<std::wstring> FindCaptureEndpoint(const std::vector<ports::CaptureEndpointEntry>& endpoints,
                                                const std::wstring& name);

// step × 100 / (count − 1); a volume without steps to tell reads 0.
int VolumeFromSteps(std::uint32_t step, std::uint32_t stepCount);

// The mixer back-end's operations, by their numbers.
enum class MixerOperation : int { GetVolume = 0, SetVolume = 1, GetMute = 2, SetMute = 3, GetBoost = 4, SetBoost = 5 };

inline constexpr std::uint32_t kMixerVolumeControl = 0x50030001;
inline constexpr std::uint32_t kMixerMuteControl = 0x20010002;
inline constexpr std::uint32_t kMixerMuxControl = 0x70010001;
inline constexpr std::uint32_t kMixerWaveInDestination = 0x00000007; // MIXERLINE_COMPONENTTYPE_DST_WAVEIN
inline constexpr std::uint32_t kMixerSourceUndefined = 0x1000;
inline constexpr std::uint32_t kMixerSourceMicrophone = 0x1003;

std::uint32_t MixerControlType(MixerOperation operation);
bool MixerWrites(MixerOperation operation);
// The line's device and the recording device's name agree, in any letter case, over the shorter length.
bool MixerNamesMatch(const std::wstring& productName, const std::wstring& captureName);
// The mixer's raw volume in per cent of the control's range, truncated; 0 for a control without range.
int MixerPercent(std::int32_t value, std::int32_t minimum, std::int32_t maximum);
// The raw value that reads back as `percent`: that share of the control's range.
std::int32_t MixerValueOfPercent(int percent, std::int32_t minimum, std::int32_t maximum);

// The capture endpoints' keys, and the values that carry and switch listening.
inline constexpr wchar_t kCaptureEndpointsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture";
inline constexpr wchar_t kEndpointDevicePathValue[] = L"{233164c8-1b2c-4c7d-bc68-b671687a2567},1";
inline constexpr wchar_t kListenValue[] = L"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},1";
inline constexpr wchar_t kListenValue4[] = L"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},4";
inline constexpr std::size_t kEndpointDevicePathChars = 259;

// Both IDs, each as lower-case hexadecimal without leading zeros, stand somewhere after the path's
// first character.
bool ListenPathMatches(const std::wstring& devicePath, std::uint16_t vid, std::uint16_t pid);
// The 16-byte boolean property: type 0x000B, 1 at bytes 4-5, 0xFFFF at bytes 8-9 when on.
std::array<std::uint8_t, 16> ListenValueBytes(bool on);

} // namespace sound
