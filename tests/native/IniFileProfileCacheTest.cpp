// The portable INI store reads each file once and answers from memory while the file stays as it was:
// the same values as a fresh read, on the reference kit and after every kind of change to a file.
#include "platform/memory/IniFileProfile.h"

#include "common/IniKeys.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/ProfileFileText.h"
#include "platform/memory/ProfileLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The in-memory file system, counting whole-file reads by path.
class CountingFileSystem final : public ports::FileSystem {
public:
    ports::FileBytes ReadAll(const std::wstring& path) const override
    {
        ++reads_[memory::MemoryFileSystem::Normalize(path)];
        return files.ReadAll(path);
    }
    bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override
    {
        return files.WriteAll(path, bytes);
    }
    bool FileExists(const std::wstring& path) const override { return files.FileExists(path); }
    std::optional<ports::FileStamp> Stamp(const std::wstring& path) const override { return files.Stamp(path); }
    bool FolderExists(const std::wstring& path) const override { return files.FolderExists(path); }
    bool CreateFolder(const std::wstring& path) override { return files.CreateFolder(path); }
    bool RemoveFile(const std::wstring& path) override { return files.RemoveFile(path); }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override { return files.MoveReplacing(from, to); }
    std::vector<std::wstring> Subfolders(const std::wstring& path) const override { return files.Subfolders(path); }

    int Reads(const std::wstring& path) const
    {
        const auto found = reads_.find(memory::MemoryFileSystem::Normalize(path));
        return found == reads_.end() ? 0 : found->second;
    }

    memory::MemoryFileSystem files;

private:
    mutable std::map<std::wstring, int> reads_;
};

const std::wstring kFile = L"C:\\Kit\\Skin.ini";

class IniFileProfileCacheTest : public ::testing::Test {
protected:
    std::wstring Read(const std::wstring& file, const std::wstring& section, const std::wstring& key) const
    {
        return profile.GetString(file, section, key, L"-", kGetIniKeyMaxCapacity);
    }

    CountingFileSystem counted;
    memory::IniFileProfile profile{counted, L"C:\\Windows"};
};

TEST_F(IniFileProfileCacheTest, AFileIsReadOnceWhileItStaysTheSame)
{
    counted.files.Put(kFile, "[Main]\r\nA=1\r\nB=2\r\n[Other]\r\nA=3\r\n");
    for (int round = 0; round < 50; ++round) {
        EXPECT_EQ(Read(kFile, L"Main", L"A"), L"1");
        EXPECT_EQ(Read(kFile, L"main", L"b"), L"2");
        EXPECT_EQ(Read(L"c:/kit/SKIN.ini", L"Other", L"A"), L"3");
        EXPECT_EQ(Read(kFile, L"Main", L"Missing"), L"-");
    }
    EXPECT_EQ(counted.Reads(kFile), 1);
}

TEST_F(IniFileProfileCacheTest, EveryChangeToTheFileIsSeenAtTheNextRead)
{
    counted.files.Put(kFile, "[Main]\r\nA=1\r\n");
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"1");

    counted.files.Put(kFile, "[Main]\r\nA=2\r\n"); // the same size: the write itself tells
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"2");

    EXPECT_TRUE(profile.WriteString(L"C:/KIT/skin.ini", L"Main", L"A", L"written"));
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"written") << "a write through another spelling of the path";

    EXPECT_TRUE(counted.files.RemoveFile(kFile));
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"-");

    counted.files.Put(kFile, "[Main]\r\nA=back\r\n");
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"back");

    counted.files.FailReads(kFile, ports::ReadStatus::ReadFailed);
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"-") << "a file that cannot be read answers nothing, as before";
    counted.files.FailReads(kFile, ports::ReadStatus::Ok);
    EXPECT_EQ(Read(kFile, L"Main", L"A"), L"back");
}

