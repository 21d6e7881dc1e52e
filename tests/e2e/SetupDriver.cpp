// Drives TonvioSetup's wizard window for the end-to-end scenario, one command per run:
//
//   setup_driver find SECONDS          wait for the wizard; print "left top width height" of its window
//   setup_driver caption               print the window caption
//   setup_driver text INDEX            print the caption of control INDEX
//   setup_driver visible INDEX         print 1 or 0
//   setup_driver enabled INDEX         print 1 or 0
//   setup_driver progress              print the progress bar's position
//   setup_driver select INDEX          choose language INDEX in the combo box, as the user does
//   setup_driver click INDEX           click the button INDEX
//   setup_driver wait-enabled INDEX SECONDS   wait until control INDEX is enabled and visible
//   setup_driver link PATH             print the target of the shell link PATH, read through the shell
//
// INDEX is the control's index in the wizard model; its control ID is 1000 + INDEX.

#include "tests/win32/ShellLinkTarget.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kControlIdBase = 1000;
constexpr int kComboBox = 7;
constexpr int kProgressBar = 9;

HWND Wizard()
{
    return ::FindWindowW(L"TMainForm", nullptr);
}

HWND Control(HWND wizard, int index)
{
    return ::GetDlgItem(wizard, kControlIdBase + index);
}

std::wstring Text(HWND window)
{
    wchar_t text[512]{};
    ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "setup driver: %s\n", what);
    return 1;
}

void PrintUtf8(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Fail("no command");
    const std::wstring command = argv[1];
    const int argument = argc > 2 ? _wtoi(argv[2]) : 0;
    if (command == L"link" && argc > 2) {
        const std::wstring target = shell_link::Target(argv[2]);
        if (target.empty())
            return Fail("the link cannot be read");
        PrintUtf8(target);
        return 0;
    }

    if (command == L"find") {
        for (int i = 0; i < argument * 10; ++i) {
            HWND wizard = Wizard();
            if (wizard && ::IsWindowVisible(wizard)) {
                RECT r{};
                ::GetWindowRect(wizard, &r);
                std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
                return 0;
            }
            ::Sleep(100);
        }
        return Fail("no wizard window");
    }
    HWND wizard = Wizard();
    if (!wizard)
        return Fail("no wizard window");

    if (command == L"caption") {
        PrintUtf8(Text(wizard));
    } else if (command == L"text") {
        PrintUtf8(Text(Control(wizard, argument)));
    } else if (command == L"visible") {
        std::printf("%d\n", ::IsWindowVisible(Control(wizard, argument)) ? 1 : 0);
    } else if (command == L"enabled") {
        std::printf("%d\n", ::IsWindowEnabled(Control(wizard, argument)) ? 1 : 0);
    } else if (command == L"progress") {
        std::printf("%d\n", static_cast<int>(::SendMessageW(Control(wizard, kProgressBar), PBM_GETPOS, 0, 0)));
    } else if (command == L"select") {
        HWND combo = Control(wizard, kComboBox);
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(argument), 0);
        ::SendMessageW(wizard, WM_COMMAND, MAKEWPARAM(kControlIdBase + kComboBox, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    } else if (command == L"click") {
        // Posted, so that a message box the click opens does not hold the driver.
        ::PostMessageW(Control(wizard, argument), BM_CLICK, 0, 0);
    } else if (command == L"wait-enabled") {
        const int seconds = argc > 3 ? _wtoi(argv[3]) : 10;
        HWND control = Control(wizard, argument);
        for (int i = 0; i < seconds * 10; ++i) {
            if (::IsWindowEnabled(control) && ::IsWindowVisible(control))
                return 0;
            ::Sleep(100);
        }
        return Fail("the control did not become enabled");
    } else {
        return Fail("unknown command");
    }
    return 0;
}
