// The room effects and the microphone without any form: the meter and slider arithmetic, which
// recording device and endpoint are the headset's, the microphone on both Windows back-ends, Monitor in
// its three modes, the listen values and the audio service's restart, each against the emulated chip
// and the in-memory Windows audio.

#include "sound/EffectsAndMic.h"

#include "ChipRecord.h"
#include "FeatureDeviceRig.h"
#include "emulator/Faults.h"
#include "sound/MicLevel.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using emulator::RequestKind;
using sdk::EntryPoint;

TEST(MicLevelMeter, WidthFollowsTheBuffersMeanInFourPixelSteps)
{
    const std::vector<std::uint8_t> silence(400, 128);
    std::vector<std::uint8_t> square(400);
    for (std::size_t i = 0; i < square.size(); ++i)
        square[i] = i % 2 == 0 ? 0 : 255;
    EXPECT_EQ(sound::MeterMean(silence), 0u);
    EXPECT_EQ(sound::MeterWidthOf(silence, 200), 0);
    EXPECT_EQ(sound::MeterMean(square), 127u);
    EXPECT_EQ(sound::MeterLevel(200, 127), 396);
    EXPECT_EQ(sound::MeterWidthOf(square, 200), 198);

    struct Case {
        int level;
        int fullWidth;
        int width;
    };
    // Level 1 gives the first step; a small level stops the steps early; the full width stops them too.
    for (const Case& c : {Case{1, 200, 10}, Case{3, 200, 18}, Case{50, 40, 38}, Case{5, 9, 0}, Case{0, 200, 0}})
        EXPECT_EQ(sound::MeterWidth(c.level, c.fullWidth), c.width) << c.level << " " << c.fullWidth;
}

TEST(MicSlider, GainAndKnobMeetAtTheTravelsEnds)
{
    // Travel 100 from a top limit of 120: the top is 100 per cent, the bottom 0.
    for (const auto& [gain, top] : {std::pair{100, 120}, std::pair{0, 220}, std::pair{50, 170}, std::pair{33, 187}})
        EXPECT_EQ(sound::MicSliderTop(gain, 120, 100), top) << gain;
}

TEST(AudioEndpointRules, VolumeInPerCentFromTheEndpointsSteps)
{
    struct Case {
        std::uint32_t step;
        std::uint32_t count;
        int percent;
    };
    for (const Case& c : {Case{0, 2, 0}, Case{1, 2, 100}, Case{50, 101, 50}, Case{2, 4, 66}, Case{0, 1, 0},
                          Case{0, 0, 0}})
        EXPECT_EQ(sound::VolumeFromSteps(c.step, c.count), c.percent) << c.step << "/" << c.count;
}

TEST(AudioEndpointRules, CaptureDeviceSearchTakesTheLastMatchAndLookupTheFirstEndpoint)
{
    using Entry = ports::CaptureDeviceEntry;
    const std::vector<Entry> devices = {
        {L"Primary Sound Capture Driver", L"\\\\?\\USB#VID_4D2F&PID_4802#primary", true},
        {L"Headset Mic A", L"\\\\?\\usb#vid_4d2f&pid_4802&mi_00#7&1", false},
        {L"Other Mic", L"\\\\?\\USB#VID_046D&PID_0A44#1", false},
        {L"Headset Mic B", L"\\\\?\\USB#VID_4D2F&PID_4802&MI_00#7&2", false},
        {L"Short", L"\\\\?\\USB#VID_4D2F", false},
    };
    EXPECT_EQ(sound::FindCaptureDeviceName(devices, 0x4D2F, 0x4802), L"Headset Mic B");
    EXPECT_EQ(sound::FindCaptureDeviceName(devices, 0x4D2F, 0x4803), L"");
    const std::vector<Entry> longName = {{std::wstring(300, L'x'), L"\\\\?\\USB#VID_4D2F&PID_4802", false}};
    EXPECT_EQ(sound::FindCaptureDeviceName(longName, 0x4D2F, 0x4802).size(), 260u);

    const std::vector<ports::CaptureEndpointEntry> endpoints = {
        {L"{first}", L"Microphone (Webcam)"},
        {L"{second}", L"Microphone (Headset Mic B)"},
        {L"{third}", L"Line (Headset Mic B)"},
    };
    EXPECT_EQ(sound::FindCaptureEndpoint(endpoints, L"Headset Mic B"), L"{second}");
    EXPECT_EQ(sound::FindCaptureEndpoint(endpoints, L""), L"{first}") << "an empty name is in every endpoint's";
    EXPECT_EQ(sound::FindCaptureEndpoint(endpoints, L"Speakers"), std::nullopt);
    EXPECT_EQ(sound::FindCaptureEndpoint({}, L""), std::nullopt);
}

