#pragma once
// Every Windows adapter in one place: the platform the shipped programs run on.

#include "common/ports/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32DebugOutput.h"
#include "platform/win32/Win32DeviceEnumeration.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32PrivateProfile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ServiceManager.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32VersionResource.h"

#include <string>

namespace win32 {

class Win32Platform {
public:
    ports::Platform Ports()
    {
        return {files_, profile_, registry_, system_, versions_, services_, devices_, clock_, debug_};
    }

private:
    Win32FileSystem files_;
    Win32PrivateProfile profile_;
    Win32Registry registry_;
    Win32SystemInfo system_;
    Win32VersionResource versions_;
    Win32ServiceManager services_;
    Win32DeviceEnumeration devices_;
    Win32Clock clock_;
    Win32DebugOutput debug_;
};

// The full path of the running program.
std::wstring RunningProgramPath();

} // namespace win32
