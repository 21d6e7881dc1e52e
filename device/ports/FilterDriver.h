#pragma once
// The audio filter driver's device channel: a device path opened for one buffered control request.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace ports {

struct DriverRequestOutcome {
    bool succeeded = false;
    std::uint32_t bytesReturned = 0;
};

// One open handle to the driver's channel; destroying it closes the handle.
class FilterDriverHandle {
public:
    virtual ~FilterDriverHandle() = default;
    // One buffered control request: `input` goes to the driver, the answer lands in `output`.
    virtual DriverRequestOutcome Request(std::uint32_t controlCode, std::span<const std::uint8_t> input,
                                         std::span<std::uint8_t> output) = 0;
};

class FilterDriver {
public:
    virtual ~FilterDriver() = default;
    // Opens an existing device path for reading and writing, shared; null when it cannot be opened.
    virtual std::unique_ptr<FilterDriverHandle> OpenDevicePath(const std::wstring& path) = 0;
};

} // namespace ports
