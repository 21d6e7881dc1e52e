#include "emulator/RequestLog.h"

#include <algorithm>

namespace emulator {

RecordedRequest& AppendRequest(ChipState& state, RequestKind kind, std::uint8_t entryPoint,
                               std::span<const std::int32_t> args, std::span<const std::uint8_t> data)
{
    const std::uint32_t sequence = state.requestCount++;
    RecordedRequest& entry = state.requests[sequence % kRequestCapacity];
    entry = RecordedRequest{};
    entry.sequence = sequence;
    entry.kind = kind;
    entry.entryPoint = entryPoint;
    entry.argCount = static_cast<std::uint8_t>(std::min(args.size(), kRecordedArgCapacity));
    std::copy_n(args.begin(), entry.argCount, entry.args);
    entry.dataLength = static_cast<std::uint32_t>(data.size());
    std::copy_n(data.begin(), std::min(data.size(), kRecordedDataCapacity), entry.data);
    return entry;
}

std::vector<RecordedRequest> RecordedRequests(const ChipState& state)
{
    const std::uint32_t kept = std::min<std::uint32_t>(state.requestCount, kRequestCapacity);
    std::vector<RecordedRequest> requests;
    requests.reserve(kept);
    for (std::uint32_t sequence = state.requestCount - kept; sequence != state.requestCount; ++sequence)
        requests.push_back(state.requests[sequence % kRequestCapacity]);
    return requests;
}

void ClearRecordedRequests(ChipState& state)
{
    state.requestCount = 0;
}

} // namespace emulator
