// The button reports cross from the SDK's threads to the GUI thread through the scan's mailbox; these
// cases run under ThreadSanitizer too (the tsan preset).
#include "device/ButtonScan.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

using device::ButtonReport;

namespace {

constexpr int kSdkThreads = 3;
constexpr int kReportsPerThread = 200;

// A report that says which thread sent it and its number on that thread, so that order and
// exactly-once delivery can be read back from what the handler saw.
ButtonReport Numbered(int thread, int number)
{
    return {static_cast<std::uint8_t>(thread), static_cast<std::uint8_t>(number & 0xFF),
            static_cast<std::uint8_t>(number >> 8), 0, 0};
}

void Send(const ButtonReport& report)
{
    device::ButtonScan::SdkCallback(0x4D2F, 0x4802, report.data(), static_cast<std::int32_t>(report.size()), 0);
}

} // namespace

TEST(ButtonScanThreads, ReportsFromSeveralSdkThreadsReachTheGuiThreadOnceEachInTheirOrder)
{
    emulator::EmulatedDevice device;
    memory::RecordingDebugOutput debug;
    std::atomic<int> wakes = 0;
    std::vector<ButtonReport> handled;
    device::ButtonScan scan(device.sdk(), debug, 2,
                            {[&] { wakes.fetch_add(1); },
                             [&](const ButtonReport& report) {
                                 handled.push_back(report);
                                 return 0;
                             },
                             {}});

    std::atomic<int> running = kSdkThreads;
    std::vector<std::jthread> sdkThreads;
    for (int t = 0; t < kSdkThreads; ++t)
        sdkThreads.emplace_back([t, &running] {
            for (int n = 0; n < kReportsPerThread; ++n)
                Send(Numbered(t + 1, n));
            running.fetch_sub(1);
        });
    // The GUI thread takes what has arrived while the SDK's threads are still posting.
    while (running.load() > 0)
        scan.DeliverReports();
    sdkThreads.clear();
    scan.DeliverReports();

    EXPECT_EQ(wakes.load(), kSdkThreads * kReportsPerThread) << "one wake-up per report";
    ASSERT_EQ(handled.size(), static_cast<std::size_t>(kSdkThreads * kReportsPerThread))
        << "every report differs from the one before it, so each reaches the handler";
    std::map<int, int> next;
    for (const ButtonReport& report : handled) {
        const int number = report[1] | (report[2] << 8);
        EXPECT_EQ(number, next[report[0]]++) << "thread " << int(report[0]);
    }
    EXPECT_TRUE(scan.ButtonSeen());
}

TEST(ButtonScanThreads, ScanEndingWhileTheSdkStillCallsBackIsSafe)
{
    emulator::EmulatedDevice device;
    memory::RecordingDebugOutput debug;
    std::atomic<bool> stop = false;
    std::jthread sdkThread([&] {
        for (int n = 0; !stop.load(); ++n)
            Send(Numbered(1, n));
    });
    // Scans come and go (device removal and arrival) while reports keep coming.
    for (int round = 0; round < 20; ++round) {
        std::atomic<int> wakes = 0;
        device::ButtonScan scan(device.sdk(), debug, 2,
                                {[&] { wakes.fetch_add(1); }, [](const ButtonReport&) { return 0; }, {}});
        while (wakes.load() == 0)
            std::this_thread::yield();
        scan.DeliverReports();
    }
    stop = true;
}
