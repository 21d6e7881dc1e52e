// The colour and file dialogs come from the common dialogs' library, which the program loads only when
// the first dialog opens: each dialog really opens (a timer of this thread cancels it once it shows).
#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

int g_dialogsSeen = 0;

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    wchar_t className[16]{};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window))
        return TRUE;
    ++g_dialogsSeen;
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
}

// Runs `open` (a modal dialog) while a timer of this thread cancels the dialog it shows; true when one
// showed.
bool OpensAndCancels(const std::function<bool()>& open)
{
    g_dialogsSeen = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &LookForDialog);
    const bool chosen = open();
    ::KillTimer(nullptr, timer);
    return !chosen && g_dialogsSeen > 0;
}

TEST(Win32CommonDialogs, ColourAndFileDialogsOpenFromTheLibraryLoadedOnFirstUse)
{
    EXPECT_EQ(::GetModuleHandleW(L"comdlg32.dll"), nullptr) << "not loaded with the program";
    win32::Win32ColourDialog colours(nullptr);
    win32::Win32FileDialogs files(nullptr);
    const ports::FileDialogRequest request{L"Profiles (*.ini)|*.ini", L"ini", L"", L"profile.ini"};
    EXPECT_TRUE(OpensAndCancels([&] { return colours.Choose(0x00336699).has_value(); }));
    EXPECT_TRUE(OpensAndCancels([&] { return files.ChooseFileToOpen(request).has_value(); }));
    EXPECT_TRUE(OpensAndCancels([&] { return files.ChooseFileToSave(request).has_value(); }));
    EXPECT_NE(::GetModuleHandleW(L"comdlg32.dll"), nullptr);
}

} // namespace
