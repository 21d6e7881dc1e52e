#include "common/SystemFacts.h"

#include "platform/memory/MemorySystemInfo.h"
#include "platform/memory/MemoryVersionResource.h"

#include <gtest/gtest.h>

namespace {

using ports::Lookup;
using ports::OsVersion;

ports::OsVersion Version(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor)
{
    return {.major = major, .minor = minor, .build = 0, .platformId = platformId, .servicePackMajor = 0};
}

} // namespace

TEST(SystemFacts, IsWow64OnlyWhenTheFunctionExistsAndSaysSo)
{
    struct Case {
        ports::Wow64Lookup answer;
        bool expected;
    };
    const Case cases[] = {
        {{Lookup::Succeeded, true}, true},
        {{Lookup::Succeeded, false}, false},
        {{Lookup::Failed, true}, false},
        {{Lookup::Missing, true}, false},
    };
    for (const Case& c : cases) {
        memory::MemorySystemInfo system;
        system.facts.wow64 = c.answer;
        EXPECT_EQ(IsWow64(system), c.expected) << static_cast<int>(c.answer.lookup) << " " << c.answer.isWow64;
    }
}

TEST(SystemFacts, RedirectionIsSwitchedOffAndBackOnWithTheSameCookie)
{
    memory::MemorySystemInfo system;
    ports::RedirectionCookie cookie;
    ASSERT_TRUE(DisableFsRedirection(system, cookie));
    EXPECT_TRUE(system.RedirectionOff());
    EXPECT_FALSE(RevertFsRedirection(system, ports::RedirectionCookie{cookie.value + 1}));
    EXPECT_TRUE(RevertFsRedirection(system, cookie));
    EXPECT_FALSE(system.RedirectionOff());
}

TEST(SystemFacts, RedirectionFunctionsThatAreMissingOrFailAnswerNo)
{
    for (const Lookup lookup : {Lookup::Missing, Lookup::Failed}) {
        memory::MemorySystemInfo system;
        system.facts.disableRedirection = lookup;
        system.facts.revertRedirection = lookup;
        ports::RedirectionCookie cookie;
        EXPECT_FALSE(DisableFsRedirection(system, cookie));
        EXPECT_FALSE(system.RedirectionOff());
        EXPECT_FALSE(RevertFsRedirection(system, cookie));
    }
}

TEST(SystemFacts, OsKindTable)
{
    struct Case {
        OsVersion version;
        int kind;
    };
    const Case cases[] = {
        {Version(kPlatformWin9x, 4, 10), kOsKindWin98},    {Version(kPlatformWin9x, 4, 90), kOsKindWinMe},
        {Version(kPlatformWin9x, 4, 0), kOsKindUnknown},   {Version(kPlatformNt, 4, 10), kOsKindUnknown},
        {Version(kPlatformNt, 4, 0), kOsKindUnknown},      {Version(kPlatformNt, 5, 0), kOsKindWin2000},
        {Version(kPlatformNt, 5, 1), kOsKindWinXp},        {Version(kPlatformNt, 5, 2), kOsKindUnknown},
        {Version(kPlatformWin9x, 5, 1), kOsKindUnknown},   {Version(kPlatformNt, 6, 0), kOsKindVistaOrLater},
        {Version(kPlatformNt, 6, 3), kOsKindVistaOrLater}, {Version(kPlatformNt, 10, 0), kOsKindVistaOrLater},
        {Version(kPlatformWin9x, 6, 0), kOsKindUnknown},   {Version(0, 6, 0), kOsKindUnknown},
    };
    for (const Case& c : cases) {
        memory::MemorySystemInfo system;
        system.facts.extendedVersion = c.version;
        EXPECT_EQ(GetOsKind(system), c.kind)
            << "platform " << c.version.platformId << ", " << c.version.major << "." << c.version.minor;
    }
}

