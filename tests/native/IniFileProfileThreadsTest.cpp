// The portable INI store shared by threads: readers on several threads while the file is rewritten each
// see one whole version of it. Also built alone under ThreadSanitizer (the tsan preset).
#include "platform/memory/IniFileProfile.h"

#include "platform/memory/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::wstring kFile = L"C:\\Kit\\Skin.ini";

// Readers on several threads while the file is rewritten: each read gives one whole version of the file.
TEST(IniFileProfileThreads, ReadersSeeWholeVersionsWhileTheFileChanges)
{
    memory::MemoryFileSystem files;
    std::mutex filesLock; // the in-memory file system itself is for one thread
    class LockedFiles final : public ports::FileSystem {
    public:
        LockedFiles(memory::MemoryFileSystem& inner, std::mutex& lock) : files_(inner), lock_(lock) {}
        ports::FileBytes ReadAll(const std::wstring& path) const override
        {
            const std::scoped_lock locked(lock_);
            return files_.ReadAll(path);
        }
        bool WriteAll(const std::wstring& path, std::span<const std::uint8_t> bytes) override
        {
            const std::scoped_lock locked(lock_);
            return files_.WriteAll(path, bytes);
        }
        bool FileExists(const std::wstring& path) const override
        {
            const std::scoped_lock locked(lock_);
            return files_.FileExists(path);
        }
        std::optional<ports::FileStamp> Stamp(const std::wstring& path) const override
        {
            const std::scoped_lock locked(lock_);
            return files_.Stamp(path);
        }
        bool FolderExists(const std::wstring&) const override { return true; }
        bool CreateFolder(const std::wstring&) override { return true; }
        bool RemoveFile(const std::wstring&) override { return false; }
        bool MoveReplacing(const std::wstring&, const std::wstring&) override { return false; }
        std::vector<std::wstring> Subfolders(const std::wstring&) const override { return {}; }

    private:
        memory::MemoryFileSystem& files_;
        std::mutex& lock_;
    } locked(files, filesLock);
    files.Put(kFile, "[S]\r\nA=0\r\nB=0\r\n");

    memory::IniFileProfile profile(locked, L"C:\\Windows");
    std::atomic<bool> stop = false;
    std::atomic<int> torn = 0;
    std::vector<std::thread> readers;
    for (int thread = 0; thread < 3; ++thread)
        readers.emplace_back([&] {
            while (!stop) {
                const std::wstring a = profile.GetString(kFile, L"S", L"A", L"", 16);
                if (a != L"0" && a != L"1" && a != L"2")
                    ++torn;
            }
        });
    for (int version = 0; version < 300; ++version)
        ASSERT_TRUE(profile.WriteString(kFile, L"S", L"A", std::to_wstring(version % 3)));
    stop = true;
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(profile.GetString(kFile, L"S", L"A", L"", 16), L"2");
}

} // namespace
