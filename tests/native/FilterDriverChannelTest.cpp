#include "ChipRecord.h"
#include "device/ByteOrder.h"
#include "device/FilterDriverChannel.h"
#include "emulator/EmulatedDevice.h"

#include <gtest/gtest.h>

#include <functional>

using device::DriverRequestResult;
using device::FilterDriverChannel;
using emulator::FaultAction;
using emulator::RequestKind;

namespace {

constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x1A2B;

class FilterDriverChannelTest : public testing::Test {
protected:
    FilterDriverChannelTest() { device_.chip().SetIdentity(kVid, kPid); }

    std::uint32_t OpenDriverHandles()
    {
        return device_.chip().WithState([](emulator::ChipState& s) { return s.openDriverHandles; });
    }

    emulator::EmulatedDevice device_;
    FilterDriverChannel channel_{device_.filterDriver()};
};

// The four requests, each as the panel sends it.
struct RequestCase {
    const char* name;
    std::function<DriverRequestResult(FilterDriverChannel&)> send;
    std::uint32_t controlCode;
    std::vector<std::uint8_t> input;
};

const std::vector<RequestCase>& Requests()
{
    static const std::vector<RequestCase> cases = {
        {"status",
         [](FilterDriverChannel& c) {
             std::uint32_t status = 0;
             return c.StatusRequest(status);
         },
         0x00223190,
         {1, 0, 0, 0, 0, 0, 0, 0}},
        {"control",
         [](FilterDriverChannel& c) {
             std::uint32_t value = 0x11223344;
             return c.ControlRequest(3, value);
         },
         0x00223028,
         {1, 0, 3, 0, 0x44, 0x33, 0x22, 0x11}},
        {"effect selection", [](FilterDriverChannel& c) { return c.SelectEffect(4); }, 0x08232008, {4, 0, 0, 0}},
        {"effect switch", [](FilterDriverChannel& c) { return c.SwitchEffect(1); }, 0x08232000, {1, 0, 0, 0}},
    };
    return cases;
}

} // namespace

TEST_F(FilterDriverChannelTest, PathCarriesVidAndPidAsUpperCaseHex)
{
    EXPECT_EQ(device::FilterDriverChannelPath(kVid, kPid), L"\\\\.\\Class#VexflPort&4D2F&1A2B");
    EXPECT_EQ(device::FilterDriverChannelPath(0x00ab, 0x0c), L"\\\\.\\Class#VexflPort&00AB&000C");
}

TEST_F(FilterDriverChannelTest, EveryRequestFailsToOpenBeforeTheChannelTest)
{
    for (const RequestCase& request : Requests())
        EXPECT_EQ(request.send(channel_), DriverRequestResult::CannotOpen) << request.name;
    EXPECT_TRUE(channel_.Path().empty());
    EXPECT_TRUE(chip_record::OfKind(device_.chip(), RequestKind::DriverOpen).empty());
}

TEST_F(FilterDriverChannelTest, ChannelTestKeepsThePathAndClosesItsHandle)
{
    EXPECT_FALSE(channel_.IsChannelMissing(kVid, kPid));
    EXPECT_EQ(channel_.Path(), L"\\\\.\\Class#VexflPort&4D2F&1A2B");
    EXPECT_EQ(OpenDriverHandles(), 0u);

    EXPECT_TRUE(channel_.IsChannelMissing(kVid, 0x1A2C)) << "another device's path";
    device_.chip().SetDriverChannelPresent(false);
    EXPECT_TRUE(channel_.IsChannelMissing(kVid, kPid)) << "driver not installed";
}

TEST_F(FilterDriverChannelTest, EachRequestSendsItsBytesThroughAHandleOfItsOwn)
{
    ASSERT_FALSE(channel_.IsChannelMissing(kVid, kPid));
    for (const RequestCase& request : Requests()) {
        SCOPED_TRACE(request.name);
        device_.chip().ClearRequests();
        EXPECT_EQ(request.send(channel_), DriverRequestResult::Ok);
        const auto requests = device_.chip().Requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].kind, RequestKind::DriverOpen);
        EXPECT_EQ(requests[1].kind, RequestKind::DriverControl);
        EXPECT_EQ(static_cast<std::uint32_t>(requests[1].args[0]), request.controlCode);
        EXPECT_EQ(chip_record::Bytes(requests[1]), request.input);
        EXPECT_EQ(OpenDriverHandles(), 0u);
    }
    const auto driver = device_.chip().WithState([](emulator::ChipState& s) { return s.driver; });
    EXPECT_EQ(driver.effectIndex, 4u);
    EXPECT_EQ(driver.effectSwitch, 1u);
    EXPECT_EQ(driver.controls[3], 0x11223344u);
}

