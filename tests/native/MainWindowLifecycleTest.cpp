#include "panel/shell/PanelApplication.h"
#include "panel/shell/RegisteredMessages.h"
#include "panel/form/MainFormComponents.h"

#include "PanelFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::wstring>;
using shell::WindowPlacement;

using testing_panel::kConfig;

class MainWindowLifecycleTest : public testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override
    {
        platform.files.Put(kConfig, "[Install]\r\nInstallAppTitle=Tonvio Audio Control Panel\r\n"
                                    "InstallIconFileName=tonvio.ico\r\n[TrayIconHint]\r\nHintName=Tonvio Audio\r\n");
        platform.system.facts.extendedVersion = ports::OsVersion{6, 1, 7601, 2, 1};
    }

    shell::TAudioMainForm& Start(const std::wstring& commandLine = L"TonvioApp.exe -servicestart")
    {
        Create(commandLine);
        EXPECT_TRUE(app->MainForm().Construct());
        windowSide.window.calls.clear();
        return app->MainForm();
    }

    std::uint32_t Id(const wchar_t* name) { return windowSide.messages.Register(name); }

    // Two plug-in items under "Plugin", as the plug-in scan leaves them.
    void AddPlugins(shell::TAudioMainForm& main, bool firstChecked, bool secondChecked)
    {
        form::MenuItem& plugins = *main.PopupMenu().Find(form::kPluginMenuId);
        plugins.items = {form::MakeMenuItem(form::kFirstPluginItemId, L"", L"FxPro"),
                         form::MakeMenuItem(form::kFirstPluginItemId + 1, L"", L"Echo")};
        plugins.items[0].checked = firstChecked;
        plugins.items[1].checked = secondChecked;
        main.MutableState().pluginCount = 2;
    }
};

} // namespace

TEST_F(MainWindowLifecycleTest, ConstructionSetsTheInitialLifecycleStateTitleAndTray)
{
    shell::TAudioMainForm& main = Start();
    const shell::LifecycleState& state = main.State();

    EXPECT_EQ(state.programFolder, L"C:\\Program Files\\Tonvio\\");
    EXPECT_EQ(windowSide.messages.NameOf(state.exitMessageId), shell::kPanelExitMessage);
    EXPECT_EQ(windowSide.messages.NameOf(state.resumeMessageId), shell::kExitResumeMessage);
    EXPECT_EQ(windowSide.messages.NameOf(state.effectExitMessageId), shell::kEffectExitMessage);
    EXPECT_EQ(state.osKind, 6);
    EXPECT_EQ(state.deviceVid, 0);
    EXPECT_EQ(state.devicePid, 0);
    EXPECT_EQ(state.m_hDevice, nullptr);
    EXPECT_FALSE(state.deviceActive);
    EXPECT_FALSE(state.synchronization);
    EXPECT_FALSE(state.micProbeDone);
    EXPECT_EQ(main.States().page, 1);
    EXPECT_EQ(state.activationCount, 0);

    // The title is cut to 31 characters and is also the window's caption.
    EXPECT_EQ(main.Title(), L"Tonvio Audio Control Panel");
    EXPECT_EQ(main.Form().Caption(), main.Title());
    EXPECT_TRUE(windowSide.tray.shown);
    EXPECT_EQ(windowSide.tray.iconFile, L"C:\\Program Files\\Tonvio\\tonvio.ico");
    EXPECT_EQ(windowSide.tray.hint, L"Tonvio Audio");
    // Without plug-ins the "Plugin" item is hidden; without a device the presence poll runs.
    EXPECT_FALSE(main.PopupMenu().Find(form::kPluginMenuId)->visible);
    EXPECT_TRUE(main.Timers().Enabled(L"Timer1"));
}

