#include "common/VersionInfoMgr.h"

#include "platform/memory/MemorySystemInfo.h"
#include "platform/memory/RecordingDebugOutput.h"

#include <gtest/gtest.h>

using VERSIONINFO_MGR::CVersionInfoMgr;

namespace {

constexpr int kUntouched = 12345;

class VersionInfoMgrTest : public testing::Test {
protected:
    void ReportKernelVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t servicePackMajor = 0)
    {
        system.facts.rtlVersion = {
            ports::Lookup::Succeeded,
            {.major = major, .minor = minor, .build = 1, .platformId = 2, .servicePackMajor = servicePackMajor}};
    }

    memory::MemorySystemInfo system;
    memory::RecordingDebugOutput debug;
    CVersionInfoMgr versions{system, debug};
    int index = kUntouched;
    int code = kUntouched;
    int servicePack = kUntouched;
};

struct WindowsVersionCase {
    std::uint32_t major;
    std::uint32_t minor;
    int index;
    int code;
    const wchar_t* indexLine;
    const wchar_t* codeLine;
};

// The one table both GetWindowsVersion and LogWindowsVersion are checked against.
const WindowsVersionCase kWindowsVersionCases[] = {
    {4, 0, 0, 0x400, L"##### The OS is NT4 #####\n", L"##### The OS is NT4 #####\n"},
    {4, 10, 0, -1, L"##### The OS is NT4 #####\n", L"##### The OS is Unknown #####\n"},
    {5, 0, 1, 0x500, L"##### The OS is WIN2000 #####\n", L"##### The OS is WIN2000 #####\n"},
    {5, 1, 2, 0x501, L"##### The OS is WINXP #####\n", L"##### The OS is WINXP #####\n"},
    {5, 2, 2, 0x502, L"##### The OS is WINXP #####\n", L"##### The OS is Windows Server 2003 #####\n"},
    {5, 3, -1, -1, L"##### The OS is Unknown #####\n", L"##### The OS is Unknown #####\n"},
    {6, 0, 3, 0x600, L"##### The OS is VISTA #####\n", L"##### The OS is VISTA #####\n"},
    {6, 1, 4, 0x601, L"##### The OS is WIN7 #####\n", L"##### The OS is WIN7 #####\n"},
    {6, 2, 5, 0x602, L"##### The OS is WIN8 #####\n", L"##### The OS is WIN8 #####\n"},
    {6, 3, 5, 0x603, L"##### The OS is WIN8 #####\n", L"##### The OS is WIN8.1 #####\n"},
    {6, 4, -1, -1, L"##### The OS is Unknown #####\n", L"##### The OS is Unknown #####\n"},
    {10, 0, 6, 0xA00, L"##### The OS is WIN10 #####\n", L"##### The OS is WIN10 #####\n"},
    {10, 1, 6, -1, L"##### The OS is WIN10 #####\n", L"##### The OS is Unknown #####\n"},
    {3, 51, -1, -1, L"##### The OS is Unknown #####\n", L"##### The OS is Unknown #####\n"},
    {11, 0, -1, -1, L"##### The OS is Unknown #####\n", L"##### The OS is Unknown #####\n"},
};

} // namespace

TEST_F(VersionInfoMgrTest, WindowsVersionTable)
{
    for (const WindowsVersionCase& c : kWindowsVersionCases) {
        ReportKernelVersion(c.major, c.minor, 3);
        ASSERT_EQ(versions.GetWindowsVersion(&index, &code, &servicePack), VERSIONINFO_MGR::kVersionOk);
        EXPECT_EQ(index, c.index) << c.major << "." << c.minor;
        EXPECT_EQ(code, c.code) << c.major << "." << c.minor;
        EXPECT_EQ(servicePack, 3);
    }
}

