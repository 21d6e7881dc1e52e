// Arrival, poll and removal on the main window: which state each leads to, and the order in which they
// ask the features to bring the device into the panel's state.

#include "panel/shell/PresenceHandlers.h"

#include "ChipRecord.h"
#include "PanelFixture.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Steps = std::vector<std::string>;
using device::DeviceOutcome;

constexpr wchar_t kConfig[] = L"C:\\Tonvio\\AudioConfig.cfg";
constexpr std::uint16_t kVid = 0x4D2F;
constexpr std::uint16_t kPid = 0x4812;
const std::wstring kHidPath =
    L"\\\\?\\HID#VID_4D2F&PID_4812&MI_03#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// Records every step by name; answers as a test arranges. A step may run queued "messages" when it
// processes pending messages, as a nested handler run would.
class RecordingSteps final : public shell::PresenceSteps {
public:
    void ShowOutcome(DeviceOutcome outcome) override
    {
        Add(outcome == DeviceOutcome::Active          ? "ShowActive"
            : outcome == DeviceOutcome::MissingDriver ? "ShowMissingDriver"
                                                      : "ShowNoHid");
    }
    void LayOutCurrentPage() override { Add("LayOut"); }
    int CurrentPage() const override { return page; }
    void ProcessPendingMessages() override
    {
        Add("Pending");
        while (!queued.empty()) {
            auto message = std::move(queued.front());
            queued.pop_front();
            message();
        }
    }
    void EnablePresencePoll(bool enabled) override
    {
        pollEnabled = enabled;
        Add(enabled ? "PollOn" : "PollOff");
    }
    bool HasCaptureEndpoint() override { return captureEndpoint; }
    void RunMicrophoneProbe() override { Add("MicProbe"); }
    void MicMuteAndMonitorOff() override { Add("MicOff"); }
    void EmptyMicMeter() override { Add("MeterEmpty"); }
    void ReleaseCaptureEndpoint() override { Add("ReleaseCapture"); }
    void ForgetCaptureHandle() override { Add("ForgetCapture"); }
    void ApplyLedLineState() override { Add("LedLine"); }
    void RunLedSetup() override { Add("LedSetup"); }
    void CloseLedEffectEvent() override { Add("LedEventClosed"); }
    void NoiseCancellationFromRegistry() override { Add("EncFromRegistry"); }
    void ShowNoiseCancellationPage() override { Add("EncPage"); }
    void VoiceEffectFromRegistry() override { Add("VoiceFromRegistry"); }
    void ShowVoiceEffectPage() override { Add("VoicePage"); }
    void StartEncButtonScan() override { Add("ButtonScan"); }
    void ClearButtonSeen() override { Add("ButtonSeenCleared"); }
    bool EqualizerTakenFromDevice() override { return eqFromDevice; }
    void ConfirmEqualizerEnable() override { Add("EqConfirm"); }
    int DefaultEqualizerSwitch() override { return eqDefault; }
    void SwitchEqualizerOn() override { Add("EqOn"); }
    bool D3TakenFromDevice() override { return d3FromDevice; }
    void Confirm3DEnable() override { Add("D3Confirm"); }
    int Default3DSwitch() override { return d3Default; }
    void Switch3DOn() override { Add("D3On"); }
    void Switch3DOff() override { Add("D3Off"); }
    int DefaultVirtualSwitch() override { return virtualDefault; }
    int VirtualEnabled() override { return virtualEnabled; }
    void SetVirtualEnabled(int enabled) override
    {
        virtualEnabled = enabled;
        Add("V71Enable=" + std::to_string(enabled));
    }
    void ShowVirtualSwitch() override { Add("V71Show"); }
    std::int32_t SendVirtualOnOff(int on) override { return Send("V71OnOff=" + std::to_string(on)); }
    std::int32_t SendVirtualParameters(int enable) override { return Send("V71Params=" + std::to_string(enable)); }
    std::int32_t SendVirtualScalar() override { return Send("V71Scalar"); }
    void FilterDriverStatusRequest() override { Add("DriverStatus"); }
    void FilterDriverControlRequest() override { Add("DriverControl"); }
    void ReturnControlsToDeviceAbsentLook() override { Add("AbsentLook"); }

