#include "panel/shell/ProcessEntry.h"

#include "common/ServiceControl.h"
#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryServiceManager.h"
#include "platform/memory/MemoryWindow.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using shell::StartSwitch;

class PanelStartTest : public testing::Test {
protected:
    PanelStartTest()
    {
        memory::SimulatedService service;
        service.state = ports::ServiceState::Running;
        services.Add(shell::kCompanionServiceName, service);
    }

    shell::EntryOutcome Start(std::vector<std::wstring> arguments)
    {
        arguments.insert(arguments.begin(), L"C:\\Tonvio\\TonvioApp.exe");
        return shell::DecideProcessStart(arguments, services, clock, debug);
    }

    memory::ManualClock clock;
    memory::MemoryServiceManager services{clock};
    memory::RecordingDebugOutput debug;
};

} // namespace

TEST_F(PanelStartTest, FirstDecidingSwitchChoosesBetweenServiceRequestAndPanel)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> arguments;
        StartSwitch decision;
        std::vector<std::uint32_t> controlsSent;
    };
    const Case cases[] = {
        {"no arguments", {}, StartSwitch::None, {193}},
        {"unknown argument", {L"-verbose"}, StartSwitch::None, {193}},
        {"boot in any letter case", {L"-BoOt"}, StartSwitch::Boot, {196}},
        {"boot decides before servicestart", {L"-boot", L"-servicestart"}, StartSwitch::Boot, {196}},
        {"servicestart decides before boot", {L"-servicestart", L"-boot"}, StartSwitch::ServiceStart, {}},
        {"empty and unknown skipped", {L"", L"x", L"-SERVICEBOOT"}, StartSwitch::ServiceBoot, {}},
        {"compared whole, not as a prefix", {L"-servicestarted", L"-bootx"}, StartSwitch::None, {193}},
    };
    for (const Case& c : cases) {
        memory::MemoryServiceManager fresh{clock};
        fresh.Add(shell::kCompanionServiceName, services.At(shell::kCompanionServiceName));
        std::vector<std::wstring> arguments = c.arguments;
        arguments.insert(arguments.begin(), L"TonvioApp.exe");
        const shell::EntryOutcome outcome = shell::DecideProcessStart(arguments, fresh, clock, debug);

        EXPECT_EQ(outcome.decision, c.decision) << c.what;
        EXPECT_EQ(outcome.runPanel, c.controlsSent.empty()) << c.what;
        EXPECT_EQ(outcome.exitCode, 0) << c.what;
        std::vector<std::uint32_t> sent;
        for (const auto& control : fresh.Controls())
            sent.push_back(control.code);
        EXPECT_EQ(sent, c.controlsSent) << c.what;
    }
}

TEST_F(PanelStartTest, DiagnosticLinesOfAServiceRequest)
{
    Start({L"-Boot"});
    const std::vector<std::wstring> expected = {
        L"ParamStr(0) = C:\\Tonvio\\TonvioApp.exe\n",     L"ParamStr(1) = -Boot\n",       L"-boot\n",
        L"===== Service Control Execution -boot =====\n", L"ControlTheService ret = 0\n",
    };
    EXPECT_EQ(debug.Lines(), expected);
}

TEST_F(PanelStartTest, UnreachableServiceIsOnlyLogged)
{
    memory::MemoryServiceManager empty{clock};
    const std::vector<std::wstring> arguments = {L"TonvioApp.exe"};
    const shell::EntryOutcome outcome = shell::DecideProcessStart(arguments, empty, clock, debug);

    EXPECT_FALSE(outcome.runPanel);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(debug.Contains(L"===== Service Control Execution no service =====\n"));
    EXPECT_TRUE(debug.Contains(L"ControlTheService ret = 2\n"));
}

TEST(SingleInstance, FirstInstanceHoldsTheMutex)
{
    memory::MemorySingleInstance session;
    EXPECT_EQ(shell::DecideSingleInstance(session, L"Tonvio"), shell::InstanceDecision::First);
    EXPECT_EQ(session.heldMutexes, std::vector<std::wstring>{shell::kSingleInstanceMutexName});
    EXPECT_TRUE(session.actions.empty());
}

TEST(SingleInstance, SecondInstanceBringsTheFirstForward)
{
    struct Case {
        const char* what;
        bool minimized;
        std::vector<std::wstring> actions;
    };
    const Case cases[] = {
        {"minimized: restored", true, {L"ClearOwnApplicationCaption", L"Restore Tonvio"}},
        {"shown: brought to the front", false, {L"ClearOwnApplicationCaption", L"BringForward Tonvio"}},
    };
    for (const Case& c : cases) {
        memory::MemorySingleInstance session;
        session.mutexes.insert(shell::kSingleInstanceMutexName);
        // Our own application window has the same title and comes first: it must not be found.
        session.windows = {{L"TApplication", L"Tonvio", false, true},
                           {L"TAudioMainForm", L"Tonvio", false, false},
                           {L"TApplication", L"Tonvio", c.minimized, false}};

        EXPECT_EQ(shell::DecideSingleInstance(session, L"Tonvio"), shell::InstanceDecision::AnotherRuns) << c.what;
        EXPECT_EQ(session.actions, c.actions) << c.what;
        EXPECT_FALSE(session.windows[2].minimized) << c.what;
        EXPECT_TRUE(session.heldMutexes.empty()) << c.what;
    }
}

TEST(SingleInstance, SecondInstanceEndsEvenWhenTheFirstHasNoWindowYet)
{
    memory::MemorySingleInstance session;
    session.mutexes.insert(shell::kSingleInstanceMutexName);
    session.windows = {{L"TApplication", L"Other product", false, false}};

    EXPECT_EQ(shell::DecideSingleInstance(session, L"Tonvio"), shell::InstanceDecision::AnotherRuns);
    EXPECT_EQ(session.actions, std::vector<std::wstring>{L"ClearOwnApplicationCaption"});
}
