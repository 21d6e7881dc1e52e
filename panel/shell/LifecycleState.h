#pragma once
// The main window's lifecycle state: what it knows about itself and the device for the whole run.

#include "device/DeviceState.h"

#include <cstdint>
#include <string>

namespace shell {

struct LifecycleState : device::DeviceState {
    std::wstring programFolder; // with its trailing backslash
    std::uint32_t exitMessageId = 0;
    std::uint32_t effectExitMessageId = 0;
    std::uint32_t resumeMessageId = 0;
    std::uint32_t buttonReportMessageId = 0; // wakes the GUI thread for the device button's reports
    int osKind = 0;
    // The current page is kept with the controls' states (ControlStates::page), which show it.
    int pluginCount = 0;
};

} // namespace shell
