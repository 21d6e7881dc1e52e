#pragma once
// Fault injection: rules that make a chosen request of a kind fail, or the device vanish there.

#include "emulator/ChipState.h"

#include <optional>

namespace emulator {

// A rule for the n-th (1-based, counted from now) matching request, affecting `count` requests.
FaultRule FaultAt(RequestKind kind, std::uint32_t n, FaultAction action = FaultAction::Fail, std::uint32_t count = 1,
                  std::uint8_t entryPoint = kAnyEntryPoint);
inline FaultRule FaultAt(sdk::EntryPoint entry, std::uint32_t n, FaultAction action = FaultAction::Fail,
                         std::uint32_t count = 1)
{
    return FaultAt(RequestKind::SdkCall, n, action, count, static_cast<std::uint8_t>(entry));
}

// False when every rule slot is taken.
bool ArmFaultRule(ChipState& state, const FaultRule& rule);
void ClearFaultRules(ChipState& state);

// Counts this request against every armed rule that matches it; the first rule that strikes names
// what happens to the request.
std::optional<FaultAction> StrikeFault(ChipState& state, RequestKind kind, std::uint8_t entryPoint);

} // namespace emulator
