#pragma once
// Every Windows adapter in one place: the platform the shipped programs run on.

#include "common/ports/Platform.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32DebugOutput.h"
#include "platform/win32/Win32DeviceEnumeration.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ServiceManager.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32VersionResource.h"

#include <string>

namespace win32 {

// The Windows folder, where a profile file named without a folder lies.
std::wstring WindowsFolder();

class Win32Platform {
public:
    ports::Platform Ports()
    {
        return {files_, profile_, registry_, system_, versions_, services_, devices_, clock_, debug_};
    }

private:
    Win32FileSystem files_;
    // The kit's files are read once and answered from memory, with the results of the platform's own
    // private-profile functions (the shared profile table holds both to the same cases); those functions
    // open and parse the whole file again for every key.
    memory::IniFileProfile profile_{files_, WindowsFolder()};
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