TEST(SystemFacts, OsKindFallsBackToTheBasicStructureAndGivesZeroWhenBothFail)
{
    memory::MemorySystemInfo system;
    system.facts.extendedVersion.reset();
    system.facts.basicVersion = Version(kPlatformNt, 5, 1);
    EXPECT_EQ(GetOsKind(system), kOsKindWinXp);
    EXPECT_EQ(system.Calls(), (std::vector<std::wstring>{L"VersionEx(Extended)", L"VersionEx(Basic)"}));

    system.facts.basicVersion.reset();
    EXPECT_EQ(GetOsKind(system), kOsKindUnknown);
}

TEST(SystemFacts, WindowsBefore6ComesFromTheMajorByteOfThePackedVersion)
{
    struct Case {
        std::uint32_t packed;
        bool before6;
    };
    const Case cases[] = {
        {0x0A280105, true},  // 5.1 build 2600
        {0x0ECE0205, true},  // 5.2 build 3790
        {0x80000A04, true},  // 4.10 of the 9x family (high bit set)
        {0x17700006, false}, // 6.0 build 6000
        {0x1DB10106, false}, // 6.1 build 7601
        {0x4A65000A, false}, // 10.0 build 19045
        {0x00000506, false}, // 6.5: the minor byte must not be taken for the major one
    };
    for (const Case& c : cases) {
        memory::MemorySystemInfo system;
        system.facts.packedVersion = c.packed;
        EXPECT_EQ(IsWindowsBefore6(system), c.before6) << std::hex << c.packed;
    }
}

TEST(SystemFacts, FileVersionStringResultsFollowTheSteps)
{
    using Status = ports::VersionResourceStatus;
    struct Case {
        Status status;
        int result;
    };
    const Case cases[] = {
        {Status::NoResource, kFileVersionNoResource},
        {Status::CannotRead, kFileVersionCannotRead},
        {Status::NoRootBlock, kFileVersionNoRootBlock},
        {Status::EmptyRootBlock, kFileVersionEmptyRootBlock},
    };
    for (const Case& c : cases) {
        memory::MemoryVersionResource versions;
        versions.Put(L"C:\\app.exe", {c.status, {kFixedFileInfoSignature, 0x00010002, 0x00030004}});
        std::wstring text = L"before";
        EXPECT_EQ(GetFileVersionString(versions, L"C:\\app.exe", text), c.result);
        EXPECT_EQ(text, L"before");
    }

    memory::MemoryVersionResource none;
    std::wstring text = L"before";
    EXPECT_EQ(GetFileVersionString(none, L"C:\\missing.exe", text), kFileVersionNoResource);
}

TEST(SystemFacts, FileVersionStringFormatsTheFourSixteenBitParts)
{
    memory::MemoryVersionResource versions;
    versions.PutVersion(L"C:\\Tonvio\\TonvioApp.exe", 1, 2, 3, 4);
    versions.PutVersion(L"C:\\Tonvio\\Max.exe", 65535, 0, 65535, 10);
    std::wstring text;
    EXPECT_EQ(GetFileVersionString(versions, L"c:\\tonvio\\tonvioapp.EXE", text), kFileVersionOk);
    EXPECT_EQ(text, L"1.2.3.4");
    EXPECT_EQ(GetFileVersionString(versions, L"C:\\Tonvio\\Max.exe", text), kFileVersionOk);
    EXPECT_EQ(text, L"65535.0.65535.10");
}

TEST(SystemFacts, FileVersionWithAWrongSignatureSucceedsAndLeavesTheText)
{
    memory::MemoryVersionResource versions;
    versions.Put(L"C:\\odd.exe", {ports::VersionResourceStatus::Ok, {0xFEEF04BC, 0x00010002, 0x00030004}});
    std::wstring text = L"9.9.9.9";
    EXPECT_EQ(GetFileVersionString(versions, L"C:\\odd.exe", text), kFileVersionOk);
    EXPECT_EQ(text, L"9.9.9.9");
}
