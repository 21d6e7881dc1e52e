// The window host on its own: the region file's checks before the platform sees it, the tray icon, the
// pop-up menu's owner window, the timers, and the painter's dialog colour.

#include "panel/form/MainFormComponents.h"
#include "panel/ports/WindowEvents.h"
#include "platform/win32/Win32FormPainter.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32UiHandles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

class NoEvents final : public ports::WindowEvents {
public:
    void OnActivate() override {}
    void OnRegisteredMessage(std::uint32_t message) override { registered.push_back(message); }
    void OnSystemMinimize() override {}
    void OnSystemRestore() override {}
    void OnMouseDown(int, int) override {}
    void OnMouseUp(int, int) override {}
    void OnHookedMouse(const ports::HookedMouse&) override {}
    void OnDeviceChange(const ports::DeviceChange&) override {}
    void OnTrayDoubleClick() override {}
    void OnTrayRightButtonUp() override {}
    void OnDestroy() override {}

    std::vector<std::uint32_t> registered;
};

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Two rectangles making an L: the top band 0..300 x 0..40 and the left band 0..80 x 40..200.
std::vector<std::uint8_t> LRegion(std::uint32_t count)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t value : {32u, 1u, count, count * 16u, 0u, 0u, 300u, 200u})
        PutU32(bytes, value);
    for (std::uint32_t value : {0u, 0u, 300u, 40u, 0u, 40u, 80u, 200u})
        PutU32(bytes, value);
    return bytes;
}

class WindowHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Created());
        window.Attach(form, events);
    }

    form::Form form = form::BuildMainForm(L"Host test");
    NoEvents events;
    win32::Win32MainWindow window{::GetModuleHandleW(nullptr)};
};

} // namespace

TEST_F(WindowHostTest, TakesTheFormsSizeAndCaption)
{
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, form::kDefaultMainFormWidth);
    EXPECT_EQ(client.bottom, form::kDefaultMainFormHeight);
    wchar_t caption[64] = {};
    ::GetWindowTextW(window.Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Host test");
    EXPECT_EQ(::FindWindowW(win32::kApplicationWindowClassName, L"Host test"), window.Handle());

    form.SetClientSize(300, 200);
    window.Redraw();
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

TEST_F(WindowHostTest, RegionFileMustBeSoundBeforeTheWindowTakesIt)
{
    std::vector<std::uint8_t> truncated = LRegion(2);
    truncated.resize(truncated.size() - 4);
    std::vector<std::uint8_t> overCounted = LRegion(2);
    overCounted[8] = 200; // 200 rectangles claimed, 2 present
    for (const auto& bad : {truncated, overCounted, std::vector<std::uint8_t>(31, 0)}) {
        EXPECT_FALSE(window.ApplyRegion(bad));
        const HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(window.Handle(), probe), ERROR) << "no region was set";
        ::DeleteObject(probe);
    }

    ASSERT_TRUE(window.ApplyRegion(LRegion(2)));
    const HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(window.Handle(), probe), COMPLEXREGION);
    EXPECT_TRUE(::PtInRegion(probe, 10, 10));
    EXPECT_TRUE(::PtInRegion(probe, 10, 150));
    EXPECT_FALSE(::PtInRegion(probe, 200, 150)) << "outside the L";
    ::DeleteObject(probe);
    RECT bounds{};
    ::GetWindowRect(window.Handle(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 300);
    EXPECT_EQ(bounds.bottom - bounds.top, 200);
}

TEST_F(WindowHostTest, TimersTickInTheMessageLoopUntilStopped)
{
    int ticks = 0;
    window.Start(1, 10, [&] {
        if (++ticks == 3)
            window.Stop(1);
    });
    for (int i = 0; i < 100 && ticks < 3; ++i) {
        ::Sleep(10);
        window.ProcessPendingMessages();
    }
    EXPECT_EQ(ticks, 3);
    ::Sleep(50);
    window.ProcessPendingMessages();
    EXPECT_EQ(ticks, 3) << "stopped from its own tick";
}

TEST_F(WindowHostTest, RegisteredMessagesReachTheFormAndTheTrayIconComesAndGoes)
{
    win32::Win32WindowMessages messages;
    const std::uint32_t id = messages.Register(L"WM_TONVIO_HOST_TEST");
    ASSERT_GE(id, 0xC000u);
    EXPECT_EQ(messages.Register(L"WM_TONVIO_HOST_TEST"), id);
    messages.Broadcast(id, 1000);
    EXPECT_EQ(events.registered, std::vector<std::uint32_t>{id});

    win32::Win32TrayIcon tray(window.Handle(), win32::kTrayCallbackMessage);
    EXPECT_TRUE(tray.Show(L"", L"Tonvio"));
    EXPECT_TRUE(tray.Show(L"C:\\no such icon.ico", L"Changed hint")) << "falls back to the program's icon";
    tray.Remove();
}

// A form on the system's dialog colour is painted in whatever colour the system gives dialogs; any other
// colour as it is.
TEST(FormPainter, SystemDialogColourIsTheSystemsButtonFace)
{
    const HDC screen = ::GetDC(nullptr);
    const win32::MemoryDc dc(::CreateCompatibleDC(screen));
    const win32::BitmapHandle bitmap(::CreateCompatibleBitmap(screen, 20, 10));
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(dc && bitmap);
    const win32::SelectedObject selected(dc.Get(), bitmap.Get());
    win32::PictureCache pictures;
    // One control shown, away from the pixel looked at: a form without any gets the unskinned look.
    form::Control corner;
    corner.name = L"Corner";
    corner.kind = form::ControlClass::Label;
    corner.bounds = {18, 0, 1, 1};
    for (const std::uint32_t colour : {form::kSystemDialogColour, std::uint32_t{0x00302820}}) {
        form::Form dialog(L"Dialog", L"", 20, 10, colour);
        dialog.Add(corner);
        win32::PaintForm(dc.Get(), dialog, pictures, 96);
        const COLORREF expected = colour == form::kSystemDialogColour ? ::GetSysColor(COLOR_BTNFACE) : colour;
        EXPECT_EQ(::GetPixel(dc.Get(), 5, 5), expected) << std::hex << colour;
    }
}