TEST(AudioEndpointRules, ListenValuesAndTheLowerCaseIdMatch)
{
    const std::array<std::uint8_t, 16> on = {0x0B, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
    std::array<std::uint8_t, 16> off = on;
    off[8] = off[9] = 0;
    EXPECT_EQ(sound::ListenValueBytes(true), on);
    EXPECT_EQ(sound::ListenValueBytes(false), off);

    struct Case {
        const wchar_t* path;
        bool matches;
    };
    for (const Case& c : {Case{L"{1}.USB\\VID_4D2F&PID_4802&MI_00\\7&1", false}, // "%x" is lower case
                          Case{L"{1}.usb\\vid_4d2f&pid_4802&mi_00\\7&1", true},
                          Case{L"4d2f and 4802 stand apart", false}, // the VID at the first character
                          Case{L"x4d2f 4802", true}, Case{L"x4d2f", false}, Case{L"", false}})
        EXPECT_EQ(sound::ListenPathMatches(c.path, 0x4D2F, 0x4802), c.matches) << c.path;
    // Without leading zeros.
    EXPECT_TRUE(sound::ListenPathMatches(L"usb\\vid_45e&pid_2a", 0x045E, 0x002A));
}

// The microphone's model on an active, synchronized chip whose recording device Windows knows as the
// headset's.
class MicModelTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    MicModelTest()
    {
        audio.captureDevices = {{L"Headset Mic", L"\\\\?\\USB#VID_4D2F&PID_4802&MI_00#1", false}};
        audio.endpoints = {{L"{webcam}", L"Webcam"}, {L"{headset}", L"Microphone (Headset Mic)"}};
        audio.volumes[L"{headset}"] = {};
        audio.gainControls[L"{headset}"] = {};
        endpoints.SetOsKind(sound::kEndpointOsKind);
    }

    // A mixer whose wave-in destination belongs to `product`, with a volume only on its microphone line.
    static memory::ScriptedMixer MixerOf(const std::wstring& product)
    {
        memory::ScriptedMixer mixer;
        mixer.waveIn = memory::ScriptedMixerLine{{0, 0, 10, sound::kMixerWaveInDestination, 2, product}, {}};
        mixer.sources = {
            {{0, 0, 11, 0x1004 /* line in */, 0, product}, {{110, sound::kMixerVolumeControl, 0, 100}}},
            {{0, 1, 12, sound::kMixerSourceMicrophone, 0, product},
             {{120, sound::kMixerVolumeControl, 0, 65535},
              {121, sound::kMixerMuteControl, 0, 1},
              {122, sound::kMixerMuxControl, 0, 1}}},
        };
        return mixer;
    }

    std::vector<std::vector<std::int32_t>> RegisterCalls()
    {
        std::vector<std::vector<std::int32_t>> calls;
        for (const auto& request : chip_record::OfKind(device.chip(), RequestKind::SdkCall))
            calls.push_back(chip_record::Args(request));
        return calls;
    }

    sound::AudioEndpoints endpoints{featureDevice, audio};
    sound::EffectsAndMic mic{featureDevice, endpoints};
};

