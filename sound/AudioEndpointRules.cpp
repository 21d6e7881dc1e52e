#include "sound/AudioEndpointRules.h"

#include "common/Text.h"

#include <algorithm>
#include <cmath>

namespace sound {

std::wstring CaptureDevicePrefix(std::uint16_t vid, std::uint16_t pid)
{
    return FormatText(64, L"\\\\?\\USB#VID_%0.4X&PID_%0.4X", unsigned{vid}, unsigned{pid});
}

std::wstring FindCaptureDeviceName(const std::vector<ports::CaptureDeviceEntry>& devices, std::uint16_t vid,
                                   std::uint16_t pid)
{
    const std::wstring prefix = CaptureDevicePrefix(vid, pid);
    std::wstring name;
    for (const ports::CaptureDeviceEntry& device : devices) {
        if (device.primary || device.interfacePath.size() < prefix.size())
            continue;
        if (EqualsIgnoreAsciiCase(std::wstring_view(device.interfacePath).substr(0, prefix.size()), prefix))
            name = CutText(device.description, kCaptureNameChars);
    }
    return name;
}

std::optional<std::wstring> FindCaptureEndpoint(const std::vector<ports::CaptureEndpointEntry>& endpoints,
                                                const std::wstring& name)
{
    for (const ports::CaptureEndpointEntry& endpoint : endpoints)
        if (endpoint.friendlyName.find(name) != std::wstring::npos)
            return endpoint.id;
    return std::nullopt;
}

int VolumeFromSteps(std::uint32_t step, std::uint32_t stepCount)
{
    // One step (or none) leaves nothing to divide by.
    if (stepCount < 2)
        return 0;
    return static_cast<int>(std::uint64_t{step} * 100 / (stepCount - 1));
}

std::uint32_t MixerControlType(MixerOperation operation)
{
    switch (operation) {
    case MixerOperation::GetVolume:
    case MixerOperation::SetVolume:
        return kMixerVolumeControl;
    case MixerOperation::GetMute:
    case MixerOperation::SetMute:
        return kMixerMuteControl;
    case MixerOperation::GetBoost:
    case MixerOperation::SetBoost:
        break;
    }
    return kMixerMuxControl;
}

bool MixerWrites(MixerOperation operation)
{
    return operation == MixerOperation::SetVolume || operation == MixerOperation::SetMute ||
           operation == MixerOperation::SetBoost;
}

bool MixerNamesMatch(const std::wstring& productName, const std::wstring& captureName)
{
    const std::size_t length = std::min(productName.size(), captureName.size());
    return EqualsIgnoreAsciiCase(std::wstring_view(productName).substr(0, length),
                                 std::wstring_view(captureName).substr(0, length));
}

int MixerPercent(std::int32_t value, std::int32_t minimum, std::int32_t maximum)
{
    const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
    if (range <= 0.0)
        return 0;
    return static_cast<int>(static_cast<double>(value) / range * 100.0);
}

std::int32_t MixerValueOfPercent(int percent, std::int32_t minimum, std::int32_t maximum)
{
    const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
    if (range <= 0.0)
        return minimum;
    // Rounded up, so that the truncating read gives the same per cent back.
    auto value = static_cast<std::int32_t>(std::ceil(range * percent / 100.0));
    while (MixerPercent(value, minimum, maximum) < percent && value < maximum)
        ++value;
    return value;
}

bool ListenPathMatches(const std::wstring& devicePath, std::uint16_t vid, std::uint16_t pid)
{
    const auto after_first = [&](unsigned id) {
        const std::size_t at = devicePath.find(FormatText(8, L"%x", id));
        return at != std::wstring::npos && at > 0;
    };
    return after_first(vid) && after_first(pid);
}

std::array<std::uint8_t, 16> ListenValueBytes(bool on)
{
    std::array<std::uint8_t, 16> bytes{};
    bytes[0] = 0x0B;
    bytes[4] = 0x01;
    if (on) {
        bytes[8] = 0xFF;
        bytes[9] = 0xFF;
    }
    return bytes;
}

} // namespace sound
