#include "device/ButtonReportMailbox.h"

#include <utility>

namespace device {

void ButtonReportMailbox::Post(const ButtonReport& report)
{
    {
        const std::lock_guard lock(mutex_);
        pending_.push_back(report);
    }
    if (wakeGuiThread_)
        wakeGuiThread_();
}

std::vector<ButtonReport> ButtonReportMailbox::TakeAll()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
}

} // namespace device
