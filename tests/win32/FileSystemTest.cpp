#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, buffer);
    return std::wstring(buffer) + L"tonvio-fs-test";
}

} // namespace

TEST(Win32FileSystem, WritesReadsAndReportsMissingFiles)
{
    win32::Win32FileSystem files;
    const std::wstring folder = TempFolder() + L"\\a\\b";
    ASSERT_TRUE(files.CreateFolder(folder));
    EXPECT_TRUE(files.FolderExists(folder));

    const std::wstring path = folder + L"\\data.bin";
    const std::uint8_t bytes[] = {0xEF, 0xBB, 0xBF, 'x', 0};
    ASSERT_TRUE(files.WriteAll(path, bytes));
    EXPECT_TRUE(files.FileExists(path));
    const ports::FileBytes read = files.ReadAll(path);
    EXPECT_EQ(read.status, ports::ReadStatus::Ok);
    EXPECT_EQ(read.bytes, std::vector<std::uint8_t>(std::begin(bytes), std::end(bytes)));

    EXPECT_TRUE(files.RemoveFile(path));
    EXPECT_EQ(files.ReadAll(path).status, ports::ReadStatus::CannotOpen);
    EXPECT_FALSE(files.FileExists(path));
}