    Steps steps;
    std::deque<std::function<void()>> queued;
    std::deque<std::int32_t> sendResults; // results of the next virtual 7.1 sends; 0 when empty
    int page = 1;
    bool pollEnabled = false;
    bool captureEndpoint = false;
    bool eqFromDevice = false;
    bool d3FromDevice = false;
    int eqDefault = 0;
    int d3Default = 0;
    int virtualDefault = 0;
    int virtualEnabled = 0;

private:
    void Add(std::string step) { steps.push_back(std::move(step)); }
    std::int32_t Send(std::string step)
    {
        Add(std::move(step));
        if (sendResults.empty())
            return 0;
        const std::int32_t result = sendResults.front();
        sendResults.pop_front();
        return result;
    }
};

// The present devices as the system's adapter gives them to the poll: the search runs away from the
// window's thread and its list comes back later, when the test delivers it.
class DeferredEnumeration final : public ports::DeviceEnumeration {
public:
    explicit DeferredEnumeration(const ports::DeviceEnumeration& devices) : devices_(devices) {}
    ports::PresentDeviceList PresentDevices() const override { return devices_.PresentDevices(); }
    std::unique_ptr<ports::PendingDeviceSearch> SearchAway(SearchDone done) const override
    {
        auto wanted = std::make_shared<bool>(true);
        searches_.push_back({wanted, std::move(done)});
        return std::make_unique<Ticket>(wanted);
    }

    std::size_t Searching() const { return searches_.size(); }
    // The oldest search ends with the devices present now; false when its caller let go of it.
    bool Deliver()
    {
        Search search = std::move(searches_.front());
        searches_.pop_front();
        if (!*search.wanted)
            return false;
        search.done(devices_.PresentDevices());
        return true;
    }

private:
    struct Ticket final : ports::PendingDeviceSearch {
        explicit Ticket(std::shared_ptr<bool> flag) : wanted(std::move(flag)) {}
        ~Ticket() override { *wanted = false; }
        std::shared_ptr<bool> wanted;
    };
    struct Search {
        std::shared_ptr<bool> wanted;
        SearchDone done;
    };
    const ports::DeviceEnumeration& devices_;
    mutable std::deque<Search> searches_;
};

class PresenceHandlersTest : public ::testing::Test {
public:
    PresenceHandlersTest()
    {
        files.Put(kConfig, "[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n");
        device.chip().SetIdentity(kVid, kPid);
        state.osKind = 6;
    }

    shell::PresenceHandlers& Handlers(int encButtonMode = 0, int exclusive = 0,
                                      const ports::DeviceEnumeration* devices = nullptr)
    {
        handlers.emplace(state, steps,
                         shell::PresenceDevice{sdk, device.hid(), channel, files,
                                               devices != nullptr ? *devices : device.enumeration(), clock, debug},
                         shell::PresenceSettings{kConfig, encButtonMode, exclusive});
        return *handlers;
    }

    // The steps after the ones a test does not look at.
    Steps StepsAfter(std::size_t count) const
    {
        return {steps.steps.begin() + static_cast<std::ptrdiff_t>(count), steps.steps.end()};
    }

    std::size_t SetActiveCalls()
    {
        std::size_t count = 0;
        for (const auto& request : chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall))
            count += request.entryPoint == static_cast<std::uint8_t>(sdk::EntryPoint::DLLQZ_SetActive_Device);
        return count;
    }

    memory::MemoryFileSystem files;
    emulator::EmulatedDevice device;
    std::unique_ptr<ports::AudioSdk> sdk = std::make_unique<testing_panel::BorrowedSdk>(device.sdk());
    device::FilterDriverChannel channel{device.filterDriver()};
    memory::ManualClock clock;
    memory::RecordingDebugOutput debug;
    shell::LifecycleState state;
    RecordingSteps steps;
    std::optional<shell::PresenceHandlers> handlers;
};

// The re-apply sequence of an arrival with everything at its defaults.
const Steps kArrivalReapply = {"LedLine",       "ReleaseCapture", "EncFromRegistry", "EncPage",     "VoiceFromRegistry",
                               "VoicePage",     "LayOut",         "Pending",         "V71Enable=0", "V71Show",
                               "LayOut",        "DriverStatus",   "V71OnOff=0",      "V71Params=0", "V71Scalar",
                               "DriverControl", "LedSetup",       "LayOut",          "ShowActive"};

} // namespace

