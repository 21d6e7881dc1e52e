#include "common/RegistryStore.h"

#include "platform/memory/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

using ports::RegistryRoot;
using ports::RegistryView;

constexpr RegistryRoot kLocalMachine = RegistryRoot::LocalMachine;
constexpr RegistryView kBits32 = RegistryView::Bits32;
constexpr std::uint32_t kUntouched = 0xDEADBEEF;

class RegistryStoreTest : public testing::Test {
protected:
    memory::MemoryRegistry registry;
    std::uint32_t out = kUntouched;
};

} // namespace

TEST_F(RegistryStoreTest, SavedValueLandsUnderSoftwareInThe32BitViewOfLocalMachine)
{
    ASSERT_EQ(SaveSoftwareDword(registry, kEncValueMapKey, L"VID_0D8C&PID_0014", 3), kSaveDwordOk);

    const auto stored =
        registry.Get(kLocalMachine, kBits32, L"SOFTWARE\\KVQ 48xx Software\\EncValueMap", L"VID_0D8C&PID_0014");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(std::get<std::uint32_t>(*stored), 3u);
    EXPECT_FALSE(registry.KeyExists(kLocalMachine, RegistryView::Native, L"SOFTWARE\\KVQ 48xx Software"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, kBits32, L"SOFTWARE\\KVQ 48xx Software"));

    EXPECT_EQ(ReadSoftwareDword(registry, L"kvq 48XX software\\encvaluemap", L"vid_0d8c&pid_0014", out), kReadDwordOk);
    EXPECT_EQ(out, 3u);
}

TEST_F(RegistryStoreTest, SavingAgainOverwrites)
{
    SaveSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", 1);
    SaveSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", 0);
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", out), kReadDwordOk);
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(registry.ValueCount(kLocalMachine, kBits32, SoftwareKeyPath(kProductSoftwareKey)), 1u);
}

TEST_F(RegistryStoreTest, MissingKeyReadsAsOneAndIsLeftCreatedAndEmpty)
{
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncScalar", out), kReadDwordNoKey);
    EXPECT_EQ(out, kUntouched);
    EXPECT_TRUE(registry.KeyExists(kLocalMachine, kBits32, L"SOFTWARE\\KVQ 48xx Software"));
    EXPECT_EQ(registry.ValueCount(kLocalMachine, kBits32, L"SOFTWARE\\KVQ 48xx Software"), 0u);

    // Now the key exists: the same read names the missing value instead.
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncScalar", out), kReadDwordNoValue);
    EXPECT_EQ(out, kUntouched);
}

TEST_F(RegistryStoreTest, ValueInTheNativeViewOnlyIsNotSeen)
{
    registry.Put(kLocalMachine, RegistryView::Native, L"SOFTWARE\\KVQ 48xx Software", L"EncGpio", std::uint32_t{5});
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncGpio", out), kReadDwordNoKey);
    EXPECT_EQ(out, kUntouched);
}

TEST_F(RegistryStoreTest, ValuesThatDoNotFitFourBytesCannotBeRead)
{
    const std::wstring key = SoftwareKeyPath(kProductSoftwareKey);
    registry.Put(kLocalMachine, kBits32, key, L"Long", std::wstring(L"12345"));
    registry.Put(kLocalMachine, kBits32, key, L"Short", std::wstring(L"A")); // "A" and terminator: 4 bytes

    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"Long", out), kReadDwordNoValue);
    EXPECT_EQ(out, kUntouched);
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"Short", out), kReadDwordOk);
    EXPECT_EQ(out, 0x41u);
}

TEST_F(RegistryStoreTest, PlatformFailuresAreReported)
{
    const std::wstring key = SoftwareKeyPath(kProductSoftwareKey);
    registry.Put(kLocalMachine, kBits32, key, L"EncEnable", std::uint32_t{1});

    registry.FailReads(kLocalMachine, kBits32, key);
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", out), kReadDwordNoValue);
    EXPECT_EQ(out, kUntouched);

    registry.FailWrites(kLocalMachine, kBits32, key);
    EXPECT_EQ(SaveSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", 0), kSaveDwordWriteFailed);

    registry.FailOpen(kLocalMachine, kBits32, key);
    EXPECT_EQ(SaveSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", 0), kSaveDwordNoKey);
    EXPECT_EQ(ReadSoftwareDword(registry, kProductSoftwareKey, L"EncEnable", out), kReadDwordNoKey);
    EXPECT_EQ(out, kUntouched);
}

TEST(MemoryRegistry, CreatesParentsAndComparesPathsWithoutCase)
{
    memory::MemoryRegistry registry;
    const auto created = registry.CreateKey(kLocalMachine, L"SOFTWARE\\A\\B", kBits32);
    ASSERT_TRUE(created.key);
    EXPECT_EQ(created.disposition, ports::KeyDisposition::Created);
    EXPECT_TRUE(registry.KeyExists(kLocalMachine, kBits32, L"software\\a"));
    EXPECT_TRUE(created.key->WriteString(L"Name", L"xy"));

    const auto again = registry.CreateKey(kLocalMachine, L"software\\a\\b\\", kBits32);
    EXPECT_EQ(again.disposition, ports::KeyDisposition::Opened);
    EXPECT_EQ(again.key->ReadString(L"NAME"), L"xy");
    EXPECT_EQ(again.key->ReadDword(L"Name"), std::nullopt) << "two characters and terminator are six bytes";

    EXPECT_FALSE(registry.OpenKey(kLocalMachine, L"SOFTWARE\\A\\B", RegistryView::Native));
    const auto opened = registry.OpenKey(kLocalMachine, L"SOFTWARE\\A\\B", kBits32);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->ValueNames(), std::vector<std::wstring>{L"Name"});
    EXPECT_TRUE(opened->DeleteValue(L"name"));
    EXPECT_FALSE(opened->DeleteValue(L"name"));
}
