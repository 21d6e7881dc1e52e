#pragma once

#include "common/ports/DeviceEnumeration.h"
#include "platform/win32/Win32Failure.h"

#include <memory>

namespace win32 {

// SetupAPI's list of present devices of all classes. Under a plain Windows as under Wine the list takes
// many registry reads, so a search for the window's thread runs on a worker thread of its own, made at
// the first such search; its list comes back as a message to a message-only window of the thread that
// asked.
class Win32DeviceEnumeration final : public ports::DeviceEnumeration {
public:
    explicit Win32DeviceEnumeration(ports::DebugOutput& debug = SystemDebugOutput());
    ~Win32DeviceEnumeration() override;
    Win32DeviceEnumeration(const Win32DeviceEnumeration&) = delete;
    Win32DeviceEnumeration& operator=(const Win32DeviceEnumeration&) = delete;

    ports::PresentDeviceList PresentDevices() const override;
    std::unique_ptr<ports::PendingDeviceSearch> SearchAway(SearchDone done) const override;

private:
    class Worker;
    ports::DebugOutput& debug_;
    mutable std::unique_ptr<Worker> worker_;
};

} // namespace win32
