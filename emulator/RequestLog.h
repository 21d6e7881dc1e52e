#pragma once
// The chip's ordered record of every request, kept in the chip state as a ring of the latest ones.

#include "emulator/ChipState.h"

#include <span>
#include <vector>

namespace emulator {

// Records a request and returns its entry, so that the caller can fill in the outcome.
RecordedRequest& AppendRequest(ChipState& state, RequestKind kind, std::uint8_t entryPoint,
                               std::span<const std::int32_t> args, std::span<const std::uint8_t> data);

// The kept requests, oldest first.
std::vector<RecordedRequest> RecordedRequests(const ChipState& state);

void ClearRecordedRequests(ChipState& state);

} // namespace emulator
