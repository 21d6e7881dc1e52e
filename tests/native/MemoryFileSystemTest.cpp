#include "platform/memory/MemoryFileSystem.h"

#include <gtest/gtest.h>

TEST(MemoryFileSystem, FollowsWindowsPathRules)
{
    memory::MemoryFileSystem files;
    files.Put(L"C:\\Program Files\\Tonvio\\AudioConfig.cfg", "x");
    EXPECT_TRUE(files.FileExists(L"c:/program files/TONVIO/audioconfig.CFG"));
    EXPECT_TRUE(files.FolderExists(L"C:\\Program Files\\Tonvio\\"));
    EXPECT_EQ(files.Get(L"C:\\PROGRAM FILES\\tonvio\\AudioConfig.cfg"), "x");

    const std::uint8_t byte = 1;
    EXPECT_FALSE(files.WriteAll(L"C:\\Missing\\file.txt", std::span(&byte, 1))) << "folder must exist";
    EXPECT_TRUE(files.CreateFolder(L"C:\\Missing"));
    EXPECT_TRUE(files.WriteAll(L"C:\\Missing\\file.txt", std::span(&byte, 1)));
}

TEST(MemoryFileSystem, ReadsFailAtTheChosenStep)
{
    memory::MemoryFileSystem files;
    files.Put(L"C:\\a.ini", "[a]");
    files.FailReads(L"C:\\a.ini", ports::ReadStatus::ReadFailed);
    EXPECT_EQ(files.ReadAll(L"C:\\a.ini").status, ports::ReadStatus::ReadFailed);
    files.FailReads(L"C:\\a.ini", ports::ReadStatus::Ok);
    EXPECT_EQ(files.ReadAll(L"C:\\a.ini").status, ports::ReadStatus::Ok);
}