TEST_F(PresenceHandlersTest, StartupOutcomesSetTheStateAndThePoll)
{
    struct Case {
        const char* what;
        bool plugged;
        bool driverChannel;
        Steps steps;
        bool active;
    };
    const Case cases[] = {
        {"device ready", true, true, {"ShowActive"}, true},
        {"driver channel missing", true, false, {"ShowMissingDriver", "PollOn"}, false},
        {"no device", false, true, {"ShowNoHid", "PollOn"}, false},
    };
    for (const Case& c : cases) {
        c.plugged ? device.chip().Plug() : device.chip().Unplug();
        device.chip().SetDriverChannelPresent(c.driverChannel);
        steps.steps.clear();
        state = {};
        Handlers().DetectAtStartup();
        EXPECT_EQ(steps.steps, c.steps) << c.what;
        EXPECT_EQ(state.deviceActive, c.active) << c.what;
        EXPECT_EQ(state.synchronization, c.active) << c.what;
        EXPECT_EQ(state.m_hDevice != nullptr, c.plugged) << c.what << ": the HID handle is kept when found";
        EXPECT_EQ(state.deviceVid, c.plugged ? kVid : 0) << c.what;
        EXPECT_EQ(state.devicePid, c.plugged ? kPid : 0) << c.what;
    }
}

TEST_F(PresenceHandlersTest, ArrivalReappliesEverySettingInItsOrder)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    device.chip().ClearRequests();
    steps.steps.clear();
    debug.Clear();
    const std::uint64_t sleptBefore = clock.TotalSleptMs();

    handlers->DeviceArrival();

    // No capture endpoint on a system with endpoints: no microphone probe.
    const Steps before = {"MicOff", "MeterEmpty", "ShowActive"};
    Steps expected = before;
    expected.insert(expected.end(), kArrivalReapply.begin(), kArrivalReapply.end());
    EXPECT_EQ(steps.steps, expected);
    EXPECT_TRUE(state.deviceActive);
    EXPECT_EQ(state.activationCount, 1);
    EXPECT_EQ(state.m_hDevice, nullptr) << "an arrival keeps no handle";
    EXPECT_EQ(SetActiveCalls(), 1u);
    const auto setActive = chip_record::OfKind(device.chip(), emulator::RequestKind::SdkCall).front();
    EXPECT_EQ(chip_record::Args(setActive), (std::vector<std::int32_t>{kVid, kPid}));
    EXPECT_EQ(debug.Lines(),
              (std::vector<std::wstring>{L"DeviceArrival1", L"***** KVQ_Set_DEVICE_SYMBOLIC_NAME Success *****"}));
    EXPECT_EQ(clock.TotalSleptMs() - sleptBefore, 10u);
}

TEST_F(PresenceHandlersTest, ArrivalTakesTheProfileAndExclusionRulesInOrder)
{
    struct Case {
        const char* what;
        bool eqFromDevice;
        int eqDefault;
        bool d3FromDevice;
        int d3Default;
        int virtualDefault;
        int exclusive;
        int page;
        Steps middle; // from after "Pending" up to "DriverStatus"
    };
    const Case cases[] = {
        {"profiles from the device's memory",
         true,
         1,
         true,
         1,
         0,
         0,
         1,
         {"EqConfirm", "EqConfirm", "V71Enable=0", "D3Confirm", "D3Confirm", "V71Show", "LayOut"}},
        {"default switches on", false, 1, false, 1, 0, 0, 1, {"EqOn", "V71Enable=0", "D3On", "V71Show", "LayOut"}},
        {"3D and virtual 7.1 exclusive", false, 0, true, 1, 1, 1, 1, {"V71Enable=1", "D3Off", "V71Show", "LayOut"}},
        {"exclusive, virtual 7.1 off", false, 0, true, 1, 0, 1, 1, {"V71Enable=0", "V71Show", "LayOut"}},
    };
    for (const Case& c : cases) {
        device.chip().Unplug();
        state = {};
        state.osKind = 6;
        Handlers(0, c.exclusive).DetectAtStartup();
        device.chip().Plug();
        steps.eqFromDevice = c.eqFromDevice;
        steps.eqDefault = c.eqDefault;
        steps.d3FromDevice = c.d3FromDevice;
        steps.d3Default = c.d3Default;
        steps.virtualDefault = c.virtualDefault;
        steps.page = c.page;
        steps.steps.clear();
        handlers->DeviceArrival();

        const auto pending = std::find(steps.steps.begin(), steps.steps.end(), "Pending");
        const auto status = std::find(steps.steps.begin(), steps.steps.end(), "DriverStatus");
        ASSERT_TRUE(pending != steps.steps.end() && status != steps.steps.end()) << c.what;
        EXPECT_EQ(Steps(pending + 1, status), c.middle) << c.what;
    }
}

