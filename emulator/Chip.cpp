#include "emulator/Chip.h"

#include "common/Text.h"
#include "device/FilterDriverChannel.h"
#include "emulator/DriverRequests.h"
#include "emulator/HidRegisterProtocol.h"

namespace emulator {

namespace {

std::int32_t Result(bool succeeded)
{
    return succeeded ? 0 : 1;
}

void Finish(RecordedRequest& record, bool succeeded)
{
    record.succeeded = succeeded ? 1 : 0;
    record.result = Result(succeeded);
}

} // namespace

std::optional<FaultAction> Chip::StrikeAndUnplug(RequestKind kind)
{
    const auto action = StrikeFault(state_, kind, kAnyEntryPoint);
    if (action == FaultAction::Unplug)
        UnplugLocked();
    return action;
}

bool Chip::PassesFaults(RequestKind kind, std::uint8_t entryPoint)
{
    const auto action = StrikeFault(state_, kind, entryPoint);
    if (action == FaultAction::Unplug) {
        UnplugLocked();
        return true; // the request goes on and meets the missing device
    }
    return !action;
}

void Chip::UnplugLocked()
{
    state_.presence.plugged = 0;
    state_.presence.active = 0;
    state_.button.scanning = 0;
    state_.hid.registerSelected = 0;
    state_.hid.gpioReadPending = 0;
}

bool Chip::Alive(std::uint32_t generation) const
{
    return state_.presence.plugged && state_.presence.plugGeneration == generation;
}

std::optional<std::uint32_t> Chip::OpenHid(std::uint16_t vid, std::uint16_t pid)
{
    const std::lock_guard guard(lock_);
    const std::int32_t args[] = {vid, pid};
    RecordedRequest& record = AppendRequest(state_, RequestKind::HidOpen, kAnyEntryPoint, args, {});
    const bool opened = PassesFaults(RequestKind::HidOpen) && state_.presence.plugged && state_.presence.vid == vid &&
                        state_.presence.pid == pid;
    Finish(record, opened);
    if (!opened)
        return std::nullopt;
    ++state_.openHidHandles;
    return state_.presence.plugGeneration;
}

void Chip::CloseHid()
{
    const std::lock_guard guard(lock_);
    --state_.openHidHandles;
}

std::size_t Chip::OutputReportLength(std::uint32_t generation)
{
    const std::lock_guard guard(lock_);
    return Alive(generation) ? state_.presence.outputReportLength : 0;
}

std::size_t Chip::InputReportLength(std::uint32_t generation)
{
    const std::lock_guard guard(lock_);
    return Alive(generation) ? state_.presence.inputReportLength : 0;
}

bool Chip::TakeHidOutputReport(std::uint32_t generation, std::span<const std::uint8_t> report)
{
    const std::lock_guard guard(lock_);
    RecordedRequest& record = AppendRequest(state_, RequestKind::HidOutputReport, kAnyEntryPoint, {}, report);
    const bool taken = PassesFaults(RequestKind::HidOutputReport) && Alive(generation) &&
                       report.size() == state_.presence.outputReportLength && TakeOutputReport(state_, report);
    Finish(record, taken);
    return taken;
}

bool Chip::AnswerHidInputReport(std::uint32_t generation, std::span<std::uint8_t> report)
{
    const std::lock_guard guard(lock_);
    const bool answered = PassesFaults(RequestKind::HidInputReport) && Alive(generation) &&
                          report.size() == state_.presence.inputReportLength && AnswerInputReport(state_, report);
    // Recorded after answering, so that the record shows what the chip sent.
    Finish(AppendRequest(state_, RequestKind::HidInputReport, kAnyEntryPoint, {}, report), answered);
    return answered;
}

std::optional<std::uint32_t> Chip::OpenDriverChannel(const std::wstring& path)
{
    const std::lock_guard guard(lock_);
    RecordedRequest& record = AppendRequest(state_, RequestKind::DriverOpen, kAnyEntryPoint, {}, {});
    const bool opened =
        PassesFaults(RequestKind::DriverOpen) && state_.presence.plugged && state_.presence.driverChannelPresent &&
        EqualsIgnoreAsciiCase(path, device::FilterDriverChannelPath(state_.presence.vid, state_.presence.pid));
    Finish(record, opened);
    if (!opened)
        return std::nullopt;
    ++state_.openDriverHandles;
    return state_.presence.plugGeneration;
}

void Chip::CloseDriverChannel()
{
    const std::lock_guard guard(lock_);
    --state_.openDriverHandles;
}

ports::DriverRequestOutcome Chip::DriverRequest(std::uint32_t generation, std::uint32_t controlCode,
                                                std::span<const std::uint8_t> input, std::span<std::uint8_t> output)
{
    const std::lock_guard guard(lock_);
    const std::int32_t args[] = {static_cast<std::int32_t>(controlCode)};
    RecordedRequest& record = AppendRequest(state_, RequestKind::DriverControl, kAnyEntryPoint, args, input);
    ports::DriverRequestOutcome outcome;
    const auto action = StrikeAndUnplug(RequestKind::DriverControl);
    if (action == FaultAction::AnswerEmpty)
        outcome = {true, 0};
    else if (action != FaultAction::Fail && Alive(generation) && state_.presence.driverChannelPresent)
        outcome = RunDriverRequest(state_.driver, controlCode, input, output);
    Finish(record, outcome.succeeded);
    return outcome;
}

std::vector<ports::PresentDevice> Chip::PresentDevices()
{
    const std::lock_guard guard(lock_);
    if (!state_.presence.plugged)
        return {};
    ports::PresentDevice device;
    for (std::uint32_t i = 0; i < state_.presence.hardwareIdCount && i < kHardwareIdCapacity; ++i) {
        std::wstring id;
        for (const char16_t* c = state_.presence.hardwareIds[i]; *c != u'\0'; ++c)
            id.push_back(static_cast<wchar_t>(*c));
        device.hardwareIds.push_back(std::move(id));
    }
    return {device};
}

void Chip::Plug()
{
    const std::lock_guard guard(lock_);
    if (state_.presence.plugged)
        return;
    state_.presence.plugged = 1;
    ++state_.presence.plugGeneration;
}

void Chip::Unplug()
{
    const std::lock_guard guard(lock_);
    UnplugLocked();
}

void Chip::SetIdentity(std::uint16_t vid, std::uint16_t pid)
{
    const std::lock_guard guard(lock_);
    SetChipIdentity(state_, vid, pid);
}

void Chip::SetReportLengths(std::uint16_t output, std::uint16_t input)
{
    const std::lock_guard guard(lock_);
    state_.presence.outputReportLength = output;
    state_.presence.inputReportLength = input;
}

void Chip::SetDriverChannelPresent(bool present)
{
    const std::lock_guard guard(lock_);
    state_.presence.driverChannelPresent = present ? 1 : 0;
}

void Chip::SetProbeFailures(std::uint32_t count)
{
    const std::lock_guard guard(lock_);
    state_.sound.probeFailuresLeft = count;
}

bool Chip::ArmFault(const FaultRule& rule)
{
    const std::lock_guard guard(lock_);
    return ArmFaultRule(state_, rule);
}

void Chip::ClearFaults()
{
    const std::lock_guard guard(lock_);
    ClearFaultRules(state_);
}

InjectedButtonReport Chip::InjectButtonReport(const std::array<std::uint8_t, 5>& report)
{
    const std::lock_guard guard(lock_);
    std::copy(report.begin(), report.end(), state_.button.report);
    ++state_.button.pressCount;
    const bool deliver = state_.presence.plugged && state_.button.scanning;
    Finish(AppendRequest(state_, RequestKind::ButtonReport, kAnyEntryPoint, {}, report), deliver);
    return {deliver, state_.button.scanVid, state_.button.scanPid};
}

std::vector<RecordedRequest> Chip::Requests()
{
    const std::lock_guard guard(lock_);
    return RecordedRequests(state_);
}

void Chip::ClearRequests()
{
    const std::lock_guard guard(lock_);
    ClearRecordedRequests(state_);
}

} // namespace emulator
