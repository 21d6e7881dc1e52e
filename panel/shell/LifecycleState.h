#pragma once
// The main window's lifecycle state: what it knows about itself and the device for the whole run.

#include "device/ports/HidChannel.h"

#include <cstdint>
#include <memory>
#include <string>

namespace shell {

struct LifecycleState {
    std::wstring programFolder; // with its trailing backslash
    std::uint32_t exitMessageId = 0;
    std::uint32_t effectExitMessageId = 0;
    std::uint32_t resumeMessageId = 0;
    int osKind = 0;
    std::uint16_t deviceVid = 0;
    std::uint16_t devicePid = 0;
    std::unique_ptr<ports::HidInterface> m_hDevice; // the HID handle kept from start-up
    bool deviceActive = false;
    bool synchronization = false;
    bool micProbeDone = false;
    // The current page is kept with the controls' states (ControlStates::page), which show it.
    int activationCount = 0;
    int pluginCount = 0;
};

} // namespace shell
