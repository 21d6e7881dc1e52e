#pragma once
// A sound feature's model on the emulated device, as the main window lends it the device: an active,
// synchronized chip, and readers of what the requests left in it.

#include "BorrowedSdk.h"
#include "ChipRecord.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryWindowsAudio.h"
#include "sound/FeatureDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace testing_panel {

struct FeatureDeviceRig {
    FeatureDeviceRig()
    {
        state.deviceVid = 0x4D2F;
        state.devicePid = 0x4802;
        state.deviceActive = true;
        state.synchronization = true;
        device.chip().SetIdentity(state.deviceVid, state.devicePid);
        EXPECT_EQ(sdk->DLLQZ_SetActive_Device(state.deviceVid, state.devicePid), 0);
        device.chip().ClearRequests();
    }

    // The SDK entry points called since the last ClearRequests, in order.
    std::vector<sdk::EntryPoint> SdkCalls()
    {
        std::vector<sdk::EntryPoint> calls;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            calls.push_back(static_cast<sdk::EntryPoint>(request.entryPoint));
        return calls;
    }
    std::uint8_t Register(std::uint16_t address)
    {
        return device.chip().WithState([address](const emulator::ChipState& s) { return s.registers[address]; });
    }
    void SetRegister(std::uint16_t address, std::uint8_t value)
    {
        device.chip().WithState([&](emulator::ChipState& s) { s.registers[address] = value; });
    }
    // A field of the sound state the SDK keeps (emulator::SoundState).
    template <typename Field> auto Sound(Field field)
    {
        return device.chip().WithState([field](const emulator::ChipState& s) { return s.sound.*field; });
    }

    memory::MemoryPlatform platform;
    const ports::Platform ports = platform.Ports();
    emulator::EmulatedDevice device;
    std::unique_ptr<ports::AudioSdk> sdk = std::make_unique<BorrowedSdk>(device.sdk());
    device::FilterDriverChannel channel{device.filterDriver()};
    device::DeviceState state;
    sound::FeatureDevice featureDevice{ports, sdk, device.hid(), channel, state};
    memory::MemoryWindowsAudio audio; // Windows' side of the microphone
};

} // namespace testing_panel
