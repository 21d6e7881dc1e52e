// Measurements of a Windows program from outside it, for scripts/bench.sh. One command per run; the
// results are printed as "name=value" lines.
//
//   start <program> [arguments...]   starts the program from its own folder and waits for its first
//                                    visible top-level window: first_window_ms (from just before the
//                                    process is created) and pid. The program keeps running.
//   blocking <pid> <seconds>         sends an empty message to the program's visible window every 2 ms
//                                    and times each answer: how long the window's thread was held up
//                                    (sends, median_ms, p99_ms, max_ms, over_5ms, and window_max_ms: the
//                                    longest answer of every 2-second stretch, the poll's period).
//   end <pid> [message]              posts the registered window message of that name (WM_CLOSE without
//                                    one) to the program's windows and waits for it to end (ended=1), or
//                                    ends it (ended=terminated).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
    DWORD pid = 0;
    HWND found = nullptr;
};

BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search.pid && ::IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD pid)
{
    WindowSearch search{pid, nullptr};
    ::EnumWindows(&TakeVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Quoted(const std::wstring& argument)
{
    return L"\"" + argument + L"\"";
}

int Start(int count, wchar_t** arguments)
{
    std::wstring program = arguments[0];
    std::wstring commandLine = Quoted(program);
    for (int i = 1; i < count; ++i)
        commandLine += L" " + std::wstring(arguments[i]);
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double started = NowMs();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        std::printf("error=CreateProcess %lu\n", ::GetLastError());
        return 1;
    }
    ::CloseHandle(process.hThread);
    for (;;) {
        if (VisibleWindowOf(process.dwProcessId) != nullptr) {
            std::printf("first_window_ms=%.1f\npid=%lu\n", NowMs() - started, process.dwProcessId);
            break;
        }
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 || NowMs() - started > 60000) {
            std::printf("error=no window\npid=%lu\n", process.dwProcessId);
            ::CloseHandle(process.hProcess);
            return 1;
        }
    }
    ::CloseHandle(process.hProcess);
    return 0;
}

int Blocking(DWORD pid, double seconds)
{
    const HWND window = VisibleWindowOf(pid);
    if (window == nullptr) {
        std::printf("error=no window\n");
        return 1;
    }
    constexpr double kStretchMs = 2000.0;
    std::vector<double> answers;
    std::vector<double> stretchMax;
    const double begin = NowMs();
    const double end = begin + seconds * 1000.0;
    while (NowMs() < end) {
        const double sent = NowMs();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) {
            std::printf("error=no answer\n");
            return 1;
        }
        const double answer = NowMs() - sent;
        answers.push_back(answer);
        const auto stretch = static_cast<std::size_t>((sent - begin) / kStretchMs);
        if (stretch >= stretchMax.size())
            stretchMax.resize(stretch + 1, 0.0);
        stretchMax[stretch] = std::max(stretchMax[stretch], answer);
        ::Sleep(2);
    }
    // A stretch cut short by the end says less than the others.
    if (stretchMax.size() > 1 && (end - begin) / kStretchMs < static_cast<double>(stretchMax.size()))
        stretchMax.pop_back();
    std::sort(answers.begin(), answers.end());
    const auto at = [&answers](double share) {
        return answers[std::min(answers.size() - 1,
                                static_cast<std::size_t>(share * static_cast<double>(answers.size())))];
    };
    const auto over = std::count_if(answers.begin(), answers.end(), [](double ms) { return ms > 5.0; });
    std::printf("sends=%zu\nmedian_ms=%.2f\np99_ms=%.2f\nmax_ms=%.2f\nover_5ms=%ld\nwindow_max_ms=", answers.size(),
                at(0.5), at(0.99), answers.back(), static_cast<long>(over));
    for (std::size_t i = 0; i < stretchMax.size(); ++i)
        std::printf("%s%.2f", i == 0 ? "" : ",", stretchMax[i]);
    std::printf("\n");
    return 0;
}

struct Closing {
    DWORD pid;
    UINT message;
};

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM context)
{
    const auto& closing = *reinterpret_cast<const Closing*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == closing.pid)
        ::PostMessageW(window, closing.message, 0, 0);
    return TRUE;
}

int End(DWORD pid, const wchar_t* messageName)
{
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    if (process == nullptr) {
        std::printf("ended=1\n");
        return 0;
    }
    Closing closing{pid, messageName != nullptr ? ::RegisterWindowMessageW(messageName) : WM_CLOSE};
    ::EnumWindows(&CloseWindowOf, reinterpret_cast<LPARAM>(&closing));
    if (::WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 5000);
        std::printf("ended=terminated\n");
    } else {
        std::printf("ended=1\n");
    }
    ::CloseHandle(process);
    return 0;
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    const std::wstring command = count > 1 ? arguments[1] : L"";
    if (command == L"start" && count >= 3)
        return Start(count - 2, arguments + 2);
    if (command == L"blocking" && count == 4)
        return Blocking(static_cast<DWORD>(std::wcstoul(arguments[2], nullptr, 10)),
                        std::wcstod(arguments[3], nullptr));
    if (command == L"end" && (count == 3 || count == 4))
        return End(static_cast<DWORD>(std::wcstoul(arguments[2], nullptr, 10)), count == 4 ? arguments[3] : nullptr);
    std::fprintf(
        stderr,
        "usage: tonvio_bench_probe start <program> [arguments...] | blocking <pid> <seconds> | end <pid> [message]\n");
    return 2;
}