TEST_F(MainWindowLifecycleTest, TitleFallsBackToTheProgramNameAndIsCut)
{
    platform.files.Put(kConfig, "[Install]\r\nInstallAppTitle=An application title that is far too long\r\n");
    EXPECT_EQ(Start().Title(), L"An application title that is fa"); // 31 characters
    platform.files.Put(kConfig, "");
    EXPECT_EQ(Start().Title(), L"TonvioApp");
    EXPECT_EQ(windowSide.tray.iconFile, L"") << "no icon file: the program's own icon";
}

TEST_F(MainWindowLifecycleTest, RegisteredMessages)
{
    shell::TAudioMainForm& main = Start();
    AddPlugins(main, true, true);

    main.WndProc(Id(shell::kEffectExitMessage));
    main.WndProc(0x0010); // an ordinary message
    EXPECT_TRUE(windowSide.window.calls.empty()) << "the panel ignores the effect-exit message";

    main.WndProc(Id(shell::kExitResumeMessage));
    const auto& items = main.PopupMenu().Find(form::kPluginMenuId)->items;
    EXPECT_FALSE(items[0].checked);
    EXPECT_FALSE(items[1].checked);

    // The exit message closes without the effect-exit broadcast, even while a plug-in runs.
    AddPlugins(main, true, false);
    main.WndProc(Id(shell::kPanelExitMessage));
    EXPECT_EQ(windowSide.window.calls, Calls{L"RequestClose"});
    EXPECT_TRUE(windowSide.messages.broadcasts.empty());
}

TEST_F(MainWindowLifecycleTest, PluginItemAsksRunningPluginsToEndThenStartsItsProgramHidden)
{
    platform.files.Put(kConfig, "[Plugin]\r\nPluginFolderName=Plugin\r\n");
    shell::TAudioMainForm& main = Start();
    AddPlugins(main, false, true);
    main.PopupMenu().Find(form::kPluginMenuId)->items[0].caption = L"Fx&Pro";
    platform.debug.Clear();
    const std::uint64_t sleptBefore = platform.clock.TotalSleptMs();

    main.MenuItemClick(form::kFirstPluginItemId);

    using B = memory::MemoryWindowMessages::Broadcasted;
    EXPECT_EQ(windowSide.messages.broadcasts, (std::vector<B>{{shell::kEffectExitMessage, 100},
                                                              {shell::kExitResumeMessage, 1000},
                                                              {shell::kEffectExitMessage, 1000},
                                                              {shell::kEffectExitMessage, 1000}}));
    EXPECT_EQ(platform.clock.TotalSleptMs() - sleptBefore, 900u);
    const std::wstring program = L"C:\\Program Files\\Tonvio\\Plugin\\FxPro\\FxPro.exe";
    EXPECT_EQ(platform.debug.Lines(), (std::vector<std::wstring>{L"WM_APP_EXIT_RESUME", L"WM_APP_EXIT_EFFECT",
                                                                 L"WM_APP_EXIT_EFFECT", program}));
    EXPECT_EQ(windowSide.shell.started, (std::vector<std::pair<std::wstring, std::wstring>>{{program, program}}));
    EXPECT_TRUE(main.PopupMenu().Find(form::kFirstPluginItemId)->checked);
    EXPECT_EQ(windowSide.window.calls, Calls{L"HideMain"});

    // While it runs a restore from the tray keeps the panel hidden.
    windowSide.window.calls.clear();
    main.CTrayIconRestore();
    EXPECT_EQ(windowSide.window.calls, Calls{L"MinimizeToTray"});
}

TEST_F(MainWindowLifecycleTest, ResumeUnchecksOnlyThePluginItemsCounted)
{
    shell::TAudioMainForm& main = Start();
    AddPlugins(main, true, true);
    main.MutableState().pluginCount = 1;
    main.WndProc(Id(shell::kExitResumeMessage));
    const auto& items = main.PopupMenu().Find(form::kPluginMenuId)->items;
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
}

