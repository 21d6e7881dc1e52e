#include "common/ServiceControl.h"

#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryServiceManager.h"

#include <gtest/gtest.h>

namespace {

using memory::SimulatedService;
using ports::ServiceAccess;
using ports::ServiceState;

constexpr wchar_t kName[] = L"DeviceWatchService";
constexpr std::uint32_t kUserControl = 193;

class ServiceControlTest : public testing::Test {
protected:
    int Control(std::uint32_t control) { return ControlTheService(services, clock, kName, control); }

    void TearDown() override { EXPECT_EQ(services.OpenHandles(), 0) << "every handle must be closed"; }

    memory::ManualClock clock;
    memory::MemoryServiceManager services{clock};
};

SimulatedService Running()
{
    SimulatedService service;
    service.state = ServiceState::Running;
    return service;
}

} // namespace

TEST_F(ServiceControlTest, StartAndStopResultsAndWaiting)
{
    struct Case {
        const char* what;
        SimulatedService service;
        std::uint32_t control;
        int result;
        std::uint64_t waitedMs;
        ServiceState stateAfter;
    };
    const auto with = [](SimulatedService service, auto change) {
        change(service);
        return service;
    };
    const SimulatedService stopped;
    const Case cases[] = {
        {"stop, at once", Running(), kServiceStop, kServiceControlOk, 300, ServiceState::Stopped},
        {"stop, in 1 s", with(Running(), [](auto& s) { s.stopTakesMs = 1000; }), kServiceStop, kServiceControlOk, 1200,
         ServiceState::Stopped},
        {"stop, on the last poll", with(Running(), [](auto& s) { s.stopTakesMs = 9000; }), kServiceStop,
         kServiceControlOk, 9000, ServiceState::Stopped},
        {"stop, just too late", with(Running(), [](auto& s) { s.stopTakesMs = 9001; }), kServiceStop,
         kServiceNeverStopped, 9000, ServiceState::StopPending},
        {"stop, never", with(Running(), [](auto& s) { s.stopTakesMs = memory::kNeverMs; }), kServiceStop,
         kServiceNeverStopped, 9000, ServiceState::StopPending},
        {"stop, refused", with(Running(), [](auto& s) { s.acceptsStop = false; }), kServiceStop, kServiceStopRefused, 0,
         ServiceState::Running},
        {"start, at once", stopped, kServiceStart, kServiceControlOk, 300, ServiceState::Running},
        {"start, in 2 s", with(stopped, [](auto& s) { s.startTakesMs = 2000; }), kServiceStart, kServiceControlOk, 2100,
         ServiceState::Running},
        {"start, never", with(stopped, [](auto& s) { s.startTakesMs = memory::kNeverMs; }), kServiceStart,
         kServiceNeverRunning, 9000, ServiceState::StartPending},
        {"start, fails", with(stopped, [](auto& s) { s.startSucceeds = false; }), kServiceStart, kServiceStartFailed, 0,
         ServiceState::Stopped},
        {"start, already running", Running(), kServiceStart, kServiceControlOk, 0, ServiceState::Running},
    };
    for (const Case& c : cases) {
        memory::ManualClock caseClock;
        memory::MemoryServiceManager caseServices(caseClock);
        caseServices.Add(kName, c.service);
        EXPECT_EQ(ControlTheService(caseServices, caseClock, kName, c.control), c.result) << c.what;
        EXPECT_EQ(caseClock.TotalSleptMs(), c.waitedMs) << c.what;
        EXPECT_EQ(caseServices.At(kName).state, c.stateAfter) << c.what;
        EXPECT_EQ(caseServices.Opens(),
                  (std::vector<memory::MemoryServiceManager::OpenRecord>{{kName, ServiceAccess::All}}))
            << c.what;
        EXPECT_EQ(caseServices.OpenHandles(), 0) << c.what;
    }
}

TEST_F(ServiceControlTest, NeverStoppingServiceIsPolledThirtyTimesEvery300Ms)
{
    services.Add(kName, Running());
    services.At(kName).stopTakesMs = memory::kNeverMs;
    EXPECT_EQ(Control(kServiceStop), kServiceNeverStopped);
    EXPECT_EQ(clock.SleepCount(), 30u);
    EXPECT_EQ(clock.TotalSleptMs(), 30u * 300u);
}

TEST_F(ServiceControlTest, StopOnAStoppedServiceSendsNothing)
{
    services.Add(kName, SimulatedService{});
    EXPECT_EQ(Control(kServiceStop), kServiceControlOk);
    EXPECT_TRUE(services.Controls().empty());
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
}

TEST_F(ServiceControlTest, StartOnARunningServiceStartsNothing)
{
    services.Add(kName, Running());
    EXPECT_EQ(Control(kServiceStart), kServiceControlOk);
    EXPECT_TRUE(services.Starts().empty());
}

TEST_F(ServiceControlTest, UserControlNeedsOnlyQueryAndUserControlRightsAndAlwaysSucceeds)
{
    services.Add(kName, Running());
    EXPECT_EQ(Control(kUserControl), kServiceControlOk);
    services.At(kName).acceptsControls = false;
    EXPECT_EQ(Control(kUserControl), kServiceControlOk);

    using Open = memory::MemoryServiceManager::OpenRecord;
    using Sent = memory::MemoryServiceManager::ControlRecord;
    EXPECT_EQ(services.Opens(), (std::vector<Open>{{kName, ServiceAccess::QueryAndUserControl},
                                                   {kName, ServiceAccess::QueryAndUserControl}}));
    EXPECT_EQ(services.Controls(), (std::vector<Sent>{{kName, kUserControl, true}, {kName, kUserControl, false}}));
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
}

TEST_F(ServiceControlTest, AccessRightsByControlCode)
{
    services.Add(kName, Running());
    for (const std::uint32_t control : {2u, 127u, 128u, 255u}) {
        EXPECT_EQ(Control(control), kServiceControlOk) << control;
        ASSERT_FALSE(services.Opens().empty());
        EXPECT_EQ(services.Opens().back().access,
                  control >= 128 ? ServiceAccess::QueryAndUserControl : ServiceAccess::All)
            << control;
        EXPECT_EQ(services.Controls().back().code, control);
        EXPECT_TRUE(services.Controls().back().accepted) << control;
    }
}

TEST_F(ServiceControlTest, FailuresBeforeTheControlAreNumberedByStep)
{
    services.FailConnect();
    EXPECT_EQ(Control(kServiceStart), kServiceNoManager);
    services.FailConnect(false);

    EXPECT_EQ(Control(kServiceStart), kServiceCannotOpen) << "no such service";

    services.Add(kName, SimulatedService{});
    services.At(kName).canOpen = false;
    EXPECT_EQ(Control(kUserControl), kServiceCannotOpen);

    services.At(kName).canOpen = true;
    services.At(kName).canQuery = false;
    for (const std::uint32_t control : {kServiceStart, kServiceStop, kUserControl})
        EXPECT_EQ(Control(control), kServiceCannotQuery) << control;

    EXPECT_TRUE(services.Controls().empty());
    EXPECT_TRUE(services.Starts().empty());
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
}

TEST_F(ServiceControlTest, AFailingQueryWhilePollingCountsAsNotYet)
{
    services.Add(kName, Running());
    services.At(kName).stopTakesMs = 600;
    clock.OnAdvance([this](std::uint64_t now) { services.At(kName).canQuery = now != 300; });
    EXPECT_EQ(Control(kServiceStop), kServiceControlOk);
    EXPECT_EQ(clock.TotalSleptMs(), 600u);
}
