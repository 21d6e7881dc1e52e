// Drives a running control panel from outside, as a user would: finds its window, clicks into it with
// real mouse input, opens its tray menu and types keys into the menu, and asks it to exit. The
// end-to-end scenario runs it between screenshots.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayCallbackMessage = WM_APP + 1;

struct Found {
    HWND window = nullptr;
};

BOOL CALLBACK FindPanel(HWND window, LPARAM context)
{
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    if (std::wcscmp(className, L"TApplication") == 0 && ::IsWindowVisible(window) && bounds.right > bounds.left) {
        reinterpret_cast<Found*>(context)->window = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window of the class, waited for up to `seconds`.
HWND WaitForWindow(const wchar_t* className, int seconds)
{
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        const HWND window = ::FindWindowW(className, nullptr);
        if (window != nullptr && ::IsWindowVisible(window))
            return window;
        ::Sleep(100);
    }
    return nullptr;
}

HWND WaitForPanel(int seconds)
{
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        Found found;
        ::EnumWindows(FindPanel, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr)
            return found.window;
        ::Sleep(100);
    }
    return nullptr;
}

void SendMouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void SendKey(WORD key)
{
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ::Sleep(250);
}

WORD KeyNamed(const std::wstring& name)
{
    static constexpr struct {
        const wchar_t* name;
        WORD key;
    } kKeys[] = {{L"down", VK_DOWN}, {L"up", VK_UP},        {L"right", VK_RIGHT},
                 {L"left", VK_LEFT}, {L"enter", VK_RETURN}, {L"escape", VK_ESCAPE}};
    for (const auto& key : kKeys)
        if (name == key.name)
            return key.key;
    return 0;
}

// The panel's window also while it is hidden.
HWND PanelEvenHidden()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            RECT bounds{};
            ::GetWindowRect(window, &bounds);
            if (std::wcscmp(className, L"TApplication") != 0 || bounds.right <= bounds.left)
                return TRUE;
            *reinterpret_cast<HWND*>(context) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Commands about the plug-in application and a hidden panel, which the other commands cannot reach.
int PluginCommand(const std::wstring& command, int argc, wchar_t** argv)
{
    constexpr wchar_t kPluginClass[] = L"TonvioPluginStandIn";
    if (command == L"plugin-window" && argc == 3)
        return WaitForWindow(kPluginClass, _wtoi(argv[2])) != nullptr ? 0 : 1;
    if (command == L"close-plugin") {
        const HWND plugin = ::FindWindowW(kPluginClass, nullptr);
        if (plugin == nullptr)
            return 1;
        ::PostMessageW(plugin, WM_CLOSE, 0, 0);
        for (int waited = 0; waited < 300 && ::IsWindow(plugin); ++waited)
            ::Sleep(100);
        return ::IsWindow(plugin) ? 1 : 0;
    }
    if (command == L"panel-hidden" && argc == 3) {
        for (int waited = 0; waited <= _wtoi(argv[2]) * 10; ++waited) {
            const HWND panel = PanelEvenHidden();
            if (panel != nullptr && !::IsWindowVisible(panel))
                return 0;
            ::Sleep(100);
        }
        return 1;
    }
    if (command == L"tray-restore") {
        const HWND panel = PanelEvenHidden();
        if (panel == nullptr)
            return 1;
        ::PostMessageW(panel, kTrayCallbackMessage, 0, WM_LBUTTONDBLCLK);
        return 0;
    }
    return -1;
}

int Usage()
{
    std::fputs("usage: PanelDriver find <seconds> | click <x> <y> | drag <x> <y> <dx> <dy> | tray-menu <keys,...> |"
               " keys <keys,...> | find-dialog <seconds> | close-dialog | exit | plugin-window <seconds> |"
               " close-plugin | panel-hidden <seconds> | tray-restore\n",
               stderr);
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    const std::wstring command = argv[1];
    if (const int outcome = PluginCommand(command, argc, argv); outcome >= 0)
        return outcome;
    const HWND panel = WaitForPanel(command == L"find" && argc > 2 ? _wtoi(argv[2]) : 10);
    if (panel == nullptr) {
        std::fputs("no panel window\n", stderr);
        return 1;
    }

    if (command == L"find") {
        RECT bounds{};
        ::GetWindowRect(panel, &bounds);
        std::printf("%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top);
        return 0;
    }
    if ((command == L"click" && argc == 4) || (command == L"drag" && argc == 6)) {
        ::SetForegroundWindow(panel);
        POINT point{_wtoi(argv[2]), _wtoi(argv[3])};
        ::ClientToScreen(panel, &point);
        ::SetCursorPos(point.x, point.y);
        ::Sleep(80);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        if (command == L"drag") {
            const int dx = _wtoi(argv[4]);
            const int dy = _wtoi(argv[5]);
            for (int step = 1; step <= 5; ++step) {
                ::SetCursorPos(point.x + dx * step / 5, point.y + dy * step / 5);
                SendMouse(MOUSEEVENTF_MOVE);
            }
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        return 0;
    }
    if ((command == L"tray-menu" || command == L"keys") && argc == 3) {
        // The tray icon's right button, as the icon reports it to the panel; the panel shows its menu at
        // the cursor and waits in the menu's loop for the keys.
        if (command == L"tray-menu") {
            ::PostMessageW(panel, kTrayCallbackMessage, 0, WM_RBUTTONUP);
            // The system's pop-up menu window: keys sent before it shows would go elsewhere.
            if (WaitForWindow(L"#32768", 30) == nullptr) {
                std::fputs("the tray menu did not open\n", stderr);
                return 1;
            }
        }
        std::wstring keys = argv[2];
        std::size_t start = 0;
        while (start <= keys.size()) {
            const std::size_t comma = keys.find(L',', start);
            const std::wstring name =
                keys.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
            if (const WORD key = KeyNamed(name))
                SendKey(key);
            if (comma == std::wstring::npos)
                break;
            start = comma + 1;
        }
        return 0;
    }
    if (command == L"find-dialog" && argc == 3) {
        const HWND dialog = WaitForWindow(L"TonvioModalForm", _wtoi(argv[2]));
        if (dialog == nullptr) {
            std::fputs("no dialog opened\n", stderr);
            return 1;
        }
        RECT bounds{};
        ::GetWindowRect(dialog, &bounds);
        std::printf("%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top);
        return 0;
    }
    if (command == L"close-dialog") {
        // What the dialog's close button sends; the display has no window manager to draw that button.
        const HWND dialog = ::FindWindowW(L"TonvioModalForm", nullptr);
        if (dialog == nullptr) {
            std::fputs("no dialog open\n", stderr);
            return 1;
        }
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        for (int waited = 0; waited < 300 && ::IsWindow(dialog); ++waited)
            ::Sleep(100);
        if (::IsWindow(dialog)) {
            std::fputs("the dialog did not close\n", stderr);
            return 1;
        }
        return 0;
    }
    if (command == L"exit") {
        ::PostMessageW(panel, ::RegisterWindowMessageW(L"WM_KVQ48xxAPP_EXIT"), 0, 0);
        return 0;
    }
    return Usage();
}
