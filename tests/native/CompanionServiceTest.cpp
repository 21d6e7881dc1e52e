#include "setup/CompanionService.h"
#include "setup/Registration.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using setup::ControlOutcome;

class RecordingLauncher final : public ports::SessionLauncher {
public:
    bool InstanceRuns(const std::wstring& mutexName) override { return running.contains(mutexName); }
    bool StartInUserSession(const std::wstring& commandLine) override
    {
        started.push_back(commandLine);
        if (startSucceeds)
            running.insert(setup::kPanelInstanceMutex);
        return startSucceeds;
    }
    std::set<std::wstring> running;
    std::vector<std::wstring> started;
    bool startSucceeds = true;
};

class CompanionServiceTest : public ::testing::Test {
protected:
    CompanionServiceTest() { setup::WriteServiceEntries(rig.os.registry, rig.os.debug, rig.LoadConfig()); }

    setuptest::SetupRig rig;
    RecordingLauncher launcher;
    setup::CompanionService service{rig.os.registry, launcher, rig.os.debug};
};

TEST_F(CompanionServiceTest, ThePanelsControlsStartItOnceWithTheInstalledCommandLines)
{
    const std::wstring panel = L"\"C:\\Program Files\\Acme\\AcmeApp.exe\"";

    EXPECT_EQ(service.OnControl(193), ControlOutcome::Started);
    EXPECT_EQ(service.OnControl(193), ControlOutcome::AlreadyRunning);
    EXPECT_EQ(service.OnControl(196), ControlOutcome::AlreadyRunning);
    EXPECT_EQ(launcher.started, (std::vector<std::wstring>{panel + L" -servicestart"}));

    launcher.running.clear(); // the user closed the panel; the next log-on starts it for the tray
    EXPECT_EQ(service.OnControl(196), ControlOutcome::Started);
    EXPECT_EQ(launcher.started.back(), panel + L" -serviceboot");
}

TEST_F(CompanionServiceTest, OtherControlsAndMissingEntriesStartNothing)
{
    EXPECT_EQ(service.OnControl(128), ControlOutcome::Noted);
    EXPECT_EQ(service.OnControl(200), ControlOutcome::NotOwn);

    launcher.startSucceeds = false;
    EXPECT_EQ(service.OnControl(193), ControlOutcome::StartFailed);

    setuptest::SetupRig bare; // no installation wrote the entries
    setup::CompanionService uninstalled(bare.os.registry, launcher, bare.os.debug);
    EXPECT_EQ(uninstalled.OnControl(193), ControlOutcome::NoEntry);
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(bare.os.debug.Lines().back(), L"DeviceWatchService: no start-up entry \"UserPrivilegeExecution_C0\"\n");
}

} // namespace