TEST_F(MicModelTest, EffectButtonsSendTheSelectionThenTheSwitchEveryTime)
{
    ASSERT_FALSE(channel.IsChannelMissing(state.deviceVid, state.devicePid));
    device.chip().ClearRequests();
    mic.SelectEffect(3);
    mic.SelectEffect(3);
    mic.SelectEffect(6); // no such effect: nothing is sent, the current one stays
    std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> sent;
    for (const auto& request : chip_record::OfKind(device.chip(), RequestKind::DriverControl))
        sent.emplace_back(static_cast<std::uint32_t>(request.args[0]), chip_record::Bytes(request));
    const std::vector<std::uint8_t> index2 = {2, 0, 0, 0};
    const std::vector<std::uint8_t> one = {1, 0, 0, 0};
    const decltype(sent) expected = {{device::driver_codes::kEffectSelection, index2},
                                     {device::driver_codes::kEffectSwitch, one},
                                     {device::driver_codes::kEffectSelection, index2},
                                     {device::driver_codes::kEffectSwitch, one}};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(mic.SelectedEffect(), 3);
    const auto driver = device.chip().WithState([](const emulator::ChipState& s) { return s.driver; });
    EXPECT_EQ(driver.effectIndex, 2u);
    EXPECT_EQ(driver.effectSwitch, 1u);
}

TEST_F(MicModelTest, MonitorInRegisterModeWritesTheControlRegisterBeforeTheSwitch)
{
    for (const bool on : {true, false}) {
        device.chip().ClearRequests();
        mic.SetMonitor(on ? 1 : 0);
        const std::vector<std::vector<std::int32_t>> expected = {
            {0x200, 0}, {0x200, 0x04, 0}, {0x230, on ? 0x20 : 0x00, 0}};
        EXPECT_EQ(SdkCalls(), (std::vector<EntryPoint>{EntryPoint::DLLQZ_Read_Register_ById,
                                                       EntryPoint::DLLQZ_Write_Register_ById,
                                                       EntryPoint::DLLQZ_Write_Register_ById}));
        EXPECT_EQ(RegisterCalls(), expected);
        EXPECT_EQ(Register(0x200), 0x04);
        EXPECT_EQ(Register(0x230), on ? 0x20 : 0x00);
    }
}

TEST_F(MicModelTest, MonitorRegisterAccessesAreEachTriedOnceMore)
{
    for (const EntryPoint failing : {EntryPoint::DLLQZ_Read_Register_ById, EntryPoint::DLLQZ_Write_Register_ById}) {
        device.chip().ClearRequests();
        device.chip().ArmFault(emulator::FaultAt(failing, 1));
        mic.SetMonitor(1);
        std::vector<EntryPoint> expected = {EntryPoint::DLLQZ_Read_Register_ById,
                                            EntryPoint::DLLQZ_Write_Register_ById,
                                            EntryPoint::DLLQZ_Write_Register_ById};
        expected.insert(expected.begin() + (failing == EntryPoint::DLLQZ_Read_Register_ById ? 0 : 1), failing);
        EXPECT_EQ(SdkCalls(), expected);
        EXPECT_EQ(Register(0x230), 0x20);
    }
    // Two failures in a row: the access is given up, the next one still follows.
    device.chip().ClearRequests();
    device.chip().ArmFault(emulator::FaultAt(EntryPoint::DLLQZ_Write_Register_ById, 1, emulator::FaultAction::Fail, 2));
    mic.SetMonitor(0);
    EXPECT_EQ(SdkCalls().size(), 4u);
    EXPECT_EQ(Register(0x230), 0x00);
    EXPECT_EQ(mic.Monitor(), 0);
}

TEST_F(MicModelTest, EndpointBackEndReadsAndSetsTheHeadsetsEndpoint)
{
    audio.volumes[L"{headset}"].step = 1;
    audio.volumes[L"{headset}"].stepCount = 2;
    audio.volumes[L"{headset}"].muted = true;
    audio.gainControls[L"{headset}"].enabled = true;
    mic.RefreshMicrophone();
    EXPECT_EQ(mic.GainPercent(), 100);
    EXPECT_EQ(mic.Mute(), 1);
    EXPECT_EQ(mic.Boost(), 1);

    audio.volumes[L"{headset}"].stepCount = 101;
    mic.SetGain(40);
    EXPECT_FLOAT_EQ(audio.volumes[L"{headset}"].level, 0.4f);
    mic.SetBoost(0);
    EXPECT_FALSE(audio.gainControls[L"{headset}"].enabled);
    mic.SetMute(0);
    EXPECT_FALSE(audio.volumes[L"{headset}"].muted);
    EXPECT_EQ(audio.volumes[L"{webcam}"].level, 0.0f) << "the other endpoint is left alone";
}

