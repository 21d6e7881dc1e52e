#include "setup/InstallWorker.h"

#include <thread>

namespace setup {

void StartInstallWorker(CInstallSequence& sequence, ports::Clock& clock, ports::InstallerWindow& window)
{
    std::thread([&sequence, &clock, &window] {
        sequence.Install();
        clock.SleepMs(500);
        window.PostFinished();
    }).detach();
}

} // namespace setup
