#include "ChipRecord.h"
#include "device/ButtonScan.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using device::ButtonReport;
using emulator::ButtonDelivery;
using emulator::RequestKind;
using sdk::EntryPoint;

namespace {

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4802;
constexpr std::uint8_t kEncGpio = 2;

// The panel's side of the scan: the GUI thread is the test's thread; the noise-cancellation handler
// notes every report it gets and on which thread.
class ButtonScanTest : public testing::Test {
protected:
    ButtonScanTest() { EXPECT_EQ(device_.sdk().DLLQZ_SetActive_Device(kVid, kPid), 0); }

    device::ButtonScan::Hooks Hooks()
    {
        return {[this] { wakeThreads_.push_back(std::this_thread::get_id()); },
                [this](const ButtonReport& report) {
                    handled_.push_back(report);
                    handlerThreads_.push_back(std::this_thread::get_id());
                    return handlerResult_;
                },
                [this] { ++pendingMessageRuns_; }};
    }

    emulator::EmulatedDevice device_;
    memory::RecordingDebugOutput debug_;
    std::vector<std::thread::id> wakeThreads_;
    std::vector<std::thread::id> handlerThreads_;
    std::vector<ButtonReport> handled_;
    int handlerResult_ = 0;
    int pendingMessageRuns_ = 0;
    device::ButtonScan scan_{device_.sdk(), debug_, kEncGpio, Hooks()};
};

} // namespace

TEST_F(ButtonScanTest, StartSetsTheGpioModeThenScans)
{
    EXPECT_EQ(scan_.Start(kVid, kPid), 0);
    const auto calls = chip_record::OfKind(device_.chip(), RequestKind::SdkCall);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_SetGpioModeEx_ById));
    EXPECT_EQ(chip_record::Args(calls[1]), (std::vector<std::int32_t>{kEncGpio, 0, 0}));
    EXPECT_EQ(calls[2].entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_ScanButton_ById));
    EXPECT_EQ(chip_record::Args(calls[2]), (std::vector<std::int32_t>{kVid, kPid, 1, 0}));
    EXPECT_TRUE(device_.sdk().PressButton({0, 0, 0, 0, 0}));
}

TEST_F(ButtonScanTest, FailedGpioModeEndsTheSetUpWithoutScan)
{
    device_.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_SetGpioModeEx_ById, 1));
    EXPECT_NE(scan_.Start(kVid, kPid), 0);
    for (const auto& call : chip_record::OfKind(device_.chip(), RequestKind::SdkCall))
        EXPECT_NE(call.entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_ScanButton_ById));
    EXPECT_FALSE(device_.sdk().PressButton({0, 0, 0, 0, 0}));
}

TEST_F(ButtonScanTest, ReportFromTheSdkThreadIsHandledOnTheGuiThreadOnly)
{
    ASSERT_EQ(scan_.Start(kVid, kPid), 0);
    EXPECT_TRUE(device_.sdk().PressButton({0x00, 0x00, 0x04, 0x00, 0x00}, ButtonDelivery::OtherThread));

    ASSERT_EQ(wakeThreads_.size(), 1u);
    EXPECT_NE(wakeThreads_[0], std::this_thread::get_id()) << "woken from the SDK's thread";
    EXPECT_TRUE(handled_.empty()) << "nothing runs before the GUI thread takes the report";
    EXPECT_FALSE(scan_.ButtonSeen());

    scan_.DeliverReports();
    EXPECT_EQ(handled_, (std::vector<ButtonReport>{{0x00, 0x00, 0x04, 0x00, 0x00}}));
    EXPECT_EQ(handlerThreads_, (std::vector<std::thread::id>{std::this_thread::get_id()}));
    EXPECT_TRUE(scan_.ButtonSeen());
}