TEST_F(MainWindowLifecycleTest, ServiceBootHidesThePanelOnTheFirstActivationOnly)
{
    struct Case {
        const char* what;
        const wchar_t* commandLine;
        Calls calls;
    };
    const Case cases[] = {
        {"-serviceboot", L"\"C:\\Tonvio\\TonvioApp.exe\" -serviceboot", {L"PostMinimizeCommand"}},
        {"found anywhere in the command line", L"TonvioApp.exe -x-servicebootx", {L"PostMinimizeCommand"}},
        {"case-sensitive", L"TonvioApp.exe -ServiceBoot", {}},
        {"-servicestart", L"TonvioApp.exe -servicestart", {}},
    };
    for (const Case& c : cases) {
        shell::TAudioMainForm& main = Start(c.commandLine);
        platform.debug.Clear();
        main.FormActivate();
        main.FormActivate();
        EXPECT_EQ(windowSide.window.calls, c.calls) << c.what;
        const Calls expectedDebug = c.calls.empty() ? Calls{L"FormActivate", L"FormActivate"}
                                                    : Calls{L"FormActivate", L"-serviceboot", L"FormActivate"};
        EXPECT_EQ(platform.debug.Lines(), expectedDebug) << c.what;
    }
}

TEST_F(MainWindowLifecycleTest, TrayStateChanges)
{
    shell::TAudioMainForm& main = Start();
    EXPECT_EQ(main.Placement(), WindowPlacement::Shown);

    main.CloseImageClick();
    EXPECT_EQ(main.Placement(), WindowPlacement::InTray);
    main.TrayDoubleClick();
    EXPECT_EQ(main.Placement(), WindowPlacement::Shown);
    main.MinimizeImageClick();
    EXPECT_EQ(main.Placement(), WindowPlacement::OnTaskbar);
    main.SystemMinimize();
    EXPECT_EQ(main.Placement(), WindowPlacement::InTray);
    main.SystemRestore();
    EXPECT_EQ(main.Placement(), WindowPlacement::Shown);
    EXPECT_EQ(windowSide.window.calls, (Calls{L"MinimizeToTray", L"RestoreFromTray", L"ShowMain", L"MinimizeToTaskbar",
                                              L"MinimizeToTray", L"RestoreFromTray"}));
}

TEST_F(MainWindowLifecycleTest, RunningPluginKeepsThePanelInTheTrayUntilItResumes)
{
    shell::TAudioMainForm& main = Start();
    AddPlugins(main, false, true);
    main.CloseImageClick();

    main.TrayDoubleClick();
    EXPECT_EQ(main.Placement(), WindowPlacement::InTray);

    main.WndProc(Id(shell::kExitResumeMessage));
    main.TrayDoubleClick();
    EXPECT_EQ(main.Placement(), WindowPlacement::Shown);
    EXPECT_EQ(windowSide.window.calls,
              (Calls{L"MinimizeToTray", L"RestoreFromTray", L"MinimizeToTray", L"RestoreFromTray", L"ShowMain"}));
}

TEST_F(MainWindowLifecycleTest, TrayMenuCloseBroadcastsTheEffectExitThenCloses)
{
    shell::TAudioMainForm& main = Start();
    windowSide.menus.choices = {std::nullopt, form::kSkinMenuId, form::kCloseMenuId};

    main.TrayRightButtonUp(); // dismissed
    main.TrayRightButtonUp(); // a sub-menu heading does nothing
    EXPECT_TRUE(windowSide.messages.broadcasts.empty());
    main.TrayRightButtonUp();

    using B = memory::MemoryWindowMessages::Broadcasted;
    EXPECT_EQ(windowSide.messages.broadcasts, (std::vector<B>{B{shell::kEffectExitMessage, 100}}));
    EXPECT_EQ(windowSide.window.calls,
              (Calls{L"BringToForeground", L"BringToForeground", L"BringToForeground", L"RequestClose"}));
    const std::vector<std::wstring> captions = {L"Language", L"Skin", L"Plugin", L"Close"};
    std::vector<std::wstring> shownCaptions;
    for (const form::MenuItem& item : windowSide.menus.shown.at(0).items)
        shownCaptions.push_back(item.caption);
    EXPECT_EQ(shownCaptions, captions);
}

