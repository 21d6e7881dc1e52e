#pragma once
// Device presence on the main window: start-up detection, the arrival handler, the 2-second poll
// (`Timer1Timer`) and the removal handler, and the WM_DEVICECHANGE entry that leads to them.
//
// The handlers process pending messages part-way, so a timer tick or another notification can arrive
// inside one. Such a nested request never runs inside the running handler: a removal, and an arrival
// that follows anything but another arrival, wait until the running handler has finished; a further
// arrival folds into the one that runs (both interfaces of one device announce themselves together),
// and a poll tick is dropped (the poll looks only while nothing else does).

#include "common/ports/Clock.h"
#include "common/ports/DebugOutput.h"
#include "device/DevicePresence.h"
#include "panel/ports/WindowEvents.h"
#include "panel/shell/LifecycleState.h"
#include "panel/shell/PresenceSteps.h"

#include <deque>
#include <memory>
#include <string>
#include <utility>

namespace shell {

struct PresenceDevice {
    std::unique_ptr<ports::AudioSdk>& sdk; // bound before any handler runs
    ports::HidChannel& hid;
    device::FilterDriverChannel& channel;
    const ports::FileSystem& files;
    const ports::DeviceEnumeration& devices;
    ports::Clock& clock;
    ports::DebugOutput& debug;
};

struct PresenceSettings {
    std::wstring configPath; // "AudioConfig.cfg" of the program folder
    int encButtonMode = 0;
    int exclusive3DV7ch1 = 0;
};

inline constexpr int kVirtualPage = 4;
inline constexpr int kNoiseCancellationPage = 7;
inline constexpr int kVoiceEffectPage = 8;
inline constexpr int kOsKindEndpoints = 6;
inline constexpr std::uint32_t kArrivalSettleMs = 10;

class PresenceHandlers {
public:
    PresenceHandlers(LifecycleState& state, PresenceSteps& steps, PresenceDevice device, PresenceSettings settings);

    // The configuration's part, once it has been read.
    void Configure(PresenceSettings settings) { settings_ = std::move(settings); }

    void DetectAtStartup();
    void DeviceArrival();
    void Timer1Timer();
    void DeviceRemoval(bool hidClass, const std::wstring& interfacePath);
    // The WM_DEVICECHANGE entry: arrival and removal-complete of a device interface run their handler;
    // every change is followed by processing pending messages.
    void OnDeviceChange(const ports::DeviceChange& change);

private:
    enum class Request { Arrival, Poll, Removal };
    struct Pending {
        Request request;
        bool hidClass = false;
        std::wstring interfacePath;
    };

    void Run(Pending request);
    void RunNow(const Pending& request);
    void RunPending();
    void Arrival();
    void Poll();
    void PollSearched(const device::AcceptedDeviceIds& accepted, const ports::PresentDeviceList& present);
    void Removal(bool hidClass, const std::wstring& interfacePath);

    // The arrival's identification with one search; false when nothing was found.
    bool Identify();
    void MicrophoneProbeOnce();
    void ActiveOutcome();
    void SendVirtualWithRetry(int on, int parametersEnable);
    void PageFourVirtualRule();
    void CountActivation();
    void ReapplyAfterArrival();
    void ReapplyAfterPoll();

    LifecycleState& state_;
    PresenceSteps& steps_;
    PresenceDevice device_;
    PresenceSettings settings_;
    bool running_ = false;
    bool searching_ = false;      // the poll waits for its search
    bool startingSearch_ = false; // inside the call that starts it
    Request runningRequest_ = Request::Poll;
    std::deque<Pending> pending_;
    std::unique_ptr<ports::PendingDeviceSearch> pollSearch_; // last: dropped first, with its result
};

} // namespace shell
