#include "setup/InstallLog.h"

#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallLogTest, EveryLineReachesTheDebuggerAndTheLogFileAsUtf8)
{
    memory::MemoryFileSystem files;
    files.CreateFolder(L"C:\\Temp");
    memory::RecordingDebugOutput debugger;
    setup::InstallLog log(debugger, files, L"C:\\Temp\\TonvioSetup.log");

    log.Write(L"===== Install STEP1 =====\n");
    EXPECT_EQ(files.Get(L"C:\\Temp\\TonvioSetup.log"), "===== Install STEP1 =====\r\n"); // there before the run ends
    log.Write(L"Install: Gr\u00FC\u00DFe \U0001F3A7\n");

    EXPECT_EQ(files.Get(L"C:\\Temp\\TonvioSetup.log"),
              "===== Install STEP1 =====\r\nInstall: Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x8E\xA7\r\n");
    EXPECT_EQ(debugger.Lines().size(), 2u);
    EXPECT_TRUE(log.Written());

    setup::InstallLog nowhere(debugger, files, L"C:\\Missing\\TonvioSetup.log");
    nowhere.Write(L"line\n");
    EXPECT_FALSE(nowhere.Written());
    EXPECT_EQ(debugger.Lines().back(), L"line\n");
}

TEST(InstallLogTest, TheSilentSwitchesAreReadInAnyCaseAndTheRestIgnored)
{
    const setup::RunArguments run =
        setup::ParseRunArguments({L"/s", L"/Log=C:\\My Logs\\setup.log", L"-servicestart", L"/removeprofiles"});
    EXPECT_TRUE(run.silent);
    EXPECT_EQ(run.logPath, L"C:\\My Logs\\setup.log");
    EXPECT_TRUE(run.removeProfiles);

    const setup::RunArguments none = setup::ParseRunArguments({L"/Silent", L"S", L"/LOG"});
    EXPECT_FALSE(none.silent);
    EXPECT_TRUE(none.logPath.empty());
    EXPECT_FALSE(none.removeProfiles);
}

} // namespace