TEST_F(ButtonScanTest, SameReportTwiceReachesTheHandlerOnce)
{
    ASSERT_EQ(scan_.Start(kVid, kPid), 0);
    for (const ButtonReport& report :
         {ButtonReport{1, 2, 3, 4, 5}, ButtonReport{1, 2, 3, 4, 5}, ButtonReport{1, 2, 0xAB, 4, 5}})
        device_.sdk().PressButton(report, ButtonDelivery::OtherThread);
    scan_.DeliverReports();

    EXPECT_EQ(handled_, (std::vector<ButtonReport>{{1, 2, 3, 4, 5}, {1, 2, 0xAB, 4, 5}}));
    EXPECT_EQ(pendingMessageRuns_, 3) << "pending messages are processed after every report";
    EXPECT_EQ(debug_.Lines(), (std::vector<std::wstring>{
                                  L"Previous = ", L"", L"Current = ", L"Raw Data = 01 02 03 04 05\n\n", L"Previous = ",
                                  L"Raw Data = 01 02 03 04 05\n\n", L"Current = ", L"Raw Data = 01 02 AB 04 05\n\n"}));
}

TEST_F(ButtonScanTest, HandlerFailureIsLoggedUnlessZeroOrMinusOne)
{
    ASSERT_EQ(scan_.Start(kVid, kPid), 0);
    const std::pair<int, bool> cases[] = {{0, false}, {-1, false}, {5, true}, {-2, true}};
    std::uint8_t distinct = 0;
    for (const auto& [result, logged] : cases) {
        debug_.Clear();
        handlerResult_ = result;
        device_.sdk().PressButton({distinct++, 0, 0, 0, 0});
        scan_.DeliverReports();
        const std::wstring failLine = L"***** SendEncButton FAIL! ***** (ret = " + std::to_wstring(result) + L")\n";
        EXPECT_EQ(debug_.Contains(failLine), logged) << result;
    }
}

TEST(ButtonScan, ButtonSeenOnlyWithAButtonLine)
{
    emulator::EmulatedDevice device;
    memory::RecordingDebugOutput debug;
    ASSERT_EQ(device.sdk().DLLQZ_SetActive_Device(kVid, kPid), 0);
    int handled = 0;
    device::ButtonScan scan(device.sdk(), debug, 0,
                            {{},
                             [&](const ButtonReport&) {
                                 ++handled;
                                 return 0;
                             },
                             {}});
    ASSERT_EQ(scan.Start(kVid, kPid), 0);
    device.sdk().PressButton({1, 0, 0, 0, 0});
    scan.DeliverReports();
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(scan.ButtonSeen());
}

TEST(ButtonScan, CallbackReadsNoFurtherThanTheLengthTheSdkGives)
{
    // Found by fuzzing: a report shorter than five bytes was read past its end.
    memory::RecordingDebugOutput debug;
    emulator::EmulatedDevice device;
    std::vector<ButtonReport> handled;
    device::ButtonScan scan(device.sdk(), debug, kEncGpio,
                            {{},
                             [&](const ButtonReport& report) {
                                 handled.push_back(report);
                                 return 0;
                             },
                             {}});
    const auto shortReport = std::make_unique<std::uint8_t[]>(2);
    shortReport[0] = 0x11;
    shortReport[1] = 0x22;
    EXPECT_EQ(device::ButtonScan::SdkCallback(kVid, kPid, shortReport.get(), 2, 0), 0);
    // A report without bytes carries nothing.
    EXPECT_EQ(device::ButtonScan::SdkCallback(kVid, kPid, shortReport.get(), 0, 0), 0);
    EXPECT_EQ(device::ButtonScan::SdkCallback(kVid, kPid, shortReport.get(), -1, 0), 0);
    scan.DeliverReports();
    EXPECT_EQ(handled, (std::vector<ButtonReport>{{0x11, 0x22, 0, 0, 0}}));
}

TEST(ButtonScan, CallbackAfterTheScanIsGoneIsDropped)
{
    emulator::EmulatedDevice device;
    memory::RecordingDebugOutput debug;
    ASSERT_EQ(device.sdk().DLLQZ_SetActive_Device(kVid, kPid), 0);
    {
        device::ButtonScan scan(device.sdk(), debug, kEncGpio, {});
        ASSERT_EQ(scan.Start(kVid, kPid), 0);
    }
    EXPECT_TRUE(device.sdk().PressButton({1, 2, 3, 4, 5}, ButtonDelivery::OtherThread));
    EXPECT_TRUE(debug.Lines().empty());
}