TEST_F(MicModelTest, EndpointBackEndResultsNameTheStepThatFailed)
{
    int percent = 0;
    bool flag = false;
    audio.volumes[L"{headset}"].stepInfoResult = static_cast<ports::AudioResult>(0x80070005);
    EXPECT_EQ(endpoints.GetVolume(percent).result, 3);
    audio.volumes[L"{headset}"].setLevelResult = static_cast<ports::AudioResult>(0x80070005);
    EXPECT_EQ(endpoints.SetVolume(50).result, 3);
    audio.volumes[L"{headset}"].muteResult = static_cast<ports::AudioResult>(0x8889000A);
    EXPECT_EQ(endpoints.GetMute(flag).result, static_cast<int>(0x8889000A)) << "mute gives the call's own result";
    audio.gainControls[L"{headset}"].failedStep = static_cast<int>(ports::GainControlWalk::Part);
    EXPECT_EQ(endpoints.GetBoost(flag).result, 10);
    EXPECT_FALSE(endpoints.SetBoost(true).succeeded);
    audio.gainControls[L"{headset}"] = {false, 0, static_cast<ports::AudioResult>(0x80070490)};
    EXPECT_EQ(endpoints.GetBoost(flag).result, static_cast<int>(0x80070490)) << "no subunit has the gain control";

    audio.volumes[L"{headset}"].activates = false;
    for (const sound::MicOutcome& outcome : {endpoints.GetVolume(percent), endpoints.SetVolume(1),
                                             endpoints.GetMute(flag), endpoints.SetMute(true)}) {
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(outcome.result, 2);
    }
    // No capture endpoint at all.
    audio.endpoints.clear();
    EXPECT_FALSE(endpoints.HasCaptureEndpoint());
    EXPECT_EQ(endpoints.GetVolume(percent).result, 2);
    EXPECT_FALSE(endpoints.GetBoost(flag).succeeded);
}

TEST_F(MicModelTest, WithoutTheHeadsetsRecordingDeviceTheFirstActiveEndpointIsUsed)
{
    audio.captureDevices = {{L"Other", L"\\\\?\\USB#VID_046D&PID_0A44#1", false}};
    audio.volumes[L"{webcam}"] = {};
    EXPECT_TRUE(endpoints.HasCaptureEndpoint());
    EXPECT_EQ(endpoints.HeldEndpoint(), L"{webcam}");
    mic.SetGain(70);
    EXPECT_FLOAT_EQ(audio.volumes[L"{webcam}"].level, 0.7f);
    endpoints.ReleaseCaptureEndpoint();
    EXPECT_EQ(endpoints.HeldEndpoint(), std::nullopt);
}

TEST_F(MicModelTest, MuteIsTriedThreeTimesOnTheEndpointBackEndOnly)
{
    audio.volumes[L"{headset}"].muteFailures = 2;
    mic.SetMute(1);
    EXPECT_EQ(audio.muteSets, 3);
    EXPECT_TRUE(audio.volumes[L"{headset}"].muted);

    audio.muteSets = 0;
    audio.volumes[L"{headset}"].muteFailures = 5;
    mic.SetMute(0);
    EXPECT_EQ(audio.muteSets, 3) << "three tries, then given up";
    EXPECT_EQ(mic.Mute(), 0) << "the button keeps its state";

    endpoints.SetOsKind(5);
    audio.mixers = {MixerOf(L"Other")};
    audio.muteSets = 0;
    mic.SetMute(1);
    EXPECT_EQ(audio.muteSets, 0) << "the mixer back-end never touches the endpoint";
}

