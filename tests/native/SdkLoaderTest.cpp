#include "ChipRecord.h"
#include "device/SdkLoader.h"
#include "emulator/EmulatedDevice.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using sdk::EntryPoint;

namespace {

// Free functions with the exact entry-point signatures that forward to an emulated chip, as the
// stand-in library's exports do; the fake library hands them out as its exports.
emulator::EmulatedSdk* g_forwardTarget = nullptr;

#define TONVIO_TEST_FORWARDER(name, params, args)                                                                      \
    std::int32_t TONVIO_SDK_CALL Forward_##name params                                                                 \
    {                                                                                                                  \
        return g_forwardTarget->name args;                                                                             \
    }
TONVIO_SDK_ENTRY_POINTS(TONVIO_TEST_FORWARDER)
#undef TONVIO_TEST_FORWARDER

std::map<std::string, ports::SdkSymbol> EveryExport()
{
    return {
#define TONVIO_TEST_EXPORT(name, params, args) {#name, reinterpret_cast<ports::SdkSymbol>(&Forward_##name)},
        TONVIO_SDK_ENTRY_POINTS(TONVIO_TEST_EXPORT)
#undef TONVIO_TEST_EXPORT
    };
}

// What happened to the fake library: the names looked up in order, and whether it was released.
struct LibraryLog {
    std::vector<std::string> lookedUp;
    bool released = false;
};

class FakeLibrary final : public ports::SdkLibrary {
public:
    FakeLibrary(std::map<std::string, ports::SdkSymbol> exports, LibraryLog& log)
        : exports_(std::move(exports)), log_(log)
    {
    }
    ~FakeLibrary() override { log_.released = true; }
    ports::SdkSymbol Symbol(const std::string& name) const override
    {
        log_.lookedUp.push_back(name);
        const auto found = exports_.find(name);
        return found == exports_.end() ? nullptr : found->second;
    }

private:
    const std::map<std::string, ports::SdkSymbol> exports_;
    LibraryLog& log_;
};

// Opens a fake library with the given exports, or fails with the given system error.
class FakeLoader final : public ports::SdkLibraryLoader {
public:
    std::optional<std::map<std::string, ports::SdkSymbol>> exports;
    ports::SdkLibraryFailure failure;
    std::vector<std::wstring> opened;
    LibraryLog log;

    std::unique_ptr<ports::SdkLibrary> Open(const std::wstring& fileName, ports::SdkLibraryFailure& out) override
    {
        opened.push_back(fileName);
        if (!exports) {
            out = failure;
            return nullptr;
        }
        return std::make_unique<FakeLibrary>(*exports, log);
    }
};

class RecordingErrorBox final : public ports::ErrorBox {
public:
    std::vector<std::pair<std::wstring, std::wstring>> shown;
    void Show(const std::wstring& text, const std::wstring& caption) override { shown.emplace_back(text, caption); }
};

std::vector<std::string> FirstNames(std::size_t count)
{
    return {sdk::kEntryPointNames.begin(), sdk::kEntryPointNames.begin() + static_cast<std::ptrdiff_t>(count)};
}

class SdkLoaderTest : public testing::Test {
protected:
    SdkLoaderTest() { g_forwardTarget = &device_.sdk(); }
    ~SdkLoaderTest() override { g_forwardTarget = nullptr; }

    device::SdkLoadOutcome Load() { return device::LoadSdk(loader_, errorBox_, debug_); }

    emulator::EmulatedDevice device_;
    FakeLoader loader_;
    RecordingErrorBox errorBox_;
    memory::RecordingDebugOutput debug_;
};

} // namespace

TEST_F(SdkLoaderTest, LibraryThatDoesNotOpenShowsTheSystemErrorAndGivesOne)
{
    loader_.failure = {126, L"The specified module could not be found.\r\n"};
    const auto outcome = Load();
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.sdk, nullptr);
    EXPECT_EQ(loader_.opened, std::vector<std::wstring>{L"DLLQZ_Tonvio48xx_x32.dll"}) << "the bare file name";
    ASSERT_EQ(errorBox_.shown.size(), 1u);
    EXPECT_EQ(errorBox_.shown[0].first, L"error 126: The specified module could not be found.\r\n");
    EXPECT_EQ(errorBox_.shown[0].second, L"Error");
    EXPECT_TRUE(debug_.Lines().empty());
}

