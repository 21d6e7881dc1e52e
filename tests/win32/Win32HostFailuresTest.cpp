// The window host when the form's handlers throw: every exception stops at the boundary to Windows (the
// window procedure, the hook, a timer, a dialog's procedure), is written to the debug output, and the
// window goes on with its messages.

#include "panel/form/MainFormComponents.h"
#include "panel/ports/WindowEvents.h"
#include "platform/memory/RecordingDebugOutput.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32ModalForms.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

class ThrowingEvents final : public ports::WindowEvents {
public:
    void OnActivate() override {}
    void OnRegisteredMessage(std::uint32_t) override {}
    void OnSystemMinimize() override {}
    void OnSystemRestore() override {}
    void OnMouseDown(int, int) override
    {
        ++presses;
        throw std::runtime_error("press failed");
    }
    void OnMouseUp(int, int) override { ++releases; }
    void OnHookedMouse(const ports::HookedMouse& mouse) override
    {
        if (mouse.kind == ports::HookedMouse::Kind::LeftDown)
            throw 42; // not even a std::exception
    }
    void OnDeviceChange(const ports::DeviceChange&) override {}
    void OnTrayDoubleClick() override {}
    void OnTrayRightButtonUp() override {}
    void OnDestroy() override { throw std::runtime_error("destroy failed"); }

    int presses = 0;
    int releases = 0;
};

const std::wstring kPressLine = L"***** Exception in the main window's procedure: press failed *****\n";

class HostFailuresTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Created());
        window.Attach(form, events);
    }

    // Every message the thread holds, through the host's own loop.
    void Pump()
    {
        for (int i = 0; i < 5; ++i) {
            window.ProcessPendingMessages();
            ::Sleep(5);
        }
    }

    memory::RecordingDebugOutput debug;
    form::Form form = form::BuildMainForm(L"Host failures test");
    ThrowingEvents events;
    win32::Win32MainWindow window{::GetModuleHandleW(nullptr), debug};
};

} // namespace

TEST_F(HostFailuresTest, AThrowingHandlerIsLoggedAndTheWindowKeepsItsMessages)
{
    ::SendMessageW(window.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(events.presses, 1);
    EXPECT_EQ(debug.Lines(), std::vector<std::wstring>{kPressLine});

    ::SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(events.releases, 1) << "the next message is handled as usual";
    EXPECT_TRUE(::IsWindow(window.Handle()));
}

TEST_F(HostFailuresTest, AThrowingHookStillLetsTheMessageThrough)
{
    ::PostMessageW(window.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    ::PostMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_EQ(events.presses, 1) << "dispatched after the hook failed";
    EXPECT_EQ(events.releases, 1);
    EXPECT_EQ(debug.Lines(), (std::vector<std::wstring>{
                                 L"***** Exception in the application hook: (unknown exception) *****\n", kPressLine}));
}

TEST_F(HostFailuresTest, ATimerWhoseTickThrowsKeepsTicking)
{
    int ticks = 0;
    window.Start(7, 10, [&] {
        if (++ticks == 3)
            window.Stop(7);
        throw std::runtime_error("tick failed");
    });
    for (int i = 0; i < 200 && ticks < 3; ++i) {
        ::Sleep(10);
        window.ProcessPendingMessages();
    }
    ASSERT_EQ(ticks, 3);
    EXPECT_EQ(debug.Lines(),
              std::vector<std::wstring>(3, L"***** Exception in the main window's procedure: tick failed *****\n"));
}

TEST_F(HostFailuresTest, AThrowingDestroyHandlerStillEndsTheLoop)
{
    ASSERT_TRUE(::DestroyWindow(window.Handle()));
    EXPECT_EQ(debug.Lines(),
              std::vector<std::wstring>{L"***** Exception in the form's destruction: destroy failed *****\n"});
    MSG quit{};
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop is told to end";
    EXPECT_FALSE(window.Created());
}

namespace {

// The dialog is found and driven from a timer of the thread, since ShowModal runs its own loop.
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int step = 0;
    const HWND dialog = ::FindWindowW(L"TonvioModalForm", L"Failing dialog");
    if (dialog == nullptr)
        return;
    if (step++ < 2) {
        // The label lies at 10, 10; two clicks, each thrown from its handler.
        ::SendMessageW(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(15, 15));
        ::SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
        return;
    }
    ::KillTimer(nullptr, timer);
    step = 0;
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
}

} // namespace

TEST(ModalFormFailures, AThrowingClickIsLoggedAndTheDialogStaysOpenUntilClosed)
{
    memory::RecordingDebugOutput debug;
    form::Form dialog(L"FailingForm", L"Failing dialog", 200, 100, form::kSystemDialogColour);
    form::Control label;
    label.name = L"Link";
    label.kind = form::ControlClass::Label;
    label.bounds = {10, 10, 100, 20};
    label.caption = L"Click";
    dialog.Add(label);

    int clicks = 0;
    win32::Win32ModalForms forms(::GetModuleHandleW(nullptr), nullptr, debug);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &DriveDialog);
    ASSERT_NE(timer, 0u);
    forms.ShowModal(dialog, [&](const form::Control&) {
        ++clicks;
        throw std::runtime_error("click failed");
    });

    EXPECT_EQ(clicks, 2) << "the second click came after the first one failed";
    EXPECT_EQ(debug.Lines(),
              std::vector<std::wstring>(2, L"***** Exception in a dialog's procedure: click failed *****\n"));
    EXPECT_EQ(::FindWindowW(L"TonvioModalForm", L"Failing dialog"), nullptr);
}