TEST_F(PresenceHandlersTest, VirtualSendsAreRepeatedOnceOnFailureAndPageFourSwitchesItOn)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    steps.page = 4;
    steps.virtualDefault = 1;
    steps.sendResults = {5, 0, 7, 9, 3}; // on/off fails once, parameters twice, scalar once
    steps.steps.clear();
    handlers->DeviceArrival();

    const auto status = std::find(steps.steps.begin(), steps.steps.end(), "DriverStatus");
    const auto control = std::find(steps.steps.begin(), steps.steps.end(), "DriverControl");
    EXPECT_EQ(Steps(status + 1, control), (Steps{"V71OnOff=1", "V71OnOff=1", "V71Params=1", "V71Params=1", "V71Scalar",
                                                 "V71Scalar", "V71Enable=1", "V71Show", "V71OnOff=1"}));
}

TEST_F(PresenceHandlersTest, ArrivalStopsEarlyWhereItMust)
{
    struct Case {
        const char* what;
        std::function<void(PresenceHandlersTest&)> arrange;
        Steps steps;
        std::vector<std::wstring> lines;
        bool active;
    };
    const Case cases[] = {
        {"the start-up handle is kept",
         [](PresenceHandlersTest& t) { t.Handlers().DetectAtStartup(); },
         {"MicProbe", "MicOff", "MeterEmpty"},
         {L"DeviceArrival1", L"m_hDevice != NULL"},
         true},
        {"no accepted device present",
         [](PresenceHandlersTest& t) {
             t.device.chip().Unplug();
             t.Handlers().DetectAtStartup();
         },
         {"MicProbe", "MicOff", "MeterEmpty"},
         {L"DeviceArrival1", L"***** fnDLLQZ_SetActive_Device, ret = 1 *****", L"bResult = 0"},
         false},
        {"the device never answers",
         [](PresenceHandlersTest& t) {
             t.device.chip().Unplug();
             t.Handlers().DetectAtStartup();
             t.device.chip().Plug();
             t.device.chip().SetProbeFailures(emulator::kForever);
         },
         {"MicProbe", "MicOff", "MeterEmpty"},
         {L"DeviceArrival1"},
         false},
    };
    for (const Case& c : cases) {
        PresenceHandlersTest& t = *this;
        device.chip().Plug();
        device.chip().SetProbeFailures(0);
        state = {};
        state.osKind = 4; // the microphone probe runs without a capture endpoint
        c.arrange(t);
        steps.steps.clear();
        debug.Clear();
        handlers->DeviceArrival();
        EXPECT_EQ(steps.steps, c.steps) << c.what;
        EXPECT_EQ(debug.Lines(), c.lines) << c.what;
        EXPECT_EQ(state.deviceActive, c.active) << c.what;
    }
}

TEST_F(PresenceHandlersTest, PollFindsTheDeviceReappliesAndStops)
{
    device.chip().Unplug();
    Handlers(1).DetectAtStartup();
    EXPECT_TRUE(steps.pollEnabled);

    steps.steps.clear();
    handlers->Timer1Timer();
    EXPECT_EQ(debug.Lines().back(), L"SearchDevicePresent = 0");
    EXPECT_TRUE(steps.steps.empty()) << "nothing found: the poll goes on";

    device.chip().Plug();
    steps.page = 7;
    steps.captureEndpoint = true;
    device.chip().SetProbeFailures(9); // the tenth attempt answers
    handlers->Timer1Timer();
    EXPECT_EQ(
        steps.steps,
        (Steps{"ShowActive",      "MicProbe",    "MicOff",    "MeterEmpty",      "LedLine",           "ReleaseCapture",
               "EncFromRegistry", "EncPage",     "Pending",   "EncFromRegistry", "VoiceFromRegistry", "DriverStatus",
               "V71OnOff=0",      "V71Params=0", "V71Scalar", "DriverControl",   "ButtonScan",        "EncFromRegistry",
               "EncPage",         "LedSetup",    "PollOff"}));
    EXPECT_TRUE(state.deviceActive);
    EXPECT_EQ(state.activationCount, 1);
    EXPECT_TRUE(state.micProbeDone);
    EXPECT_FALSE(steps.pollEnabled);
}