// Every position of the table in turn: the load stops right there, gives position + 1 (1-based), names
// the entry from the third on, and lets go of the library.
TEST_F(SdkLoaderTest, FirstMissingEntryPointStopsTheLoadWithItsPositionCode)
{
    for (std::size_t missing = 0; missing < sdk::kEntryPointCount; ++missing) {
        SCOPED_TRACE(std::string(sdk::kEntryPointNames[missing]));
        loader_.exports = EveryExport();
        loader_.exports->erase(std::string(sdk::kEntryPointNames[missing]));
        // A later gap must not matter: the first one ends the load.
        if (missing + 1 < sdk::kEntryPointCount)
            loader_.exports->erase(std::string(sdk::kEntryPointNames.back()));
        loader_.log = {};
        debug_.Clear();

        const auto outcome = Load();
        EXPECT_EQ(outcome.result, static_cast<int>(missing) + 2);
        EXPECT_EQ(outcome.sdk, nullptr);
        EXPECT_TRUE(loader_.log.released) << "a partly bound library is not kept";
        EXPECT_EQ(loader_.log.lookedUp, FirstNames(missing + 1)) << "looked up in table order, up to the gap";
        const std::wstring name(sdk::kEntryPointNames[missing].begin(), sdk::kEntryPointNames[missing].end());
        const auto expectedLines =
            missing >= 2 ? std::vector<std::wstring>{L"***** " + name + L" *****\n"} : std::vector<std::wstring>{};
        EXPECT_EQ(debug_.Lines(), expectedLines);
    }
    EXPECT_EQ(device::MissingEntryPointResult(EntryPoint::DLLQZ_GetAP_VersionW), 2);
    EXPECT_EQ(device::MissingEntryPointResult(EntryPoint::DLLQZ_CheckDriver), 4);
    EXPECT_TRUE(errorBox_.shown.empty());
}

TEST_F(SdkLoaderTest, EveryEntryPointBoundGivesZeroAndCallsReachTheLibraryWithTheirArguments)
{
    loader_.exports = EveryExport();
    auto outcome = Load();
    ASSERT_EQ(outcome.result, 0);
    ASSERT_NE(outcome.sdk, nullptr);
    EXPECT_EQ(loader_.log.lookedUp, FirstNames(sdk::kEntryPointCount));
    EXPECT_TRUE(debug_.Lines().empty());
    EXPECT_TRUE(errorBox_.shown.empty());

    ports::AudioSdk& sdk = *outcome.sdk;
    EXPECT_EQ(sdk.DLLQZ_SetActive_Device(0x4D2F, 0x4802), 0);
    EXPECT_EQ(sdk.DLLQZ_Write_Register_ById(0x0230, 0x5A, 0), 0);
    std::uint8_t value = 0;
    EXPECT_EQ(sdk.DLLQZ_Read_Register_ById(0x0230, &value, 0), 0);
    EXPECT_EQ(value, 0x5A) << "an out-pointer reaches the library";
    wchar_t version[4]{};
    EXPECT_EQ(sdk.DLLQZ_GetDLL_VersionW(version, 4), 0);
    EXPECT_STREQ(version, L"1.0");
    EXPECT_EQ(sdk.DLLQZ_SetRGB_Color_ById(0x3A, 1, 2, 0x10, 0x20, 0x30, 50, 0), 0);

    const auto calls = chip_record::OfKind(device_.chip(), emulator::RequestKind::SdkCall);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_SetActive_Device));
    EXPECT_EQ(chip_record::Args(calls[0]), (std::vector<std::int32_t>{0x4D2F, 0x4802}));
    EXPECT_EQ(chip_record::Args(calls[1]), (std::vector<std::int32_t>{0x0230, 0x5A, 0}));
    EXPECT_EQ(calls[4].entryPoint, static_cast<std::uint8_t>(EntryPoint::DLLQZ_SetRGB_Color_ById));
    EXPECT_EQ(chip_record::Args(calls[4]), (std::vector<std::int32_t>{0x3A, 1, 2, 0x10, 0x20, 0x30, 50, 0}));

    EXPECT_FALSE(loader_.log.released) << "the library stays open while the SDK is in use";
    outcome.sdk.reset();
    EXPECT_TRUE(loader_.log.released);
}