TEST_F(VersionInfoMgrTest, LogLinesByIndexAndByCode)
{
    for (const WindowsVersionCase& c : kWindowsVersionCases) {
        debug.Clear();
        versions.LogWindowsVersion(c.index, std::nullopt, std::nullopt);
        versions.LogWindowsVersion(std::nullopt, c.code, std::nullopt);
        // Given both, the code decides.
        versions.LogWindowsVersion(c.index, c.code, std::nullopt);
        EXPECT_EQ(debug.Lines(), (std::vector<std::wstring>{c.indexLine, c.codeLine, c.codeLine}))
            << c.major << "." << c.minor;
    }
}

TEST_F(VersionInfoMgrTest, LogLinesForUnknownValuesAndTheServicePack)
{
    versions.LogWindowsVersion(7, std::nullopt, 2);
    versions.LogWindowsVersion(std::nullopt, 0x401, 0);
    versions.LogWindowsVersion(std::nullopt, std::nullopt, 1);
    versions.LogWindowsVersion(std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(debug.Lines(), (std::vector<std::wstring>{
                                 L"##### The OS is Unknown #####\n",
                                 L"##### The service pack version = 2 #####\n",
                                 L"##### The OS is Unknown #####\n",
                                 L"##### The service pack version = 0 #####\n",
                                 L"##### The service pack version = 1 #####\n",
                             }));
}

TEST_F(VersionInfoMgrTest, WritesTheKernelVersionLineAndAcceptsAbsentOutArguments)
{
    ReportKernelVersion(10, 0, 1);
    EXPECT_EQ(versions.GetWindowsVersion(nullptr, nullptr, nullptr), VERSIONINFO_MGR::kVersionOk);
    EXPECT_EQ(versions.GetWindowsVersion(nullptr, &code, nullptr), VERSIONINFO_MGR::kVersionOk);
    EXPECT_EQ(code, 0xA00);
    EXPECT_EQ(index, kUntouched);
    EXPECT_EQ(servicePack, kUntouched);
    EXPECT_TRUE(debug.Contains(L"GetWindowsVersion: Major = 0x0000000A, Minor = 0x00000000\n"));
}

TEST_F(VersionInfoMgrTest, MissingOrFailingKernelFunctionLeavesTheOutArguments)
{
    struct Case {
        ports::Lookup lookup;
        int result;
    };
    for (const Case c : {Case{ports::Lookup::Missing, VERSIONINFO_MGR::kVersionFunctionMissing},
                         Case{ports::Lookup::Failed, VERSIONINFO_MGR::kVersionFunctionFailed}}) {
        system.facts.rtlVersion = {c.lookup, {.major = 6, .minor = 1}};
        EXPECT_EQ(versions.GetWindowsVersion(&index, &code, &servicePack), c.result);
        EXPECT_EQ(index, kUntouched);
        EXPECT_EQ(code, kUntouched);
        EXPECT_EQ(servicePack, kUntouched);
    }
}

TEST_F(VersionInfoMgrTest, Native64ByProcessorArchitecture)
{
    struct Case {
        std::uint16_t architecture;
        int result;
        std::optional<bool> flag; // none: left as it was
    };
    const Case cases[] = {
        {ports::kArchitectureX86, VERSIONINFO_MGR::kArchitectureKnown, false},
        {ports::kArchitectureX64, VERSIONINFO_MGR::kArchitectureKnown, true},
        {6, VERSIONINFO_MGR::kArchitectureUnknown, std::nullopt},  // Itanium
        {12, VERSIONINFO_MGR::kArchitectureUnknown, std::nullopt}, // ARM64
        {0xFFFF, VERSIONINFO_MGR::kArchitectureUnknown, std::nullopt},
    };
    for (const Case& c : cases) {
        system.facts.architecture = c.architecture;
        for (const bool before : {false, true}) {
            bool flag = before;
            EXPECT_EQ(versions.IsNative64(flag), c.result) << c.architecture;
            EXPECT_EQ(flag, c.flag.value_or(before)) << c.architecture << " flag before " << before;
        }
    }
}
