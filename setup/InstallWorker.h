#pragma once
// The installation's worker thread, started by Next: the sequence, a 500 ms pause, then the finished
// message to the wizard. It keeps no handle and ends by itself. The sequence, the clock and the window
// must outlive it; the window's PostFinished is the last thing it touches.

#include "common/ports/Clock.h"
#include "setup/InstallSequence.h"
#include "setup/ports/InstallerWindow.h"

namespace setup {

void StartInstallWorker(CInstallSequence& sequence, ports::Clock& clock, ports::InstallerWindow& window);

} // namespace setup
