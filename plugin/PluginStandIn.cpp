// A plug-in (effect) application as the control panel expects one: it ends when the panel broadcasts
// "WM_AUDIO_EFFECT_EXIT", and when it ends, however that happens, it broadcasts "WM_APP_EXIT_RESUME" so
// that the panel comes back. The panel starts it hidden; it shows itself all the same.

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kWindowClass[] = L"TonvioPluginStandIn";
constexpr UINT kResumeBroadcastTimeoutMs = 1000;

UINT effectExitMessage = 0;

std::wstring ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    if (const auto slash = name.find_last_of(L"\\/"); slash != std::wstring::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

void Paint(HWND window)
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    RECT area{};
    ::GetClientRect(window, &area);
    ::InflateRect(&area, -16, -16);
    const std::wstring text = ProgramName() +
                              L"\n\nThe control panel stays in the notification area while this plug-in runs."
                              L"\nClose this window to bring it back.";
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK);
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && message == effectExitMessage) {
        ::DestroyWindow(window);
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    effectExitMessage = ::RegisterWindowMessageW(L"WM_AUDIO_EFFECT_EXIT");
    const UINT resumeMessage = ::RegisterWindowMessageW(L"WM_APP_EXIT_RESUME");

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (::RegisterClassExW(&windowClass) == 0)
        return 1;
    const std::wstring title = ProgramName() + L" - Tonvio plug-in";
    HWND window = ::CreateWindowExW(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    480, 220, nullptr, nullptr, instance, nullptr);
    int exitCode = 1;
    if (window != nullptr) {
        ::ShowWindow(window, SW_SHOWNORMAL);
        MSG message{};
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    // The panel hid itself for the plug-in; it shows again on this broadcast.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, resumeMessage, 0, 0, SMTO_NORMAL, kResumeBroadcastTimeoutMs, &ignored);
    return exitCode;
}
