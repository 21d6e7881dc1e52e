#pragma once
// Carries the device's button reports from the SDK's thread to the GUI thread. The SDK calls back on
// a thread of its choosing; nothing there may touch window state, so the report is only queued and the
// GUI thread is woken to take it.

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace device {

using ButtonReport = std::array<std::uint8_t, 5>;

class ButtonReportMailbox {
public:
    // `wakeGuiThread` runs on the posting thread after each report is queued (on Windows: post a
    // message to the main window). It must neither touch window state nor wait for the GUI thread
    // (PostMessage, never SendMessage): the GUI thread may be tearing the scan down at that moment.
    explicit ButtonReportMailbox(std::function<void()> wakeGuiThread) : wakeGuiThread_(std::move(wakeGuiThread)) {}

    void Post(const ButtonReport& report); // any thread
    std::vector<ButtonReport> TakeAll();   // the GUI thread, in posting order

private:
    std::function<void()> wakeGuiThread_;
    std::mutex mutex_;
    std::vector<ButtonReport> pending_;
};

} // namespace device