TEST_F(MicModelTest, MixerBackEndFindsTheHeadsetsMixerAndItsMicrophoneLine)
{
    endpoints.SetOsKind(5);
    memory::ScriptedMixer unreadable;
    unreadable.waveIn.reset();
    memory::ScriptedMixer closed;
    closed.opens = false;
    audio.mixers = {unreadable, closed, MixerOf(L"Webcam"), MixerOf(L"HEADSET MIC (long name cut by the mixer)")};
    audio.mixers[3].values = {{120, 32767}, {121, 1}, {122, 0}};

    int percent = 0;
    EXPECT_EQ(endpoints.GetVolume(percent).result, 1);
    EXPECT_EQ(percent, 49) << "32767 of a 0-65535 range, truncated";
    EXPECT_TRUE(endpoints.SetVolume(80).succeeded);
    EXPECT_EQ(audio.mixers[3].values[120], 52428) << "80 % of the control's range";
    EXPECT_TRUE(endpoints.GetVolume(percent).succeeded);
    EXPECT_EQ(percent, 80) << "what was set reads back";
    bool flag = false;
    EXPECT_TRUE(endpoints.GetMute(flag).succeeded);
    EXPECT_TRUE(flag);
    EXPECT_TRUE(endpoints.SetBoost(true).succeeded);
    EXPECT_EQ(audio.mixers[3].values[122], 1);
    EXPECT_TRUE(audio.mixers[2].values.empty()) << "the webcam's mixer is not the headset's";
    EXPECT_EQ(audio.mostOpenMixers, 1) << "each mixer is closed before the next one opens";
    EXPECT_EQ(audio.openMixers, 0);
}

TEST_F(MicModelTest, MixerBackEndFailures)
{
    endpoints.SetOsKind(5);
    std::int32_t value = 5;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    EXPECT_EQ(endpoints.MixerOperation(sound::MixerOperation::GetVolume, value, minimum, maximum), 0) << "no mixer";

    audio.mixers = {MixerOf(L"Headset Mic")};
    audio.mixers[0].sources[1].controls.clear(); // the microphone line has no controls
    EXPECT_EQ(endpoints.MixerOperation(sound::MixerOperation::GetMute, value, minimum, maximum), 0);

    audio.mixers = {MixerOf(L"Headset Mic")};
    audio.mixers[0].readFails = true;
    EXPECT_EQ(endpoints.MixerOperation(sound::MixerOperation::GetVolume, value, minimum, maximum), 0);
    audio.mixers[0].writeFails = true;
    EXPECT_EQ(endpoints.MixerOperation(sound::MixerOperation::SetVolume, value, minimum, maximum), 0);
    EXPECT_EQ(audio.openMixers, 0) << "a failed read or write closes the mixer";

    // A control on the destination line itself is taken before any source line's.
    audio.mixers = {MixerOf(L"Headset Mic")};
    audio.mixers[0].waveIn->controls = {{100, sound::kMixerVolumeControl, -10, 10}};
    audio.mixers[0].values = {{100, 7}, {120, 1}};
    EXPECT_EQ(endpoints.MixerOperation(sound::MixerOperation::GetVolume, value, minimum, maximum), 1);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(minimum, -10);
    EXPECT_EQ(maximum, 10);
}

TEST_F(MicModelTest, MonitorByRecordAndReplayRecordsInTheTemporaryFolder)
{
    mic.SetMonitorMode(2);
    mic.SetMonitor(1);
    EXPECT_EQ(audio.recordingFile, audio.temporaryFolder + L"RecordTest.pcm");
    EXPECT_TRUE(mic.ReplayRunning());
    mic.ReplayTick();
    mic.ReplayTick();
    EXPECT_EQ(audio.replays, 2);
    mic.SetMonitor(0);
    EXPECT_FALSE(mic.ReplayRunning());
    EXPECT_EQ(audio.deletedRecordings, (std::vector<std::wstring>{audio.temporaryFolder + L"RecordTest.pcm"}));
    EXPECT_TRUE(SdkCalls().empty()) << "no register is touched in this mode";
}