// A file system whose files have no stamp: every read reads the file, as the store did before it kept
// files.
class UnstampedFileSystem final : public ports::FileSystem {
public:
    explicit UnstampedFileSystem(ports::FileSystem& files) : files_(files) {}
    ports::FileBytes ReadAll(const std::wstring& path) const override { return files_.ReadAll(path); }
    bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override
    {
        return files_.WriteAll(path, bytes);
    }
    bool FileExists(const std::wstring& path) const override { return files_.FileExists(path); }
    std::optional<ports::FileStamp> Stamp(const std::wstring&) const override { return std::nullopt; }
    bool FolderExists(const std::wstring& path) const override { return files_.FolderExists(path); }
    bool CreateFolder(const std::wstring& path) override { return files_.CreateFolder(path); }
    bool RemoveFile(const std::wstring& path) override { return files_.RemoveFile(path); }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override { return files_.MoveReplacing(from, to); }
    std::vector<std::wstring> Subfolders(const std::wstring& path) const override { return files_.Subfolders(path); }

private:
    ports::FileSystem& files_;
};

TEST_F(IniFileProfileCacheTest, AFileWithoutAStampIsReadEveryTime)
{
    UnstampedFileSystem unstamped(counted);
    const memory::IniFileProfile uncached(unstamped, L"C:\\Windows");
    counted.files.Put(kFile, "[Main]\r\nA=1\r\n");
    EXPECT_EQ(uncached.GetString(kFile, L"Main", L"A", L"", 64), L"1");
    counted.files.Put(kFile, "[Main]\r\nA=2\r\n");
    EXPECT_EQ(uncached.GetString(kFile, L"Main", L"A", L"", 64), L"2");
    EXPECT_EQ(counted.Reads(kFile), 2);
}

fs::path KitOnDisk()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "oem" / "kit";
}

// Every key of every INI file of the reference kit, and a missing key of each section, read through one
// store that keeps the files (interleaving the files as the panel's readers do) and through a fresh
// store for every read (a whole read of the file each time, as the platform's functions do), with the
// smallest and the largest buffer the readers pass.
TEST(IniFileProfileCacheKit, EveryKeyOfTheReferenceKitReadsAsAFreshRead)
{
    memory::MemoryFileSystem files;
    struct Read {
        std::wstring file, section, key;
    };
    std::vector<Read> reads;
    for (const auto& entry : fs::recursive_directory_iterator(KitOnDisk())) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".ini" && extension != ".cfg"))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::wstring path = L"C:\\Kit\\" + fs::relative(entry.path(), KitOnDisk()).wstring();
        files.Put(path, bytes);
        const memory::ProfileText text =
            memory::DecodeProfileText(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        std::wstring section;
        for (const memory::ProfileLine& line : memory::ParseProfileLines(text.text)) {
            if (line.kind == memory::ProfileLine::Kind::Header) {
                section = line.name;
                reads.push_back({path, section, L"NoSuchKey"});
            } else if (line.kind == memory::ProfileLine::Kind::Key) {
                reads.push_back({path, section, std::wstring(line.name)});
            }
        }
    }
    ASSERT_GT(reads.size(), 1000u) << "the kit was not found at " << KitOnDisk();

    const memory::IniFileProfile kept(files, L"C:\\Windows");
    // Round-robin over the files, so that consecutive reads change files as they do at start-up.
    std::size_t checked = 0;
    for (std::size_t offset = 0; offset < 7; ++offset) {
        for (std::size_t i = offset; i < reads.size(); i += 7) {
            const Read& read = reads[i];
            for (const std::size_t capacity : {std::size_t{32}, kReadIniKeyCapacity}) {
                const memory::IniFileProfile fresh(files, L"C:\\Windows");
                ASSERT_EQ(kept.GetString(read.file, read.section, read.key, L"", capacity),
                          fresh.GetString(read.file, read.section, read.key, L"", capacity))
                    << testing::PrintToString(read.file) << " [" << testing::PrintToString(read.section) << "] "
                    << testing::PrintToString(read.key) << " capacity " << capacity;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, reads.size() * 2);
}

} // namespace
