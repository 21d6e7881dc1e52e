#include "device/AudioCommand.h"

#include "device/SdkEntryPoints.h"

#include <array>

namespace device {

std::int32_t SendAudioCommandValue(ports::AudioSdk& sdk, std::uint8_t group, std::uint8_t subCommand,
                                   std::uint32_t value)
{
    // A fresh block for every command: the SDK answers into it.
    std::array<std::uint8_t, sdk::kAudioCommandLength> block{};
    block[0] = group;
    block[1] = subCommand;
    for (std::size_t i = 0; i < 4; ++i)
        block[2 + i] = static_cast<std::uint8_t>(value >> (8 * i));
    const auto length = static_cast<std::int32_t>(block.size());
    return sdk.DLLQZ_AudioCommand(block.data(), length, length);
}

} // namespace device
