#include "platform/win32/Win32SystemInfo.h"

#include "common/SystemFacts.h"
#include "common/VersionInfoMgr.h"
#include "platform/memory/RecordingDebugOutput.h"
#include "platform/win32/Win32VersionResource.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ProgramFolder()
{
    const std::wstring path = ProgramPath();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

// These tests run as a 64-bit process.
TEST(Win32SystemInfo, BitnessFactsOfA64BitProcess)
{
    win32::Win32SystemInfo system;
    EXPECT_EQ(system.IsWow64Process().lookup, ports::Lookup::Succeeded);
    EXPECT_FALSE(IsWow64(system));

    memory::RecordingDebugOutput debug;
    const VERSIONINFO_MGR::CVersionInfoMgr versions(system, debug);
    bool native64 = false;
    EXPECT_EQ(versions.IsNative64(native64), VERSIONINFO_MGR::kArchitectureKnown);
    EXPECT_TRUE(native64);

    ports::RedirectionCookie cookie;
    if (DisableFsRedirection(system, cookie)) {
        EXPECT_TRUE(RevertFsRedirection(system, cookie));
    }
}

TEST(Win32SystemInfo, WindowsVersionIsKnownAndConsistent)
{
    win32::Win32SystemInfo system;
    memory::RecordingDebugOutput debug;
    const VERSIONINFO_MGR::CVersionInfoMgr versions(system, debug);
    int index = -2;
    int code = -2;
    int servicePack = -2;
    ASSERT_EQ(versions.GetWindowsVersion(&index, &code, &servicePack), VERSIONINFO_MGR::kVersionOk);

    const ports::OsVersionLookup kernel = system.RtlVersion();
    ASSERT_EQ(kernel.lookup, ports::Lookup::Succeeded);
    EXPECT_GE(index, 0);
    EXPECT_EQ(code, static_cast<int>(kernel.version.major * 256 + kernel.version.minor));
    EXPECT_EQ(servicePack, static_cast<int>(kernel.version.servicePackMajor));
    ASSERT_EQ(debug.Lines().size(), 1u);
    wchar_t expected[80];
    swprintf(expected, 80, L"GetWindowsVersion: Major = 0x%.8X, Minor = 0x%.8X\n", kernel.version.major,
             kernel.version.minor);
    EXPECT_EQ(debug.Lines()[0], expected);

    EXPECT_EQ(GetOsKind(system), kOsKindVistaOrLater);
    EXPECT_FALSE(IsWindowsBefore6(system));
}

TEST(Win32SystemInfo, FoldersAndEnvironment)
{
    win32::Win32SystemInfo system;
    const auto programFiles = system.FolderPath(ports::kCsidlProgramFiles);
    ASSERT_TRUE(programFiles.has_value());
    EXPECT_TRUE(IsFolder(*programFiles)) << *programFiles;

    const std::wstring systemDirectory = system.SystemDirectory();
    const std::wstring windowsDirectory = system.WindowsDirectory();
    EXPECT_TRUE(IsFolder(systemDirectory));
    EXPECT_TRUE(IsFolder(windowsDirectory));
    EXPECT_EQ(::CompareStringOrdinal(systemDirectory.c_str(), static_cast<int>(windowsDirectory.size()),
                                     windowsDirectory.c_str(), -1, TRUE),
              CSTR_EQUAL)
        << "the system folder lies in the Windows folder";
    const auto shellSystem = system.SpecialFolderPath(ports::kCsidlSystem);
    ASSERT_TRUE(shellSystem.has_value());
    EXPECT_EQ(::CompareStringOrdinal(shellSystem->c_str(), -1, systemDirectory.c_str(), -1, TRUE), CSTR_EQUAL);

    ASSERT_TRUE(::SetEnvironmentVariableW(L"TONVIO_TEST_VALUE", L"a value"));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TONVIO_TEST_EMPTY", L""));
    const std::wstring longValue(1000, L'x');
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TONVIO_TEST_LONG", longValue.c_str()));
    EXPECT_EQ(system.EnvironmentVariable(L"tonvio_test_value"), L"a value");
    EXPECT_EQ(system.EnvironmentVariable(L"TONVIO_TEST_EMPTY"), L"");
    EXPECT_EQ(system.EnvironmentVariable(L"TONVIO_TEST_LONG"), longValue);
    EXPECT_EQ(system.EnvironmentVariable(L"TONVIO_TEST_MISSING"), std::nullopt);
}

TEST(Win32VersionResource, FileVersionStringOfABuiltProgram)
{
    win32::Win32VersionResource versions;
    std::wstring text = L"unchanged";
    EXPECT_EQ(GetFileVersionString(versions, ProgramFolder() + L"" TONVIO_TEST_SERVICE_FILE, text), kFileVersionOk);
    EXPECT_EQ(text, L"" TONVIO_VERSION_TEXT);

    text = L"unchanged";
    EXPECT_EQ(GetFileVersionString(versions, ProgramPath(), text), kFileVersionNoResource) << "the tests carry none";
    EXPECT_EQ(GetFileVersionString(versions, ProgramFolder() + L"missing.exe", text), kFileVersionNoResource);
    EXPECT_EQ(text, L"unchanged");
}
