#include "common/Inifilemanager.h"

#include "platform/memory/MemoryFileSystem.h"

#include <gtest/gtest.h>
#include <memory_resource>
#include <new>
#include <random>
#include <string>
#include <vector>

using namespace REGINI_MGR;

namespace {

const std::wstring kPath = L"C:\\Tonvio\\AudioConfig.cfg";

class IniFileManagerTest : public ::testing::Test {
protected:
    int Load(std::string_view bytes)
    {
        files.Put(kPath, bytes);
        return manager.OpenFromFile(kPath);
    }

    memory::MemoryFileSystem files;
    CIniMgr manager{files};
};

std::vector<std::wstring> Names(const CIniMgr& manager, const std::wstring& section)
{
    std::vector<std::wstring> names{L"untouched"};
    manager.GetValueNames(section, names);
    return names;
}

} // namespace

TEST_F(IniFileManagerTest, ReadFailuresReportTheirStepAndKeepThePreviousContent)
{
    ASSERT_EQ(Load("\xEF\xBB\xBF[Old]\nA=1\n"), kIniOpenOk);
    const struct {
        ports::ReadStatus status;
        int result;
    } cases[] = {
        {ports::ReadStatus::CannotOpen, kIniOpenCannotOpen},
        {ports::ReadStatus::NoLength, kIniOpenNoLength},
        {ports::ReadStatus::NoMemory, kIniOpenNoMemory},
        {ports::ReadStatus::ReadFailed, kIniOpenReadFailed},
    };
    for (const auto& c : cases) {
        const std::wstring other = L"C:\\other" + std::to_wstring(c.result) + L".ini";
        files.Put(other, "[New]\nB=2\n");
        files.FailReads(other, c.status);
        EXPECT_EQ(manager.OpenFromFile(other), c.result);
        EXPECT_EQ(manager.Path(), other);
        EXPECT_EQ(manager.Encoding(), IniEncoding::Utf8);
        EXPECT_EQ(manager.Lines(), (std::vector<std::wstring>{L"[Old]", L"A=1"}));
        EXPECT_EQ(manager.GetValue(L"Old", L"A"), L"1");
        EXPECT_FALSE(manager.HasSection(L"New"));
    }
    EXPECT_EQ(manager.OpenFromFile(L"C:\\missing.ini"), kIniOpenCannotOpen) << "a file that is not there";
    EXPECT_TRUE(manager.HasSection(L"Old"));
}

TEST_F(IniFileManagerTest, LoadsEveryEncoding)
{
    // "[S]\nK=é" in each encoding; U+00E9 survives every decoder except the 8-bit one.
    const struct {
        std::string bytes;
        IniEncoding encoding;
    } cases[] = {
        {std::string("\xEF\xBB\xBF[S]\nK=\xC3\xA9"), IniEncoding::Utf8},
        {std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0", 16), IniEncoding::Utf16LE},
        {std::string("\xFE\xFF\0[\0S\0]\0\n\0K\0=\0\xE9", 16), IniEncoding::Utf16BE},
        {std::string("\xFF\xFE\0\0[\0\0\0S\0\0\0]\0\0\0\n\0\0\0K\0\0\0=\0\0\0\xE9\0\0\0", 32), IniEncoding::Utf32LE},
        {std::string("\0\0\xFE\xFF\0\0\0[\0\0\0S\0\0\0]\0\0\0\n\0\0\0K\0\0\0=\0\0\0\xE9", 32), IniEncoding::Utf32BE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Load(c.bytes), kIniOpenOk);
        EXPECT_EQ(manager.Encoding(), c.encoding);
        EXPECT_EQ(manager.GetValue(L"S", L"K"), L"\u00E9") << static_cast<int>(c.encoding);
    }
    EXPECT_EQ(Load("[S]\nK=\xE9"), kIniOpenOk);
    EXPECT_EQ(manager.Encoding(), IniEncoding::Ansi);
    EXPECT_EQ(manager.GetValue(L"S", L"K"), std::wstring(1, static_cast<wchar_t>(0xFFE9))) << "no code page applied";
}

TEST_F(IniFileManagerTest, UndecodableTextFailsWithFiveAndLeavesNoSections)
{
    const struct {
        std::string bytes;
        IniEncoding encoding;
    } cases[] = {
        {std::string("\xEF\xBB\xBF[S]\nK=\xF0\x9F\x8E\xB5"), IniEncoding::Utf8},
        {std::string("\xEF\xBB\xBF[S]\nK=\xC3"), IniEncoding::Utf8},
        {std::string("\xFF\xFE\0\0[\0\0\0S", 9), IniEncoding::Utf32LE},
        {std::string("\0\0\xFE\xFF\0\0\0[\0\0", 10), IniEncoding::Utf32BE},
        {std::string("\xFF\xFE\0\0[\0\0\0\0\0\x01\0", 12), IniEncoding::Utf32LE},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Load("[Old]\nA=1\n"), kIniOpenOk);
        EXPECT_EQ(Load(c.bytes), kIniOpenCannotDecode);
        EXPECT_EQ(manager.Encoding(), c.encoding) << "the detected encoding stays";
        EXPECT_EQ(manager.SectionCount(), 0u);
        EXPECT_FALSE(manager.HasSection(L"Old"));
    }
}

