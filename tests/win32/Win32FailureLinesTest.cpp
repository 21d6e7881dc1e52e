// A failing adapter says which system call failed and with which code, in the one form of every adapter.

#include "device/FilterDriverChannel.h"
#include "platform/memory/RecordingDebugOutput.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Failure.h"
#include "platform/win32/Win32FilterDriver.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ServiceManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

} // namespace

TEST(FailureLine, NamesTheCallAndItsCode)
{
    EXPECT_EQ(win32::FailureLine(L"SetupDiGetClassDevsW", ERROR_ACCESS_DENIED),
              L"***** SetupDiGetClassDevsW failed, error 5 *****\n");
    EXPECT_EQ(win32::ResultFailureLine(L"SHGetFolderPathW", E_INVALIDARG),
              L"***** SHGetFolderPathW failed, error 0x80070057 *****\n");

    // The last error survives its own report, for a caller that reads it afterwards.
    memory::RecordingDebugOutput debug;
    ::SetLastError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(win32::ReportLastError(debug, L"CreateFileW"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(debug.Lines(), Lines{L"***** CreateFileW failed, error 32 *****\n"});
}

TEST(FailureLine, MissingRegistryKeyAndValue)
{
    memory::RecordingDebugOutput debug;
    win32::Win32Registry registry(debug);
    EXPECT_EQ(registry.OpenKey(ports::RegistryRoot::CurrentUser, L"Software\\Tonvio No Such Key",
                               ports::RegistryView::Bits32),
              nullptr);
    EXPECT_EQ(debug.Lines(), Lines{L"***** RegOpenKeyExW failed, error 2 *****\n"});

    debug.Clear();
    const ports::CreatedKey created =
        registry.CreateKey(ports::RegistryRoot::CurrentUser, L"Software\\Tonvio Failure Lines", ports::RegistryView::Bits32);
    ASSERT_NE(created.key, nullptr);
    EXPECT_EQ(created.key->ReadDword(L"No such value"), std::nullopt);
    EXPECT_EQ(created.key->ReadString(L"No such value"), std::nullopt);
    EXPECT_EQ(debug.Lines(), Lines(2, L"***** RegQueryValueExW failed, error 2 *****\n"));
    ::RegDeleteKeyExW(HKEY_CURRENT_USER, L"Software\\Tonvio Failure Lines", KEY_WOW64_32KEY, 0);
}

TEST(FailureLine, MissingFileAndFolder)
{
    memory::RecordingDebugOutput debug;
    win32::Win32FileSystem files(debug);
    EXPECT_EQ(files.ReadAll(TempPath(L"tonvio-no-such-file.ini")).status, ports::ReadStatus::CannotOpen);
    EXPECT_EQ(files.ReadAll(TempPath(L"tonvio-no-such-folder\\file.ini")).status, ports::ReadStatus::CannotOpen);
    EXPECT_FALSE(files.RemoveFile(TempPath(L"tonvio-no-such-file.ini")));
    EXPECT_EQ(debug.Lines(), (Lines{L"***** CreateFileW failed, error 2 *****\n",
                                    L"***** CreateFileW failed, error 3 *****\n",
                                    L"***** DeleteFileW failed, error 2 *****\n"}));
    debug.Clear();
    EXPECT_FALSE(files.FileExists(TempPath(L"tonvio-no-such-file.ini")));
    EXPECT_TRUE(debug.Lines().empty()) << "a question answered no is no failure";
}

TEST(FailureLine, MissingServiceNamesTheServiceCall)
{
    memory::RecordingDebugOutput debug;
    win32::Win32ServiceManager services(debug);
    const auto connection = services.Connect();
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->Open(L"TonvioNoSuchService", ports::ServiceAccess::QueryAndUserControl), nullptr);
    EXPECT_EQ(debug.Lines(), Lines{L"***** OpenServiceW failed, error 1060 *****\n"});
}

// The driver's channel is missing on every machine under test; the code is whatever the system gives for
// the path, and it is the code the line carries.
TEST(FailureLine, MissingDriverChannelAndARefusedRequest)
{
    memory::RecordingDebugOutput debug;
    win32::Win32FilterDriver driver(debug);
    EXPECT_EQ(driver.OpenDevicePath(device::FilterDriverChannelPath(0x4D2F, 0x4802)), nullptr);
    const DWORD openError = ::GetLastError();
    EXPECT_NE(openError, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(debug.Lines(), Lines{win32::FailureLine(L"CreateFileW", openError)});

    const std::wstring path = TempPath(L"tonvio-failure-lines.bin");
    ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    debug.Clear();
    {
        const auto handle = driver.OpenDevicePath(path);
        ASSERT_NE(handle, nullptr);
        std::uint8_t output[8] = {};
        EXPECT_FALSE(handle->Request(device::driver_codes::kStatus, {}, output).succeeded);
        const DWORD requestError = ::GetLastError();
        EXPECT_NE(requestError, static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(debug.Lines(), Lines{win32::FailureLine(L"DeviceIoControl", requestError)});
    }
    ::DeleteFileW(path.c_str());
}
