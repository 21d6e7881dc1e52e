#pragma once
// Every port the shared foundation uses, gathered so that a program or a test hands over one object.

#include "common/ports/Clock.h"
#include "common/ports/DebugOutput.h"
#include "common/ports/DeviceEnumeration.h"
#include "common/ports/FileSystem.h"
#include "common/ports/PrivateProfile.h"
#include "common/ports/Registry.h"
#include "common/ports/ServiceManager.h"
#include "common/ports/SystemInfo.h"
#include "common/ports/VersionResource.h"

namespace ports {

struct Platform {
    FileSystem& files;
    PrivateProfile& profile;
    Registry& registry;
    SystemInfo& system;
    VersionResource& versions;
    ServiceManager& services;
    DeviceEnumeration& devices;
    Clock& clock;
    DebugOutput& debug;
};

} // namespace ports
