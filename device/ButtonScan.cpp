#include "device/ButtonScan.h"

#include "common/Text.h"

#include <algorithm>
#include <mutex>

namespace device {

namespace {

// The mailbox that receives the SDK's callback. Guarded so that a callback on the SDK's thread never
// posts into a mailbox that is being destroyed.
std::mutex routeMutex;
ButtonReportMailbox* routedMailbox = nullptr;

} // namespace

ButtonScan::ButtonScan(ports::AudioSdk& sdk, ports::DebugOutput& debug, std::uint8_t encGpio, Hooks hooks)
    : sdk_(sdk), debug_(debug), encGpio_(encGpio), hooks_(std::move(hooks)), mailbox_(hooks_.wakeGuiThread)
{
    const std::lock_guard lock(routeMutex);
    routedMailbox = &mailbox_;
}

ButtonScan::~ButtonScan()
{
    const std::lock_guard lock(routeMutex);
    if (routedMailbox == &mailbox_)
        routedMailbox = nullptr;
}

std::int32_t ButtonScan::Start(std::uint16_t vid, std::uint16_t pid)
{
    const std::int32_t gpioMode = sdk_.DLLQZ_SetGpioModeEx_ById(encGpio_, 0, 0);
    if (gpioMode != 0)
        return gpioMode;
    sdk_.DLLQZ_ScanButton_ById(vid, pid, &ButtonScan::SdkCallback, 1, 0);
    return 0;
}

std::int32_t TONVIO_SDK_CALL ButtonScan::SdkCallback(std::uint16_t, std::uint16_t, const std::uint8_t* report,
                                                     std::int32_t reportLength, std::int32_t)
{
    // The SDK says how many bytes it hands over: a shorter report is read only that far (the rest counts
    // as 0), and one without bytes carries nothing to post.
    if (report == nullptr || reportLength <= 0)
        return 0;
    ButtonReport copy{};
    std::copy_n(report, std::min(copy.size(), static_cast<std::size_t>(reportLength)), copy.begin());
    const std::lock_guard lock(routeMutex);
    if (routedMailbox != nullptr)
        routedMailbox->Post(copy);
    return 0;
}

void ButtonScan::DeliverReports()
{
    for (const ButtonReport& report : mailbox_.TakeAll())
        Handle(report);
}

void ButtonScan::Handle(const ButtonReport& report)
{
    if (encGpio_ != 0)
        buttonSeen_ = true;
    const std::wstring text = FormatText(255, L"Raw Data = %.2X %.2X %.2X %.2X %.2X\n\n", report[0], report[1],
                                         report[2], report[3], report[4]);
    if (text != previousText_) {
        debug_.Write(L"Previous = ");
        debug_.Write(previousText_);
        debug_.Write(L"Current = ");
        debug_.Write(text);
        previousText_ = text;
        const int handled = hooks_.encButtonHandler ? hooks_.encButtonHandler(report) : 0;
        if (handled != 0 && handled != -1)
            debug_.Write(FormatText(255, L"***** SendEncButton FAIL! ***** (ret = %d)\n", handled));
    }
    if (hooks_.processPendingMessages)
        hooks_.processPendingMessages();
}

} // namespace device