TEST_F(IniFileManagerTest, SmallAndOddFiles)
{
    EXPECT_EQ(Load("\xEF\xBB\xBF"), kIniOpenOk) << "only a UTF-8 mark";
    EXPECT_EQ(manager.Encoding(), IniEncoding::Utf8);
    EXPECT_TRUE(manager.Lines().empty());
    EXPECT_EQ(manager.SectionCount(), 0u);

    EXPECT_EQ(Load(""), kIniOpenOk);
    EXPECT_EQ(manager.Encoding(), IniEncoding::Ansi);
    EXPECT_EQ(manager.SectionCount(), 0u);

    EXPECT_EQ(Load(std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0v\0\x41", 17)), kIniOpenOk) << "odd byte after the mark";
    EXPECT_EQ(manager.GetValue(L"S", L"K"), L"v");

    EXPECT_EQ(Load(std::string("[S]\nA=1\0\nB=2\n", 14)), kIniOpenOk) << "text ends at a zero";
    EXPECT_EQ(manager.GetValue(L"S", L"A"), L"1");
    EXPECT_EQ(manager.GetValue(L"S", L"B"), L"");
}

TEST_F(IniFileManagerTest, SplitsLinesAtLfAndTrimsSpacesThenCr)
{
    ASSERT_EQ(Load("  [S]  \r\n\n\nA = 1\r\n \r\n\r\n;c\n"), kIniOpenOk);
    EXPECT_EQ(manager.Lines(), (std::vector<std::wstring>{L"[S]  ", L"A = 1", L"", L"", L";c"}));
    EXPECT_EQ(manager.SectionCount(), 0u) << "'[S]  ' is no header";

    const std::string lf = "[A]\nx=1\ny = 2 \n[B]\nz=3\n";
    const std::string crlf = "[A]\r\nx=1\r\ny = 2 \r\n[B]\r\nz=3\r\n";
    // The lines keep the space before CR, but entries are trimmed again: both files give the same sections.
    for (const std::string& file : {lf, crlf}) {
        ASSERT_EQ(Load(file), kIniOpenOk);
        EXPECT_EQ(manager.SectionNames(), (std::vector<std::wstring>{L"A", L"B"}));
        EXPECT_EQ(Names(manager, L"A"), (std::vector<std::wstring>{L"x", L"y "}));
        EXPECT_EQ(manager.GetValue(L"A", L"y "), L" 2");
        EXPECT_EQ(manager.GetValue(L"B", L"z"), L"3");
    }
}

TEST_F(IniFileManagerTest, BuildsSectionsWithExactNamesAndRawEntries)
{
    ASSERT_EQ(Load("Orphan=dropped\n"
                   "[S]\n"
                   "Key = Value\n"
                   "=abc\n"
                   "abc\n"
                   "#1=x\n"
                   "1=first\n"
                   ";1=comment\n"
                   "1=second\n"
                   "eq=a=b\n"
                   "[Name]  \r\n" // spaces before CR: no header, stays in [S]
                   "After=1\n"
                   "[s]\n"
                   "Lower=1\n"
                   "[S]\n"
                   "Hidden=yes\n"
                   "[]\n"
                   "E=empty\n"),
              kIniOpenOk);

    EXPECT_EQ(manager.SectionNames(), (std::vector<std::wstring>{L"S", L"s", L"S", L""}));
    EXPECT_EQ(manager.SectionAt(0).RawLines(),
              (std::vector<std::wstring>{L"[S]", L"Key = Value", L"=abc", L"abc", L"#1=x", L"1=first", L"1=second",
                                         L"eq=a=b", L"[Name]  ", L"After=1"}));
    EXPECT_EQ(Names(manager, L"S"), (std::vector<std::wstring>{L"Key ", L"#1", L"1", L"1", L"eq", L"After"}));

    EXPECT_EQ(manager.GetValue(L"S", L"Key "), L" Value");
    EXPECT_EQ(manager.GetValue(L"S", L"Key"), L"") << "names are not trimmed";
    EXPECT_EQ(manager.GetValue(L"S", L"#1"), L"x") << "'#' starts no comment";
    EXPECT_EQ(manager.GetValue(L"S", L"1"), L"first");
    EXPECT_EQ(manager.GetValue(L"S", L"eq"), L"a=b");
    EXPECT_EQ(manager.GetValue(L"S", L"After"), L"1");
    EXPECT_EQ(manager.GetValue(L"S", L"Hidden"), L"") << "a second [S] is never found";
    EXPECT_EQ(manager.GetValue(L"S", L"Orphan"), L"");
    EXPECT_EQ(manager.GetValue(L"S", L""), L"");
    EXPECT_EQ(manager.GetValue(L"", L"E"), L"empty") << "[] names the empty section";
    EXPECT_EQ(manager.GetValue(L"s", L"Lower"), L"1");

    EXPECT_FALSE(manager.HasSection(L"Name"));
    EXPECT_FALSE(manager.HasSection(L"USB_VID_PID"));
    EXPECT_TRUE(manager.HasSection(L"s"));
    EXPECT_FALSE(manager.HasSection(L" S"));
    EXPECT_EQ(Names(manager, L"Missing"), (std::vector<std::wstring>{L"untouched"}));
    EXPECT_EQ(Names(manager, L""), (std::vector<std::wstring>{L"E"}));
}

TEST_F(IniFileManagerTest, ReopenReplacesAndClearEmpties)
{
    ASSERT_EQ(Load("[A]\nx=1\n"), kIniOpenOk);
    ASSERT_EQ(Load("[B]\ny=2\n"), kIniOpenOk);
    EXPECT_EQ(manager.SectionNames(), (std::vector<std::wstring>{L"B"}));
    EXPECT_EQ(manager.Lines(), (std::vector<std::wstring>{L"[B]", L"y=2"}));
    manager.Clear();
    EXPECT_TRUE(manager.Lines().empty());
    EXPECT_EQ(manager.SectionCount(), 0u);
    EXPECT_EQ(manager.GetValue(L"B", L"y"), L"");
}

namespace {

// Storage that runs out after a given number of allocations.
class LimitedMemory final : public std::pmr::memory_resource {
public:
    explicit LimitedMemory(int allocations) : remaining_(allocations) {}

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override
    {
        if (remaining_-- <= 0)
            throw std::bad_alloc();
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override
    {
        std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    int remaining_;
};

template <typename T> bool IsPrefix(const std::vector<T>& part, const std::vector<T>& whole)
{
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

} // namespace

TEST(IniFileManagerMemory, RunningOutOfMemoryGivesFiveWhileDecodingAndSixWhileBuildingSections)
{
    memory::MemoryFileSystem files;
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "[Section" + std::to_string(i) + "]\nKey=" + std::to_string(i) + "\n";
    files.Put(kPath, text);

    CIniMgr reference(files);
    ASSERT_EQ(reference.OpenFromFile(kPath), kIniOpenOk);

    bool sawFive = false;
    bool sawSix = false;
    for (int allowed = 0; allowed < 200; ++allowed) {
        LimitedMemory memory(allowed);
        CIniMgr manager(files, &memory);
        const int result = manager.OpenFromFile(kPath);
        if (result == kIniOpenOk) {
            EXPECT_EQ(manager.SectionNames(), reference.SectionNames());
            break;
        }
        if (result == kIniOpenCannotDecode) {
            sawFive = true;
            EXPECT_EQ(manager.SectionCount(), 0u);
            EXPECT_TRUE(IsPrefix(manager.Lines(), reference.Lines())) << "lines may be partly filled";
        } else {
            ASSERT_EQ(result, kIniOpenNoSection) << "allowed " << allowed;
            sawSix = true;
            EXPECT_EQ(manager.Lines(), reference.Lines());
            EXPECT_LT(manager.SectionCount(), reference.SectionCount());
            EXPECT_TRUE(IsPrefix(manager.SectionNames(), reference.SectionNames())) << "built sections remain";
        }
    }
    EXPECT_TRUE(sawFive);
    EXPECT_TRUE(sawSix);
}

TEST_F(IniFileManagerTest, LargeAndBinaryInputsGiveResultCodes)
{
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string marks[] = {
        "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", std::string("\xFF\xFE\0\0", 4), std::string("\0\0\xFE\xFF", 4)};
    for (const std::string& mark : marks) {
        std::string garbage = mark;
        for (int i = 0; i < 64 * 1024; ++i)
            garbage.push_back(static_cast<char>(byte(random)));
        const int result = Load(garbage);
        EXPECT_TRUE(result == kIniOpenOk || result == kIniOpenCannotDecode) << result;
    }

    std::string large = "[Big]\n";
    for (int i = 0; i < 100000; ++i)
        large += "Key" + std::to_string(i) + "=" + std::string(20, 'v') + "\n";
    large += "[Tail]\nLast=" + std::string(1 << 20, 'x') + "\n";
    ASSERT_EQ(Load(large), kIniOpenOk);
    EXPECT_EQ(manager.GetValue(L"Big", L"Key99999"), std::wstring(20, L'v'));
    EXPECT_EQ(manager.GetValue(L"Tail", L"Last").size(), std::size_t{1} << 20);
}
