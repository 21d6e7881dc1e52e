#include "emulator/Faults.h"

namespace emulator {

FaultRule FaultAt(RequestKind kind, std::uint32_t n, FaultAction action, std::uint32_t count, std::uint8_t entryPoint)
{
    return FaultRule{1, kind, entryPoint, action, n > 0 ? n - 1 : 0, count};
}

bool ArmFaultRule(ChipState& state, const FaultRule& rule)
{
    for (FaultRule& slot : state.faults) {
        if (!slot.armed) {
            slot = rule;
            slot.armed = 1;
            return true;
        }
    }
    return false;
}

void ClearFaultRules(ChipState& state)
{
    for (FaultRule& slot : state.faults)
        slot = FaultRule{};
}

std::optional<FaultAction> StrikeFault(ChipState& state, RequestKind kind, std::uint8_t entryPoint)
{
    std::optional<FaultAction> struck;
    for (FaultRule& rule : state.faults) {
        if (!rule.armed || rule.kind != kind || (rule.entryPoint != kAnyEntryPoint && rule.entryPoint != entryPoint))
            continue;
        if (rule.skip > 0) {
            --rule.skip;
            continue;
        }
        if (!struck)
            struck = rule.action;
        if (rule.strikes != kForever && --rule.strikes == 0)
            rule = FaultRule{};
    }
    return struck;
}

} // namespace emulator
