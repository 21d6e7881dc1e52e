#pragma once
// The stand-in SDK library's button scan across processes: a press is injected into the shared chip by
// another process (the control tool), so a thread of the library watches the chip's press counter and
// calls the scan's callback, on that thread, as a real SDK calls from a thread of its own.
//
// The thread holds a reference to the library while it runs and drops it as it ends, so the library
// cannot be unloaded under it; it runs only while a scan does.

#include "emulator/win32/SharedEmulatedDevice.h"

#include <mutex>

namespace emulator {

class ButtonWatcher {
public:
    explicit ButtonWatcher(SharedEmulatedDevice& device) : device_(device) {}
    ButtonWatcher(const ButtonWatcher&) = delete;
    ButtonWatcher& operator=(const ButtonWatcher&) = delete;
    ~ButtonWatcher();

    // Starts the watcher when a scan runs in this process and none watches yet; stops it when the scan
    // has ended.
    void Follow();

private:
    void Stop();

    SharedEmulatedDevice& device_;
    std::mutex mutex_;
    win32::KernelHandle stop_; // the running watcher's stop event; empty when none runs
};

} // namespace emulator