TEST_F(FilterDriverChannelTest, AnswersComeBackToTheCaller)
{
    ASSERT_FALSE(channel_.IsChannelMissing(kVid, kPid));
    device_.chip().WithState([](emulator::ChipState& s) { s.driver.status = 0xCAFE0001; });
    std::uint32_t status = 0;
    EXPECT_EQ(channel_.StatusRequest(status), DriverRequestResult::Ok);
    EXPECT_EQ(status, 0xCAFE0001u);

    std::uint32_t value = 7;
    EXPECT_EQ(channel_.ControlRequest(0, value), DriverRequestResult::Ok);
    EXPECT_EQ(value, 7u);
}

TEST_F(FilterDriverChannelTest, FailuresGiveTheirNumberedResultsAndCloseTheHandle)
{
    struct FailureCase {
        const char* name;
        emulator::FaultRule fault;
        DriverRequestResult status, control, selection, effectSwitch;
    };
    const FailureCase cases[] = {
        {"channel cannot be opened", emulator::FaultAt(RequestKind::DriverOpen, 1), DriverRequestResult::CannotOpen,
         DriverRequestResult::CannotOpen, DriverRequestResult::CannotOpen, DriverRequestResult::CannotOpen},
        {"request fails", emulator::FaultAt(RequestKind::DriverControl, 1), DriverRequestResult::RequestFailed,
         DriverRequestResult::RequestFailed, DriverRequestResult::RequestFailed, DriverRequestResult::RequestFailed},
        {"device leaves during the request", emulator::FaultAt(RequestKind::DriverControl, 1, FaultAction::Unplug),
         DriverRequestResult::RequestFailed, DriverRequestResult::RequestFailed, DriverRequestResult::RequestFailed,
         DriverRequestResult::RequestFailed},
        {"no bytes answered", emulator::FaultAt(RequestKind::DriverControl, 1, FaultAction::AnswerEmpty),
         DriverRequestResult::Ok, DriverRequestResult::NoBytesReturned, DriverRequestResult::Ok,
         DriverRequestResult::Ok},
    };
    for (const FailureCase& failure : cases) {
        const DriverRequestResult expected[] = {failure.status, failure.control, failure.selection,
                                                failure.effectSwitch};
        for (std::size_t i = 0; i < Requests().size(); ++i) {
            SCOPED_TRACE(std::string(failure.name) + " / " + Requests()[i].name);
            emulator::EmulatedDevice device;
            device.chip().SetIdentity(kVid, kPid);
            FilterDriverChannel channel(device.filterDriver());
            ASSERT_FALSE(channel.IsChannelMissing(kVid, kPid));
            device.chip().ArmFault(failure.fault);
            EXPECT_EQ(Requests()[i].send(channel), expected[i]);
            EXPECT_EQ(device.chip().WithState([](emulator::ChipState& s) { return s.openDriverHandles; }), 0u);
        }
    }
}

TEST_F(FilterDriverChannelTest, ControlValueStaysWhenNoBytesCameBack)
{
    ASSERT_FALSE(channel_.IsChannelMissing(kVid, kPid));
    device_.chip().ArmFault(emulator::FaultAt(RequestKind::DriverControl, 1, FaultAction::AnswerEmpty));
    std::uint32_t value = 0x55;
    EXPECT_EQ(channel_.ControlRequest(0, value), DriverRequestResult::NoBytesReturned);
    EXPECT_EQ(value, 0x55u);
}

TEST_F(FilterDriverChannelTest, MissingDriverMakesTheTestTrueAndEveryRequestOne)
{
    device_.chip().SetDriverChannelPresent(false);
    EXPECT_TRUE(channel_.IsChannelMissing(kVid, kPid));
    for (const RequestCase& request : Requests())
        EXPECT_EQ(request.send(channel_), DriverRequestResult::CannotOpen) << request.name;
}
