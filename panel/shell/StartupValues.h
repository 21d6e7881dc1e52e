#pragma once
// The start-up values of "AudioConfig.cfg" that the panel reads for its own use, each into room for
// 31 characters. Integer values count by their leading digits (optional sign, digits, the rest ignored;
// no digits is 0); a missing or empty key keeps the default below.

#include "common/ports/PrivateProfile.h"

#include <string>

namespace shell {

struct StartupValues {
    std::wstring hintName;    // the tray icon's hint
    int oldVersion = 0;       // non-zero: the old skin layout
    int defaultIni = 0;       // 1: restore "DefaultProfile.ini" at start
    int micMonitor = 1;       // the microphone monitoring mode
    float v7ch1Scalar = 2.0f; // the virtual 7.1 scale
    int encButtonMode = 0;    // 1: the device's button is read through GPIO scanning
    int encGpio = 0;          // the GPIO mode of that scan
    int exclusive3DV7ch1 = 0; // 1: 3D and virtual 7.1 exclude each other
    int bee = 0;              // 1: the test-sound check box is offered
};

StartupValues ReadStartupValues(const ports::PrivateProfile& profile, const std::wstring& configPath);

// "RegionCut" of [Skin]; empty or not a whole number counts as 0.
int ReadRegionCut(const ports::PrivateProfile& profile, const std::wstring& configPath);

// Non-zero "Application" key of a plug-in folder name (by its leading digits): the plug-in is offered.
bool PluginOffered(const ports::PrivateProfile& profile, const std::wstring& configPath, const std::wstring& name);

} // namespace shell