TEST_F(MicModelTest, ReplayStopsWhenTheModelGoes)
{
    {
        sound::AudioEndpoints scoped{featureDevice, audio};
        ASSERT_TRUE(scoped.StartRecordAndReplay());
    }
    EXPECT_FALSE(audio.Recording());
    EXPECT_EQ(audio.deletedRecordings.size(), 1u);
}

TEST_F(MicModelTest, MonitorByListeningSwitchesEveryMatchingEndpointAndRestartsTheAudioService)
{
    mic.SetMonitorMode(3);
    audio.listenEndpoints = {{L"{a}", L"{1}.USB\\VID_4d2f&PID_4802&MI_00\\1"},
                             {L"{b}", L"{1}.USB\\VID_046d&PID_0a44\\1"},
                             {L"{c}", L"{2}.usb\\vid_4d2f&pid_4802&mi_00\\2"},
                             {L"{d}", L""}};
    platform.services.Add(L"audiosrv", {ports::ServiceState::Running});
    mic.SetMonitor(1);
    ASSERT_EQ(audio.listenValues.size(), 2u);
    EXPECT_EQ(audio.listenValues[L"{a}"], sound::ListenValueBytes(true));
    EXPECT_EQ(audio.listenValues[L"{c}"], sound::ListenValueBytes(true));
    EXPECT_EQ(platform.services.Starts(), (std::vector<std::wstring>{L"audiosrv"}));
    EXPECT_EQ(platform.services.Controls().size(), 1u);
    EXPECT_EQ(platform.services.OpenHandles(), 0);

    mic.SetMonitor(0);
    EXPECT_EQ(audio.listenValues[L"{a}"], sound::ListenValueBytes(false));
}

TEST_F(MicModelTest, AudioServiceRestartResults)
{
    using R = sound::ServiceRestartResult;
    struct Case {
        const char* what;
        memory::SimulatedService service;
        R result;
        bool started;
    };
    memory::SimulatedService running{ports::ServiceState::Running};
    memory::SimulatedService refusesStop = running;
    refusesStop.acceptsStop = false;
    memory::SimulatedService neverStops = running;
    neverStops.stopTakesMs = memory::kNeverMs;
    memory::SimulatedService refusesStart{ports::ServiceState::Stopped};
    refusesStart.startSucceeds = false;
    const Case cases[] = {
        {"running", running, R::Ok, true},
        {"not running", {ports::ServiceState::Stopped}, R::Ok, true},
        {"stop refused", refusesStop, R::StopRefused, false},
        {"does not stop", neverStops, R::DidNotStop, false},
        {"start refused", refusesStart, R::StartRefused, true},
    };
    for (const Case& c : cases) {
        memory::MemoryPlatform fresh;
        fresh.services.Add(L"audiosrv", c.service);
        const ports::Platform freshPorts = fresh.Ports();
        const sound::FeatureDevice view{freshPorts, sdk, device.hid(), channel, state};
        sound::AudioEndpoints restart{view, audio};
        EXPECT_EQ(restart.RestartAudioService(), c.result) << c.what;
        EXPECT_EQ(!fresh.services.Starts().empty(), c.started) << c.what;
        EXPECT_EQ(fresh.services.OpenHandles(), 0) << c.what;
    }
    EXPECT_EQ(endpoints.RestartAudioService(), R::StartRefused) << "a missing service cannot be started";
}

TEST_F(MicModelTest, ArrivalSwitchesMuteAndMonitorOffButKeepsTheStoredStates)
{
    mic.SetMute(1);
    mic.SetMonitor(1);
    device.chip().ClearRequests();
    mic.MuteAndMonitorOff();
    EXPECT_FALSE(audio.volumes[L"{headset}"].muted);
    EXPECT_EQ(Register(0x230), 0x00);
    EXPECT_EQ(mic.Mute(), 1);
    EXPECT_EQ(mic.Monitor(), 1);
}

} // namespace
