#pragma once
// Every in-memory adapter in one place, wired together: the platform a test or a simulation runs on.
// The members are public so that a test can arrange facts and read records directly.

#include "common/ports/Platform.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryDeviceEnumeration.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryServiceManager.h"
#include "platform/memory/MemorySystemInfo.h"
#include "platform/memory/MemoryVersionResource.h"
#include "platform/memory/RecordingDebugOutput.h"

namespace memory {

struct MemoryPlatform {
    MemoryFileSystem files;
    MemorySystemInfo system;
    IniFileProfile profile{files, system.facts.windowsDirectory};
    MemoryRegistry registry;
    MemoryVersionResource versions;
    ManualClock clock;
    MemoryServiceManager services{clock};
    MemoryDeviceEnumeration devices;
    RecordingDebugOutput debug;

    ports::Platform Ports() { return {files, profile, registry, system, versions, services, devices, clock, debug}; }
};

} // namespace memory
