#include "platform/win32/Win32Registry.h"

#include "common/RegistryStore.h"
#include "platform/win32/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using ports::RegistryRoot;
using ports::RegistryView;

constexpr wchar_t kTestKey[] = L"Tonvio Registry Test"; // below SOFTWARE

// Opens HKLM\<path> for reading in the view `viewFlag` names; the error code when it cannot.
LSTATUS OpenForReading(const std::wstring& path, REGSAM viewFlag, win32::RegistryKeyHandle& key)
{
    HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | viewFlag, &opened);
    key = win32::RegistryKeyHandle(opened);
    return status;
}

void DeleteTestKeys()
{
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY software = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS)
            continue;
        const win32::RegistryKeyHandle owned(software);
        ::RegDeleteTreeW(owned.Get(), kTestKey);
    }
}

class Win32RegistryTest : public testing::Test {
protected:
    void SetUp() override { DeleteTestKeys(); }
    void TearDown() override { DeleteTestKeys(); }

    win32::Win32Registry registry;
};

} // namespace

TEST_F(Win32RegistryTest, ReadSoftwareDwordReportsTheMissingKeyThenReadsWhatWasSaved)
{
    std::uint32_t value = 77;
    EXPECT_EQ(ReadSoftwareDword(registry, kTestKey, L"EncEnable", value), kReadDwordNoKey);
    EXPECT_EQ(ReadSoftwareDword(registry, kTestKey, L"EncEnable", value), kReadDwordNoValue);
    EXPECT_EQ(value, 77u);

    ASSERT_EQ(SaveSoftwareDword(registry, kTestKey, L"EncEnable", 0x12345678), kSaveDwordOk);
    EXPECT_EQ(ReadSoftwareDword(registry, kTestKey, L"EncEnable", value), kReadDwordOk);
    EXPECT_EQ(value, 0x12345678u);
}

TEST_F(Win32RegistryTest, OwnKeysLandInThe32BitView)
{
    ASSERT_EQ(SaveSoftwareDword(registry, kTestKey, L"EncScalar", 9), kSaveDwordOk);
    const std::wstring path = SoftwareKeyPath(kTestKey);

    win32::RegistryKeyHandle key;
    EXPECT_EQ(OpenForReading(path, KEY_WOW64_64KEY, key), ERROR_FILE_NOT_FOUND) << "not in the 64-bit view";
    ASSERT_EQ(OpenForReading(L"SOFTWARE\\Wow6432Node\\" + std::wstring(kTestKey), KEY_WOW64_64KEY, key), ERROR_SUCCESS);
    ASSERT_EQ(OpenForReading(path, KEY_WOW64_32KEY, key), ERROR_SUCCESS);

    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    ASSERT_EQ(::RegQueryValueExW(key.Get(), L"EncScalar", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 9u);
}

TEST_F(Win32RegistryTest, KeysRoundTripValuesInEachView)
{
    const std::wstring path = SoftwareKeyPath(kTestKey) + L"\\Inner";
    for (const RegistryView view : {RegistryView::Bits32, RegistryView::Native}) {
        EXPECT_FALSE(registry.OpenKey(RegistryRoot::LocalMachine, path, view));
        ports::CreatedKey created = registry.CreateKey(RegistryRoot::LocalMachine, path, view);
        ASSERT_TRUE(created.key);
        EXPECT_EQ(created.disposition, ports::KeyDisposition::Created);
        EXPECT_TRUE(created.key->WriteDword(L"Number", 42));
        EXPECT_TRUE(created.key->WriteString(L"Text", L"Tonvio \u00e9"));
    }

    const auto key = registry.OpenKey(RegistryRoot::LocalMachine, path, RegistryView::Bits32);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadDword(L"number"), 42u);
    EXPECT_EQ(key->ReadString(L"Text"), L"Tonvio \u00e9");
    EXPECT_EQ(key->ReadString(L"Number"), std::nullopt) << "a DWORD is not text";
    EXPECT_EQ(key->ReadDword(L"Text"), std::nullopt) << "longer than four bytes";
    EXPECT_EQ(key->ReadDword(L"Missing"), std::nullopt);
    EXPECT_EQ(key->ValueNames(), (std::vector<std::wstring>{L"Number", L"Text"}));
    EXPECT_TRUE(key->DeleteValue(L"Number"));
    EXPECT_FALSE(key->DeleteValue(L"Number"));

    const ports::CreatedKey again = registry.CreateKey(RegistryRoot::LocalMachine, path, RegistryView::Native);
    ASSERT_TRUE(again.key);
    EXPECT_EQ(again.disposition, ports::KeyDisposition::Opened);
    EXPECT_EQ(again.key->ReadDword(L"Number"), 42u) << "the native view keeps its own values";
}
