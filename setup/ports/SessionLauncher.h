#pragma once
// What the companion service needs of Windows to start the control panel for the user at the console:
// whether a panel runs there already, and a program started in that user's session with the user's rights.

#include <string>

namespace ports {

class SessionLauncher {
public:
    virtual ~SessionLauncher() = default;
    // True when the named object of the panel's single-instance rule exists in the user's session.
    virtual bool InstanceRuns(const std::wstring& mutexName) = 0;
    // Starts the command line on the user's interactive desktop; false when it could not be started.
    virtual bool StartInUserSession(const std::wstring& commandLine) = 0;
};

} // namespace ports
