#pragma once
// Reading the emulated chip's request record in tests.

#include "emulator/Chip.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace chip_record {

inline std::vector<emulator::RecordedRequest> OfKind(emulator::Chip& chip, emulator::RequestKind kind)
{
    std::vector<emulator::RecordedRequest> matching;
    for (const auto& request : chip.Requests()) {
        if (request.kind == kind)
            matching.push_back(request);
    }
    return matching;
}

// The kept bytes of a request (all of them for reports up to the record's capacity).
inline std::vector<std::uint8_t> Bytes(const emulator::RecordedRequest& request)
{
    const auto kept = std::min<std::size_t>(request.dataLength, emulator::kRecordedDataCapacity);
    return {request.data, request.data + kept};
}

// The first five bytes of every report of `kind`: the part of the register channel that carries meaning.
inline std::vector<std::vector<std::uint8_t>> ReportHeads(emulator::Chip& chip, emulator::RequestKind kind)
{
    std::vector<std::vector<std::uint8_t>> heads;
    for (const auto& request : OfKind(chip, kind)) {
        const auto bytes = Bytes(request);
        heads.emplace_back(bytes.begin(),
                           bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), 5)));
    }
    return heads;
}

inline std::vector<std::int32_t> Args(const emulator::RecordedRequest& request)
{
    return {request.args, request.args + request.argCount};
}

} // namespace chip_record