// The arrival leaves the poll running; its next tick must not undo what the arrival sent.
TEST_F(PresenceHandlersTest, TickAfterAnArrivalOnlyStopsThePollAndKeepsVirtualSurroundOn)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    ASSERT_TRUE(steps.pollEnabled);
    device.chip().Plug();
    steps.virtualDefault = 1;
    handlers->DeviceArrival();
    ASSERT_TRUE(state.deviceActive);
    ASSERT_EQ(steps.virtualEnabled, 1);
    EXPECT_TRUE(steps.pollEnabled) << "the arrival does not stop the poll";

    steps.steps.clear();
    device.chip().ClearRequests();
    handlers->Timer1Timer();
    EXPECT_EQ(steps.steps, Steps{"PollOff"}) << "no V71OnOff=0, no second re-apply";
    EXPECT_TRUE(device.chip().Requests().empty()) << "nothing reaches the device";
    EXPECT_EQ(state.activationCount, 1);
    EXPECT_EQ(steps.virtualEnabled, 1);
}

TEST_F(PresenceHandlersTest, PollWhoseSearchRunsAwayKeepsItsOrderAndHoldsBackTheOtherHandlers)
{
    DeferredEnumeration deferred(device.enumeration());
    device.chip().Unplug();
    auto& h = Handlers(0, 0, &deferred);
    h.DetectAtStartup();
    const std::size_t setActiveAtStart = SetActiveCalls();
    const std::size_t linesAtStart = debug.Lines().size();
    steps.steps.clear();

    h.Timer1Timer();
    EXPECT_EQ(debug.Lines().back(), L"DeviceArrivalforTimer1");
    EXPECT_EQ(SetActiveCalls(), setActiveAtStart) << "the SDK hears of the search only once it has ended";
    h.Timer1Timer(); // a tick while the search runs is dropped
    EXPECT_EQ(deferred.Searching(), 1u);

    // The device comes meanwhile; its arrival waits for the poll, which then finds it.
    device.chip().Plug();
    h.DeviceArrival();
    EXPECT_TRUE(steps.steps.empty());
    ASSERT_TRUE(deferred.Deliver());
    EXPECT_TRUE(state.deviceActive);
    EXPECT_EQ(SetActiveCalls(), setActiveAtStart + 2) << "the poll's, then the waiting arrival's";
    ASSERT_FALSE(steps.steps.empty());
    EXPECT_EQ(steps.steps.front(), "ShowActive") << "the poll's steps come first";
    EXPECT_EQ(std::count(steps.steps.begin(), steps.steps.end(), "PollOff"), 1);
    const auto arrival = std::find(debug.Lines().begin() + static_cast<std::ptrdiff_t>(linesAtStart),
                                   debug.Lines().end(), L"DeviceArrival1");
    EXPECT_NE(arrival, debug.Lines().end()) << "the waiting arrival ran after the poll";

    // Without a device: the same lines as a poll that searches at once, in the same order.
    h.DeviceRemoval(true, kHidPath);
    steps.steps.clear();
    device.chip().Unplug();
    const std::size_t before = debug.Lines().size();
    h.Timer1Timer();
    ASSERT_TRUE(deferred.Deliver());
    EXPECT_EQ(
        std::vector<std::wstring>(debug.Lines().begin() + static_cast<std::ptrdiff_t>(before), debug.Lines().end()),
        (std::vector<std::wstring>{L"DeviceArrivalforTimer1", L"SearchDevicePresent = 0"}));
    EXPECT_TRUE(steps.steps.empty());

    // A panel that goes while the search runs never hears of its result.
    h.Timer1Timer();
    handlers.reset();
    EXPECT_FALSE(deferred.Deliver());
}

TEST_F(PresenceHandlersTest, PollGivesUpAfterTenUnansweredProbes)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    device.chip().SetProbeFailures(10);
    steps.steps.clear();
    handlers->Timer1Timer();
    EXPECT_TRUE(steps.steps.empty());
    EXPECT_FALSE(state.deviceActive);
    EXPECT_TRUE(steps.pollEnabled) << "the poll tries again in 2 s";
}