TEST_F(MainWindowLifecycleTest, FormDestroyRunsOnceAndTakesTheTrayIconAway)
{
    shell::TAudioMainForm& main = Start();
    main.FormDestroy();
    EXPECT_FALSE(windowSide.tray.shown);
    windowSide.tray.Show(L"", L"again");
    main.FormDestroy();
    EXPECT_TRUE(windowSide.tray.shown) << "the second destroy does nothing";
}

TEST_F(MainWindowLifecycleTest, SkinButtonsClickOnReleaseOverTheSameControl)
{
    PutKit(); // close at (700, 5), minimize at (675, 5), both 20 x 20
    shell::TAudioMainForm& main = Start();

    main.FormMouseDown(705, 10);
    EXPECT_EQ(main.Form().Find(L"CloseImage")->picture.file,
              std::wstring(testing_panel::kSkinFolder) + L"close_down.png");
    main.FormMouseUp(680, 10); // released over another button: no click, but the button comes up again
    EXPECT_TRUE(windowSide.window.calls.empty());
    EXPECT_EQ(main.Form().Find(L"CloseImage")->picture.file,
              std::wstring(testing_panel::kSkinFolder) + L"close_up.png");

    main.FormMouseDown(680, 10);
    main.FormMouseUp(681, 11);
    EXPECT_EQ(windowSide.window.calls, Calls{L"MinimizeToTaskbar"});

    windowSide.window.calls.clear();
    main.FormMouseDown(705, 10);
    main.FormMouseUp(705, 10);
    EXPECT_EQ(windowSide.window.calls, Calls{L"MinimizeToTray"});
}

TEST_F(MainWindowLifecycleTest, PressOnTheBackgroundMovesTheWindow)
{
    shell::TAudioMainForm& main = Start();
    form::Control& background = *main.Form().Find(L"MainFormImage");
    background.visible = true;
    background.bounds = {0, 0, 760, 460};
    form::Control& slider = *main.Form().FindImageByTag(29);
    slider.visible = true;
    slider.bounds = {100, 100, 20, 10};

    main.FormMouseDown(300, 300);
    main.FormMouseDown(900, 900); // off every control: the form itself
    EXPECT_EQ(windowSide.window.calls, (Calls{L"BeginMoveByCaption", L"BeginMoveByCaption"}));
    EXPECT_EQ(windowSide.pump.runs, 2);

    windowSide.window.calls.clear();
    main.FormMouseDown(105, 105);
    EXPECT_TRUE(windowSide.window.calls.empty()) << "a slider does not move the window";
}

TEST_F(MainWindowLifecycleTest, ApplicationHookRemembersThePressedControlUntilRelease)
{
    shell::TAudioMainForm& main = Start();
    form::Control& slider = *main.Form().FindImageByTag(29);
    slider.visible = true;
    slider.enabled = false; // found all the same
    slider.bounds = {100, 120, 20, 10};

    using Kind = shell::HookedMouse::Kind;
    main.ApplicationMouseHook({Kind::LeftDown, 1100, 720, 105, 125});
    EXPECT_TRUE(main.Press().pressed);
    EXPECT_EQ(main.Press().control, L"EQ60HzSliderImage");
    EXPECT_EQ(main.Press().screenX, 1100);
    EXPECT_EQ(main.Press().controlTop, 120);

    main.ApplicationMouseHook({Kind::Move, 1100, 760, 105, 165});
    EXPECT_EQ(main.Press().control, L"EQ60HzSliderImage");
    main.ApplicationMouseHook({Kind::LeftUp, 1100, 760, 105, 165});
    EXPECT_FALSE(main.Press().pressed);
    EXPECT_EQ(main.Press().control, L"");
}
