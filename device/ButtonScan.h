#pragma once
// The device's hardware button, reported through the SDK's button scan. The SDK's callback carries no
// context, so one scan at a time receives it: the most recently constructed ButtonScan.

#include "common/ports/DebugOutput.h"
#include "device/ButtonReportMailbox.h"
#include "device/ports/AudioSdk.h"

#include <cstdint>
#include <functional>
#include <string>

namespace device {

class ButtonScan {
public:
    struct Hooks {
        std::function<void()> wakeGuiThread;                      // any thread; see ButtonReportMailbox
        std::function<int(const ButtonReport&)> encButtonHandler; // GUI thread
        std::function<void()> processPendingMessages;             // GUI thread
    };

    // `encGpio` is the configured button line ("EncGpio"); 0 means the device has no button line.
    ButtonScan(ports::AudioSdk& sdk, ports::DebugOutput& debug, std::uint8_t encGpio, Hooks hooks);
    ~ButtonScan();
    ButtonScan(const ButtonScan&) = delete;
    ButtonScan& operator=(const ButtonScan&) = delete;

    // Sets the GPIO mode and, when the device takes it, starts the scan. Returns the GPIO mode's
    // result; the scan's own result is not used.
    std::int32_t Start(std::uint16_t vid, std::uint16_t pid);

    // GUI thread: handles every report delivered since the last call, in order.
    void DeliverReports();

    bool ButtonSeen() const { return buttonSeen_; }
    void ClearButtonSeen() { buttonSeen_ = false; }

    // The function handed to the SDK; any thread.
    static std::int32_t TONVIO_SDK_CALL SdkCallback(std::uint16_t vid, std::uint16_t pid, const std::uint8_t* report,
                                                    std::int32_t reportLength, std::int32_t reserved);

private:
    void Handle(const ButtonReport& report);

    ports::AudioSdk& sdk_;
    ports::DebugOutput& debug_;
    const std::uint8_t encGpio_;
    Hooks hooks_;
    ButtonReportMailbox mailbox_;
    std::wstring previousText_;
    bool buttonSeen_ = false;
};

} // namespace device
