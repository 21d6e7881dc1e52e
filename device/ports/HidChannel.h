#pragma once
// The device's HID interface: found by VID and PID, then driven with output and input reports.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace ports {

// One open HID interface; destroying it closes the handle.
class HidInterface {
public:
    virtual ~HidInterface() = default;
    // The report lengths the interface announces, in bytes; 0 when they cannot be read.
    virtual std::size_t OutputReportLength() const = 0;
    virtual std::size_t InputReportLength() const = 0;
    // One output report, sent as given (report ID in byte 0). False when the device did not take it.
    virtual bool SendOutputReport(std::span<const std::uint8_t> report) = 0;
    // One input report into `report`, whose size is the input report length. False when none came.
    virtual bool ReadInputReport(std::span<std::uint8_t> report) = 0;
};

class HidChannel {
public:
    virtual ~HidChannel() = default;
    // The first present HID interface with this VID and PID, opened for reading and writing with
    // shared access; null when there is none.
    virtual std::unique_ptr<HidInterface> OpenFirst(std::uint16_t vid, std::uint16_t pid) = 0;
};

} // namespace ports
