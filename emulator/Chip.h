#pragma once
// The emulated chip: the logic over one ChipState. Every request from the device's adapters comes in
// here, is recorded, meets the armed faults and the device's presence, and then acts on the state.
// The state may be shared with other processes, so every access holds the state lock; nothing calls
// out of the chip while holding it.

#include "common/ports/DeviceEnumeration.h"
#include "device/ports/FilterDriver.h"
#include "emulator/ChipState.h"
#include "emulator/Faults.h"
#include "emulator/RequestLog.h"
#include "emulator/SdkStatus.h"

#include <array>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace emulator {

// The lock guarding a ChipState: a mutex in one process, a named mutex across processes.
class StateLock {
public:
    virtual ~StateLock() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

class InProcessStateLock final : public StateLock {
public:
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }

private:
    std::mutex mutex_;
};

// What an SDK entry point needs before it can act.
enum class SdkAccess { Anytime, ActiveDevice };

// A report injected through the button; `deliver` says whether a scan is running for it.
struct InjectedButtonReport {
    bool deliver = false;
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
};

class Chip {
public:
    Chip(ChipState& state, StateLock& lock) : state_(state), lock_(lock) {}

    // ---- The SDK ----
    // Records the call, applies faults and `access`, then runs `act(state)` for the result.
    template <typename Act>
    std::int32_t SdkRequest(sdk::EntryPoint entry, std::initializer_list<std::int32_t> args,
                            std::span<const std::uint8_t> data, SdkAccess access, Act&& act)
    {
        const std::lock_guard guard(lock_);
        const auto entryIndex = static_cast<std::uint8_t>(entry);
        RecordedRequest& record = AppendRequest(state_, RequestKind::SdkCall, entryIndex, args, data);
        std::int32_t result = kSdkOk;
        if (!PassesFaults(RequestKind::SdkCall, entryIndex))
            result = kSdkInjectedFault;
        else if (access == SdkAccess::ActiveDevice && !(state_.presence.plugged && state_.presence.active))
            result = kSdkNoDevice;
        else
            result = act(state_);
        record.result = result;
        record.succeeded = result == kSdkOk;
        return result;
    }

    // ---- The HID interface; a handle is the plug generation it was opened in ----
    std::optional<std::uint32_t> OpenHid(std::uint16_t vid, std::uint16_t pid);
    void CloseHid();
    std::size_t OutputReportLength(std::uint32_t generation);
    std::size_t InputReportLength(std::uint32_t generation);
    bool TakeHidOutputReport(std::uint32_t generation, std::span<const std::uint8_t> report);
    bool AnswerHidInputReport(std::uint32_t generation, std::span<std::uint8_t> report);

    // ---- The filter driver's channel ----
    std::optional<std::uint32_t> OpenDriverChannel(const std::wstring& path);
    void CloseDriverChannel();
    ports::DriverRequestOutcome DriverRequest(std::uint32_t generation, std::uint32_t controlCode,
                                              std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

    // ---- Device enumeration ----
    std::vector<ports::PresentDevice> PresentDevices();

    // ---- Controls for tests, demos and the control tool ----
    void Plug();
    void Unplug();
    void SetIdentity(std::uint16_t vid, std::uint16_t pid);
    void SetReportLengths(std::uint16_t output, std::uint16_t input);
    void SetDriverChannelPresent(bool present);
    // The next `count` audio commands go unanswered (the readiness probe fails); kForever: never ready.
    void SetProbeFailures(std::uint32_t count);
    bool ArmFault(const FaultRule& rule);
    void ClearFaults();
    // Records a button report and tells whether a running scan should get it.
    InjectedButtonReport InjectButtonReport(const std::array<std::uint8_t, 5>& report);

    // ---- Inspection ----
    std::vector<RecordedRequest> Requests();
    void ClearRequests();
    template <typename Use> auto WithState(Use&& use)
    {
        const std::lock_guard guard(lock_);
        return use(state_);
    }

private:
    // False when a fault rule makes this request fail (an unplugging rule has unplugged already).
    bool PassesFaults(RequestKind kind, std::uint8_t entryPoint = kAnyEntryPoint);
    std::optional<FaultAction> StrikeAndUnplug(RequestKind kind);
    void UnplugLocked();
    bool Alive(std::uint32_t generation) const;

    ChipState& state_;
    StateLock& lock_;
};

} // namespace emulator
