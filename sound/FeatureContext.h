#pragma once
// What every sound feature of the control panel works with: the main window's controls and their
// states, the skin and language that dress them, the device channels and the panel's lifecycle state.
// The main window owns all of it and hands the same context to each feature.

#include "common/AppConfig.h"
#include "common/ports/Platform.h"
#include "device/FilterDriverChannel.h"
#include "device/ports/AudioSdk.h"
#include "device/ports/HidChannel.h"
#include "panel/form/Form.h"
#include "panel/form/FormTimers.h"
#include "panel/language/LanguageSetting.h"
#include "panel/pages/ControlStates.h"
#include "panel/ports/WindowPorts.h"
#include "panel/shell/LifecycleState.h"
#include "panel/shell/StartupValues.h"
#include "panel/skin/SkinSetting.h"

#include <memory>

namespace sound {

struct DeviceChannels {
    std::unique_ptr<ports::AudioSdk> sdk; // bound at construction; null until then
    ports::HidChannel& hid;
    device::FilterDriverChannel channel;
};

struct FeatureContext {
    const ports::Platform& platform;
    const ports::WindowPorts& window;
    form::Form& form;
    form::FormTimers& timers;
    panel::ControlStates& states;
    const panel::SkinSetting& skin;
    const panel::LanguageSetting& language;
    const _APPLICATION_FOLDER_PATH& config;
    const shell::StartupValues& startup;
    shell::LifecycleState& lifecycle;
    DeviceChannels& device;
};

} // namespace sound
