#include "setup/FileOperations.h"
#include "setup/PerUserFiles.h"

#include "SetupRig.h"

#include <gtest/gtest.h>

namespace {

class SetupFileOperationsTest : public ::testing::Test {
protected:
    int Copy(const std::wstring& source, const std::wstring& destination)
    {
        return setup::CopyDirectory(rig.installFiles, rig.os.debug, source, destination);
    }

    setuptest::SetupRig rig;
};

TEST_F(SetupFileOperationsTest, CreateFolderTreeMakesOnlyFoldersThatEndAtABackslash)
{
    memory::MemoryFileSystem files;
    memory::MemoryInstallFileSystem install(files);
    setup::CreateFolderTree(install, L"D:\\A\\B");
    EXPECT_TRUE(files.FolderExists(L"D:\\A"));
    EXPECT_FALSE(files.FolderExists(L"D:\\A\\B"));

    setup::CreateFolderTree(install, L"D:\\A\\B\\C\\");
    EXPECT_TRUE(files.FolderExists(L"D:\\A\\B\\C"));
}

TEST_F(SetupFileOperationsTest, AFolderWithAnotherNameIsCopiedInAsASubfolder)
{
    rig.Kit(L"Skin\\960x540\\Graphite\\back.png", "png");
    rig.os.files.CreateFolder(L"C:\\Program Files\\Acme");

    EXPECT_EQ(Copy(L"C:\\Setup\\Skin\\", L"C:\\Program Files\\Acme\\"), 1);

    EXPECT_EQ(rig.os.files.Get(L"C:\\Program Files\\Acme\\Skin\\960x540\\Graphite\\back.png"), "png");
    EXPECT_TRUE(rig.os.files.FileExists(L"C:\\Program Files\\Acme\\Skin\\1366x768\\Graphite\\SkinSetting.ini"));
    EXPECT_TRUE(rig.os.debug.Contains(L"##### Create Directory = C:\\Program Files\\Acme\\Skin\n"));
    // Every copied file is given normal attributes.
    const auto& normal = rig.installFiles.NormalAttributeCalls();
    EXPECT_NE(std::find(normal.begin(), normal.end(), L"C:\\Program Files\\Acme\\Skin\\960x540\\Graphite\\back.png"),
              normal.end());
}

TEST_F(SetupFileOperationsTest, AFolderOfTheSameNameIsCopiedInto)
{
    rig.os.files.CreateFolder(L"C:\\Program Files\\Acme\\Plugin");
    EXPECT_EQ(Copy(L"C:\\Setup\\Plugin\\", L"C:\\Program Files\\Acme\\Plugin\\"), 1);
    EXPECT_EQ(rig.os.files.Get(L"C:\\Program Files\\Acme\\Plugin\\Echo\\readme.txt"), "echo");
    EXPECT_FALSE(rig.os.files.FolderExists(L"C:\\Program Files\\Acme\\Plugin\\Plugin"));
    // The folder existed: creating it counts as failed, and the copy goes on.
    EXPECT_TRUE(rig.os.debug.Contains(L"***** Create Directory FAIL! *****\n"));
}

TEST_F(SetupFileOperationsTest, APathWithoutBackslashCopiesNothing)
{
    EXPECT_EQ(Copy(L"Skin", L"C:\\Program Files\\Acme\\"), 0);
    EXPECT_EQ(Copy(L"C:\\Setup\\Skin\\", L"Acme"), 0);
    EXPECT_FALSE(rig.os.files.FolderExists(L"C:\\Program Files\\Acme\\Skin"));
}

TEST_F(SetupFileOperationsTest, ATooLongPathFailsVisiblyInsteadOfBeingCut)
{
    const std::wstring deep = L"C:\\Program Files\\" + std::wstring(240, L'd') + L"\\";
    rig.os.files.CreateFolder(deep);
    EXPECT_EQ(Copy(L"C:\\Setup\\Skin\\", deep), 0);
    EXPECT_TRUE(rig.LinesStartingWith(L"***** Copy Directory FAIL!").size() == 1);
    EXPECT_TRUE(rig.os.files.Subfolders(deep).empty());

    // A long entry deep inside a tree is skipped alone; the rest of the tree is copied.
    const std::wstring longName = std::wstring(250, L'n') + L".txt";
    rig.Kit(L"Plugin\\" + longName, "long");
    rig.os.files.CreateFolder(L"C:\\Program Files\\Acme");
    EXPECT_EQ(Copy(L"C:\\Setup\\Plugin\\", L"C:\\Program Files\\Acme\\"), 1);
    EXPECT_TRUE(rig.os.files.FileExists(L"C:\\Program Files\\Acme\\Plugin\\Echo\\readme.txt"));
    EXPECT_EQ(rig.os.files.Files(L"C:\\Program Files\\Acme\\Plugin"), std::vector<std::wstring>{});
    EXPECT_EQ(rig.LinesStartingWith(L"***** Copy Directory FAIL!").size(), 2u);
}

TEST_F(SetupFileOperationsTest, FindFirstPlainFileSkipsFoldersAndDotNames)
{
    rig.os.files.Put(L"C:\\M\\.hidden", "x");
    rig.os.files.Put(L"C:\\M\\Sub\\inner.txt", "x");
    rig.os.files.Put(L"C:\\M\\Guide.html", "x");
    std::wstring name;
    EXPECT_EQ(setup::FindFirstPlainFile(rig.installFiles, L"C:\\M\\", name), 1);
    EXPECT_EQ(name, L"Guide.html");
    EXPECT_EQ(setup::FindFirstPlainFile(rig.installFiles, L"C:\\Missing\\", name), 0);
}

TEST_F(SetupFileOperationsTest, WriteFileDataTellsAnUnopenableFileFromAShortWrite)
{
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
    EXPECT_EQ(setup::WriteFileData(rig.installFiles, L"C:\\Program Files\\a.bin", bytes), setup::kWriteOk);
    EXPECT_EQ(setup::WriteFileData(rig.installFiles, L"C:\\NoSuchFolder\\a.bin", bytes), setup::kWriteCannotOpen);
    rig.installFiles.CutWrites(L"C:\\Program Files\\b.bin");
    EXPECT_EQ(setup::WriteFileData(rig.installFiles, L"C:\\Program Files\\b.bin", bytes), setup::kWriteIncomplete);
}

TEST_F(SetupFileOperationsTest, AnEarlierPerUserCopyIsKept)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg", "mine");
    setup::SeedPerUserFiles(rig.installFiles, setuptest::kSetupFolder, setuptest::kPerUserFolder);
    EXPECT_EQ(rig.os.files.Get(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg"), "mine");
    EXPECT_FALSE(rig.os.files.FileExists(std::wstring(setuptest::kPerUserFolder) + L"DefaultProfile.ini"));

    // A saved profile that lists before it does not get the user's choices overwritten.
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"A Bass.ini", "[EQ]");
    setup::SeedPerUserFiles(rig.installFiles, setuptest::kSetupFolder, setuptest::kPerUserFolder);
    EXPECT_EQ(rig.os.files.Get(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg"), "mine");

    // The name must match exactly.
    setuptest::SetupRig other;
    other.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"audioconfig.CFG", "other");
    setup::SeedPerUserFiles(other.installFiles, setuptest::kSetupFolder, setuptest::kPerUserFolder);
    EXPECT_TRUE(other.os.files.FileExists(std::wstring(setuptest::kPerUserFolder) + L"DefaultProfile.ini"));
}

TEST_F(SetupFileOperationsTest, APerUserFolderWithoutTheConfigurationGetsBothFiles)
{
    rig.os.files.Put(std::wstring(setuptest::kPerUserFolder) + L"DefaultProfile.ini", "old");
    setup::SeedPerUserFiles(rig.installFiles, setuptest::kSetupFolder, setuptest::kPerUserFolder);
    EXPECT_EQ(rig.os.files.Get(std::wstring(setuptest::kPerUserFolder) + L"AudioConfig.cfg"), setuptest::kKitConfig);
    EXPECT_EQ(rig.os.files.Get(std::wstring(setuptest::kPerUserFolder) + L"DefaultProfile.ini"), "[Profile]\r\n");

    // A fresh machine: the folder tree is created first.
    setuptest::SetupRig fresh;
    setup::SeedPerUserFiles(fresh.installFiles, setuptest::kSetupFolder, setuptest::kPerUserFolder);
    EXPECT_TRUE(fresh.os.files.FileExists(std::wstring(setuptest::kPerUserFolder) + L"DefaultProfile.ini"));
}

} // namespace
