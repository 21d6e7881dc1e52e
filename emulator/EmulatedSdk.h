#pragma once
// The audio SDK answered by the emulated chip. The scan's callback is a function of this process, so it
// is kept here, beside the chip; the chip state only knows whether a scan runs.

#include "device/ports/AudioSdk.h"
#include "emulator/Chip.h"

#include <array>
#include <atomic>

namespace emulator {

enum class ButtonDelivery { CallingThread, OtherThread };

class EmulatedSdk final : public ports::AudioSdk {
public:
    explicit EmulatedSdk(Chip& chip) : chip_(chip) {}

#define TONVIO_SDK_OVERRIDE(name, params, args) std::int32_t name params override;
    TONVIO_SDK_ENTRY_POINTS(TONVIO_SDK_OVERRIDE)
#undef TONVIO_SDK_OVERRIDE

    // The device's button sends `report`: when a scan runs, its callback gets it, on the calling thread
    // or on a thread of its own (joined before returning). True when the callback was called.
    bool PressButton(const std::array<std::uint8_t, 5>& report,
                     ButtonDelivery delivery = ButtonDelivery::CallingThread);

    // The callback of the running scan in this process; null when none runs. A button watcher that
    // sees presses made by another process delivers them to it.
    sdk::ButtonCallback ScanCallback() const
    {
        return scanCallback_;
    }

private:
    template <typename Command>
    std::int32_t MasterLedRequest(sdk::EntryPoint entry, std::initializer_list<std::int32_t> args, std::uint8_t address,
                                  std::int32_t index, Command command);

    Chip& chip_;
    std::atomic<sdk::ButtonCallback> scanCallback_{nullptr};
};

} // namespace emulator