TEST_F(PresenceHandlersTest, RemovalOnlyOfTheDrivenDevicesHidInterface)
{
    Handlers().DetectAtStartup();
    state.activationCount = 3;
    state.micProbeDone = true;
    steps.steps.clear();

    handlers->DeviceRemoval(false, kHidPath);                                      // not the HID class
    handlers->DeviceRemoval(true, L"\\\\?\\HID#VID_046D&PID_C077#7&0&0000#{...}"); // another device
    EXPECT_TRUE(steps.steps.empty());
    EXPECT_TRUE(state.deviceActive);

    handlers->DeviceRemoval(true, kHidPath);
    EXPECT_EQ(steps.steps, (Steps{"ShowNoHid", "ButtonSeenCleared", "AbsentLook", "LayOut", "ReleaseCapture",
                                  "ForgetCapture", "LedEventClosed"}));
    EXPECT_FALSE(state.deviceActive);
    EXPECT_FALSE(state.micProbeDone);
    EXPECT_EQ(state.m_hDevice, nullptr);
    EXPECT_EQ(state.activationCount, 0);
    EXPECT_FALSE(steps.pollEnabled) << "after a removal the panel waits for the next arrival";
}

TEST_F(PresenceHandlersTest, RemovalAfterAnArrivalKeepsTheCount)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    handlers->DeviceArrival();
    steps.steps.clear();
    handlers->DeviceRemoval(true, kHidPath);
    EXPECT_EQ(steps.steps, (Steps{"ShowNoHid", "ButtonSeenCleared", "AbsentLook", "LayOut"}));
    EXPECT_EQ(state.activationCount, 1);

    // Plugged again: every further arrival re-sends all settings.
    handlers->DeviceArrival();
    handlers->DeviceArrival();
    EXPECT_EQ(state.activationCount, 3);
}

TEST_F(PresenceHandlersTest, DeviceChangeEntryRunsTheHandlersAndAlwaysProcessesMessages)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    using Event = ports::DeviceChange::Event;
    steps.steps.clear();
    handlers->OnDeviceChange({Event::Other, true, false, L""});
    handlers->OnDeviceChange({Event::Arrival, false, false, L""}); // not a device interface
    EXPECT_EQ(steps.steps, (Steps{"Pending", "Pending"}));

    handlers->OnDeviceChange({Event::Arrival, true, false, L"\\\\?\\SWD#MMDEVAPI#{0.0.0.00000000}"});
    EXPECT_TRUE(state.deviceActive);
    EXPECT_EQ(steps.steps.back(), "Pending");
    handlers->OnDeviceChange({Event::RemoveComplete, true, true, kHidPath});
    EXPECT_FALSE(state.deviceActive);
}

// Handlers process pending messages part-way; what arrives meanwhile must wait for them.
TEST_F(PresenceHandlersTest, NestedRequestsWaitForTheRunningHandler)
{
    device.chip().Unplug();
    Handlers().DetectAtStartup();
    device.chip().Plug();
    auto& h = *handlers;

    // A poll tick and the second interface's arrival inside an arrival: one activation, one re-apply.
    steps.queued = {[&h] { h.Timer1Timer(); }, [&h] { h.DeviceArrival(); }};
    h.DeviceArrival();
    EXPECT_EQ(state.activationCount, 1);
    EXPECT_EQ(std::count(steps.steps.begin(), steps.steps.end(), "LedSetup"), 1);
    EXPECT_EQ(std::count(steps.steps.begin(), steps.steps.end(), "ShowActive"), 2) << "probe, then the end";

    // A stale tick after the arrival only stops the poll.
    steps.steps.clear();
    h.Timer1Timer();
    EXPECT_EQ(steps.steps, Steps{"PollOff"});

    // A removal inside an arrival runs after it: the panel ends showing the device absent.
    h.DeviceRemoval(true, kHidPath);
    steps.steps.clear();
    steps.queued = {[&h] { h.DeviceRemoval(true, kHidPath); }};
    h.DeviceArrival();
    EXPECT_FALSE(state.deviceActive);
    ASSERT_GE(steps.steps.size(), 4u);
    EXPECT_EQ(Steps(steps.steps.end() - 4, steps.steps.end()),
              (Steps{"ShowNoHid", "ButtonSeenCleared", "AbsentLook", "LayOut"}));
}
