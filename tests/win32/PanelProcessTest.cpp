// TonvioApp.exe as a process under Wine: the window it shows, the single-instance rule, the installer's
// exit message, and the starts that only ask the companion service.

#include "ChildProcess.h"
#include "platform/win32/Handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

std::wstring PanelPath()
{
    return child_process::ProgramFolder() + L"TonvioApp.exe";
}

// A panel started without waiting for it; killed at the end of the test when it is still running.
class RunningPanel {
public:
    explicit RunningPanel(const std::wstring& arguments)
    {
        std::wstring commandLine = L"\"" + PanelPath() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (::CreateProcessW(PanelPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info)) {
            process_.Reset(info.hProcess);
            ::CloseHandle(info.hThread);
            id_ = info.dwProcessId;
        }
    }
    ~RunningPanel()
    {
        if (process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
            ::TerminateProcess(process_.Get(), 99);
    }

    bool Started() const { return process_.Valid(); }
    DWORD Id() const { return id_; }
    // The exit code, or nothing when the process still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const
    {
        if (::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD code = 0;
        ::GetExitCodeProcess(process_.Get(), &code);
        return code;
    }

private:
    win32::KernelHandle process_;
    DWORD id_ = 0;
};

struct WindowSearch {
    DWORD processId = 0; // 0: any process
    std::vector<HWND> found;
};

std::vector<HWND> ApplicationWindows(DWORD processId = 0)
{
    WindowSearch search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<WindowSearch*>(context);
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (std::wstring(className) == kApplicationClass && (s.processId == 0 || owner == s.processId))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        for (HWND window : ApplicationWindows(processId))
            if (::IsWindowVisible(window))
                return window;
        ::Sleep(100);
    }
    return nullptr;
}

// What the screen shows inside the window, saved as a 24-bit BMP; the pixel rows come back top first.
std::vector<std::uint8_t> CaptureWindow(HWND window, const std::wstring& bmpPath, int& width, int& height)
{
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    width = bounds.right - bounds.left;
    height = bounds.bottom - bounds.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    ::SelectObject(memory, previous);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height; // top row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const win32::FileHandle out(
        ::CreateFileW(bmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ::WriteFile(out.Get(), &file, sizeof(file), &written, nullptr);
    ::WriteFile(out.Get(), &header, sizeof(header), &written, nullptr);
    ::WriteFile(out.Get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    return pixels;
}

COLORREF PixelAt(const std::vector<std::uint8_t>& pixels, int width, int x, int y)
{
    const int stride = (width * 3 + 3) & ~3;
    const std::uint8_t* bgr = &pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
    return RGB(bgr[2], bgr[1], bgr[0]);
}

} // namespace

TEST(PanelProcess, RunsOnceComesForwardForASecondStartAndClosesOnTheInstallersMessage)
{
    RunningPanel first(L"-servicestart");
    ASSERT_TRUE(first.Started());
    const HWND window = WaitForWindow(first.Id(), 30000);
    ASSERT_NE(window, nullptr) << "the panel shows its window";

    // Borderless, sized to the form, and painted: the unskinned form's dark background below the title band.
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 760);
    EXPECT_EQ(client.bottom, 460);
    ::Sleep(500); // let the first paint reach the screen
    int width = 0;
    int height = 0;
    const auto pixels = CaptureWindow(window, child_process::ProgramFolder() + L"TonvioApp-window.bmp", width, height);
    EXPECT_EQ(PixelAt(pixels, width, 20, 120), RGB(0x20, 0x28, 0x30)) << "background";
    EXPECT_EQ(PixelAt(pixels, width, 20, 20), RGB(0x2C, 0x36, 0x44)) << "title band";

    // A second start while the first is minimized: it ends with 0 and the first comes back.
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(window));
    RunningPanel second(L"-servicestart");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(30000), std::optional<DWORD>(0));
    EXPECT_FALSE(::IsIconic(window)) << "the first panel is restored";
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(ApplicationWindows().size(), 1u) << "the second start shows no window";

    // The installer's broadcast closes the panel normally.
    const UINT exitMessage = ::RegisterWindowMessageW(L"WM_KVQ48xxAPP_EXIT");
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, exitMessage, 0, 0, SMTO_NORMAL, 5000, &ignored);
    EXPECT_EQ(first.WaitForExit(15000), std::optional<DWORD>(0));
    EXPECT_FALSE(::IsWindow(window));
}

TEST(PanelProcess, StartsWithoutAPanelSwitchOnlyAskTheServiceAndEnd)
{
    for (const wchar_t* arguments : {L"", L"-boot", L"-unknown", L"-BOOT -servicestart"}) {
        RunningPanel panel(arguments);
        ASSERT_TRUE(panel.Started());
        // No companion service is installed here: the request fails, and the process still ends with 0.
        EXPECT_EQ(panel.WaitForExit(30000), std::optional<DWORD>(0)) << "arguments: " << arguments;
        EXPECT_TRUE(ApplicationWindows(panel.Id()).empty());
    }
    EXPECT_TRUE(ApplicationWindows().empty());
}

TEST(PanelProcess, ServiceBootHidesInTheTrayAndTheTrayIconBringsItBack)
{
    RunningPanel panel(L"-serviceboot");
    ASSERT_TRUE(panel.Started());
    HWND window = nullptr;
    for (int waited = 0; waited < 300 && window == nullptr; ++waited) {
        for (HWND candidate : ApplicationWindows(panel.Id()))
            if (::IsIconic(candidate) && !::IsWindowVisible(candidate))
                window = candidate;
        ::Sleep(100);
    }
    ASSERT_NE(window, nullptr) << "minimized to the tray on the first activation";

    // The tray icon's double-click, as the shell reports it to the window.
    constexpr UINT kTrayCallback = WM_APP + 1;
    ::SendMessageW(window, kTrayCallback, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_FALSE(::IsIconic(window));

    ::SendMessageTimeoutW(window, ::RegisterWindowMessageW(L"WM_KVQ48xxAPP_EXIT"), 0, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(panel.WaitForExit(15000), std::optional<DWORD>(0));
}
