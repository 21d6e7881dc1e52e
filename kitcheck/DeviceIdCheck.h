#pragma once
// The device sections of "AudioConfig.cfg": the accepted USB and HID patterns and the
// noise-cancellation levels per device.

#include "kitcheck/Finding.h"
#include "kitcheck/IniInventory.h"
#include "kitcheck/Kit.h"

#include <optional>
#include <string>

namespace kitcheck {

// Why a pattern of [USB_VID_PID] ("USB") or [HID_VID_PID] ("HID") can never accept a hardware ID the
// programs look at; nullopt when it can.
std::optional<std::wstring> UnmatchablePattern(const std::wstring& pattern, const std::wstring& bus);

void CheckDeviceIds(const Kit& kit, const IniInventory& config, Findings& findings);
void CheckEncValueMap(const Kit& kit, const IniInventory& config, Findings& findings);

} // namespace kitcheck
