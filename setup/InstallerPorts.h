#pragma once
// Every port the installer uses, gathered so that the program or a test hands over one object.

#include "common/ports/Platform.h"
#include "setup/ports/InstallFileSystem.h"
#include "setup/ports/InstallerSystem.h"
#include "setup/ports/InstallerWindow.h"
#include "setup/ports/Payload.h"

namespace setup {

struct InstallerPorts {
    ports::Platform os;
    ports::InstallFileSystem& installFiles;
    ports::Payload& payload;
    ports::InstallerSystem& system;
    ports::InstallerWindow& window;
};

} // namespace setup
