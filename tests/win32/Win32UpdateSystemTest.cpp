// The update prerequisite's Windows calls: the servicing store is read in the 64-bit view only, a file
// handed to the shell is waited for with its exit code, or the thread's messages flow for the given time.

#include "platform/memory/RecordingDebugOutput.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32UpdateSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kStore[] = L"SOFTWARE\\TonvioUpdateTest\\Packages";

void CreateKey(const std::wstring& path, REGSAM view)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    const win32::RegistryKeyHandle owned(key);
}

class Win32UpdateSystemTest : public testing::Test {
protected:
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TonvioUpdateTest"); // the native view in a 64-bit test
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TonvioUpdateTest32", KEY_WOW64_32KEY, 0);
    }

    memory::RecordingDebugOutput debug;
    win32::Win32UpdateSystem update{debug};
};

TEST_F(Win32UpdateSystemTest, TheServicingStoreIsReadInThe64BitView)
{
    CreateKey(std::wstring(kStore) + L"\\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1", KEY_WOW64_64KEY);
    CreateKey(std::wstring(kStore) + L"\\Package_for_KB2999226~31bf3856ad364e35~amd64~~6.1.1.1", KEY_WOW64_64KEY);
    CreateKey(L"SOFTWARE\\TonvioUpdateTest32", KEY_WOW64_32KEY);

    const auto names = update.NativeSubkeyNames(kStore);
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::wstring>{L"Package_for_KB2999226~31bf3856ad364e35~amd64~~6.1.1.1",
                                                 L"Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1"}));
    EXPECT_TRUE(update.NativeKeyExists(kStore));
    EXPECT_FALSE(update.NativeKeyExists(L"SOFTWARE\\TonvioUpdateTest32"));
    EXPECT_EQ(update.NativeSubkeyNames(L"SOFTWARE\\TonvioUpdateTest\\Missing"), std::nullopt);
}

TEST_F(Win32UpdateSystemTest, AWaitWithoutLimitGivesTheStartedProgramsExitCode)
{
    const ports::ShellRun run = update.Open(L"cmd.exe", L"/c exit 3010", ports::kWaitWithoutLimit);
    EXPECT_TRUE(run.launched);
    EXPECT_EQ(run.exitCode, 3010u);

    const ports::ShellRun missing = update.Open(L"C:\\nowhere\\Windows6.1-KB3033929-x64.msu", L"", -1);
    EXPECT_FALSE(missing.launched);
    EXPECT_EQ(debug.Lines().back().rfind(L"***** ShellExecuteExW failed", 0), 0u);
}

TEST_F(Win32UpdateSystemTest, APositiveWaitKeepsMessagesFlowingForItsTime)
{
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
    const DWORD start = ::GetTickCount();
    const ports::ShellRun run = update.Open(L"cmd.exe", L"/c exit 0", 300);
    EXPECT_GE(::GetTickCount() - start, 300u);
    EXPECT_TRUE(run.launched);
    EXPECT_EQ(run.exitCode, std::nullopt);
    MSG message{};
    EXPECT_FALSE(::PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE)); // taken by the wait
}

} // namespace
