// One table of private-profile cases, run against every adapter of ports::PrivateProfile: the portable
// store over the in-memory file system everywhere, and on Windows also the portable store over real files
// and the platform's own functions. Every adapter must give the same results.
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"

#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32PrivateProfile.h"

#include <windows.h>
#endif

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct ProfileWrite {
    std::wstring section, key, value;
};

struct ProfileRead {
    std::wstring section, key;
    std::size_t capacity;
    std::wstring expected;
    std::wstring defaultValue = L"dflt";
};

struct ProfileCase {
    const char* name;
    std::optional<std::string> initialBytes; // no file before the case when empty
    std::vector<ProfileWrite> writes;
    std::vector<ProfileRead> reads;
    bool bareName = false;             // the file lies in the Windows folder and is named without a folder
    const char* wineDiffers = nullptr; // why Wine's own functions give another result than Windows
    // The file is then replaced by other bytes (not through the profile functions) and read again.
    std::optional<std::string> replacedBytes = std::nullopt;
    std::vector<ProfileRead> readsAfterReplacing = {};
};

std::string Utf16File(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// A value of `length` characters: "0123456789" repeated.
std::string Digits(std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(static_cast<char>('0' + i % 10));
    return text;
}

std::wstring Widened(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::vector<ProfileCase> Cases()
{
    return {
        {"SpacesAroundEqualsAndValue",
         "[Sec]\r\n  Key  =   two  words   \r\n\tTab\t=\tv\t\r\n",
         {},
         {{L"Sec", L"Key", 64, L"two  words"}, {L"Sec", L"Tab", 64, L"v"}}},
        {"SurroundingQuotes",
         "[Q]\r\nD=\"  in quotes  \"\r\nS='single'\r\nU=\"unbalanced\r\nM=\"mixed'\r\nE=\"\"\r\nO=\"\r\n"
         "I=a \"b\" c\r\nT=  \"x\"  \r\n",
         {},
         {{L"Q", L"D", 64, L"  in quotes  "},
          {L"Q", L"S", 64, L"single"},
          {L"Q", L"U", 64, L"\"unbalanced"},
          {L"Q", L"M", 64, L"\"mixed'"},
          {L"Q", L"E", 64, L""},
          {L"Q", L"O", 64, L"\""},
          {L"Q", L"I", 64, L"a \"b\" c"},
          {L"Q", L"T", 64, L"x"}}},
        {"CaseInsensitiveNames",
         "[MySection]\r\nMyKey=v\r\n",
         {},
         {{L"mysection", L"MYKEY", 64, L"v"}, {L"MYSECTION", L"mykey", 64, L"v"}}},
        {"CutSilentlyAtTheBuffer",
         "[S]\r\nK=abcdefghij\r\nQ=\"abcdef\"\r\n",
         {},
         {{L"S", L"K", 1, L""},
          {L"S", L"K", 2, L"a"},
          {L"S", L"K", 10, L"abcdefghi"},
          {L"S", L"K", 11, L"abcdefghij"},
          {L"S", L"Q", 4, L"abc"},
          {L"S", L"Q", 8, L"abcdef"}}},
        {"QuotedValueFillingTheBuffer",
         "[S]\r\nQ=\"abcdef\"\r\n",
         {},
         {{L"S", L"Q", 7, L"abcdef"}},
         false,
         "Wine drops one more character when the value without its quotes fills the buffer exactly"},
        {"MissingFile",
         std::nullopt,
         {},
         {{L"S", L"K", 64, L"dflt"}, {L"S", L"K", 64, L"dflt", L"dflt   "}, {L"S", L"K", 3, L"df"}}},
        {"MissingSectionOrKey", "[A]\r\nK=1\r\n", {}, {{L"B", L"K", 64, L"dflt"}, {L"A", L"X", 64, L"dflt"}}},
        {"EmptyValueIsNotMissing", "[A]\r\nK=\r\n", {}, {{L"A", L"K", 64, L""}}},
        {"CommentsAndFirstMatchWins",
         "[A]\r\n;K=comment\r\nK=first\r\nk=second\r\n[a]\r\nK=third\r\n",
         {},
         {{L"A", L"K", 64, L"first"}}},
        {"LfLineEnds", "[A]\nK=1\n[B]\nK=2\n", {}, {{L"A", L"K", 64, L"1"}, {L"B", L"K", 64, L"2"}}},
        {"BareFileNameIsInTheWindowsFolder",
         "[S]\r\nK=v\r\n",
         {{L"S", L"New", L"w"}},
         {{L"S", L"K", 64, L"v"}, {L"S", L"New", 64, L"w"}},
         true},
        {"Utf16LeWithMark", Utf16File(u"[S]\r\nK=\u00E9\u4E2D\r\n"), {}, {{L"S", L"K", 64, L"\u00E9\u4E2D"}}},
        // Wine reads a UTF-8 mark; Windows documents ANSI and UTF-16LE files only, so on a Windows whose
        // ANSI code page is not UTF-8 this case may read differently there.
        {"Utf8WithMark", "\xEF\xBB\xBF[S]\r\nK=\xC3\xA9\xE4\xB8\xAD\r\n", {}, {{L"S", L"K", 64, L"\u00E9\u4E2D"}}},
        {"AnsiWithoutMarkIsWindows1252",
         "[S]\r\nK=caf\xE9 \x80\x8A\x9F\r\n",
         {},
         {{L"S", L"K", 64, L"caf\u00E9 \u20AC\u0160\u0178"}}},
        {"WriteCreatesTheFile",
         std::nullopt,
         {{L"S", L"K", L"V"}, {L"S", L"L", L"W"}},
         {{L"S", L"K", 64, L"V"}, {L"s", L"l", 64, L"W"}}},
        {"WriteAddsASection", "[A]\r\nK=1\r\n", {{L"B", L"K", L"2"}}, {{L"A", L"K", 64, L"1"}, {L"B", L"K", 64, L"2"}}},
        {"WriteReplacesAValue",
         "[A]\r\nK = old\r\nL=keep\r\n[B]\r\nK=b\r\n",
         {{L"a", L"k", L"new"}},
         {{L"A", L"K", 64, L"new"}, {L"A", L"L", 64, L"keep"}, {L"B", L"K", 64, L"b"}}},
        {"WriteNewFileIsAnsi", std::nullopt, {{L"S", L"K", L"caf\u00E9 \u4E2D"}}, {{L"S", L"K", 64, L"caf\u00E9 ?"}}},
        // What the panel's readers rely on in the kit's files.
        {"KitLanguageFile",
         Utf16File(u"; Tonvio texts - generated\r\n; Label value: text,up colour,down colour\r\n\r\n"
                   u"[GlobalFont]\r\nColorUp=$D9D1C9\r\nFont=Segoe UI\r\nFontSize=7\r\n\r\n"
                   u"[Main]\r\nLabelMenu1=Save,,,,,362,14,38,12\r\nLabelPage3D=(null)\r\n"
                   u"LabelVolume=Lautst\u00E4rke,$FFFFFF,,Segoe UI,8,44,76,76,12,1\r\n"
                   u"Name=\u7B80\u4F53\u4E2D\u6587\r\n"),
         {},
         {{L"GlobalFont", L"ColorUp", 128, L"$D9D1C9"},
          {L"GlobalFont", L"Font", 128, L"Segoe UI"},
          {L"Main", L"LabelMenu1", 128, L"Save,,,,,362,14,38,12"},
          {L"Main", L"LabelPage3D", 128, L"(null)"},
          {L"Main", L"LabelVolume", 256, L"Lautst\u00E4rke,$FFFFFF,,Segoe UI,8,44,76,76,12,1"},
          {L"Main", L"LabelVolume", 9, L"Lautst\u00E4r"},
          {L"Main", L"Name", 128, L"\u7B80\u4F53\u4E2D\u6587"},
          {L"Main", L"LabelMissing", 128, L"", L""}}},
        {"KitSkinAndConfigurationLines",
         "; generated\r\n\r\n[Main]\r\nMainFormImage=frame.png,0,0,500,312\r\n\r\nNoEquals\r\nEmpty=\r\n"
         "Formula=a=b ; c # d\r\n#Hash=h\r\n[USB_VID_PID]\r\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\r\n",
         {},
         {{L"Main", L"MainFormImage", 256, L"frame.png,0,0,500,312"},
          {L"Main", L"NoEquals", 256, L"dflt"},
          {L"Main", L"Empty", 256, L""},
          {L"Main", L"Formula", 256, L"a=b ; c # d"},
          {L"Main", L"#Hash", 256, L"h"},
          {L"USB_VID_PID", L"1", 32, L"USB\\VID_4D2F&PID_48XX&REV_0100&"}}},
        {"LinesBeforeTheFirstSectionBelongToNone",
         "K=before\r\n[S]\r\nK=inside\r\n",
         {},
         {{L"S", L"K", 64, L"inside"}}},
        {"LongValueAtTheReadersBuffers",
         "[S]\r\nK=" + Digits(1500) + "\r\n",
         {},
         {{L"S", L"K", 32, Widened(Digits(31))},
          {L"S", L"K", 128, Widened(Digits(127))},
          {L"S", L"K", 256, Widened(Digits(255))},
          {L"S", L"K", 1024, Widened(Digits(1023))}}},
        {"ReplacedFileIsReadAgain",
         "[S]\r\nK=first\r\n",
         {},
         {{L"S", L"K", 64, L"first"}},
         false,
         nullptr,
         "[S]\r\nK=second, longer\r\nNew=n\r\n",
         {{L"S", L"K", 64, L"second, longer"}, {L"S", L"New", 64, L"n"}}},
        {"ReadsAfterAWrite",
         "[S]\r\nK=1\r\nL=2\r\n",
         {{L"S", L"K", L"one"}, {L"T", L"K", L"new section"}},
         {{L"S", L"K", 64, L"one"}, {L"S", L"L", 64, L"2"}, {L"T", L"K", 64, L"new section"}}},
        {"WriteKeepsUtf16",
         Utf16File(u"[S]\r\nK=1\r\n"),
         {{L"S", L"L", L"\u4E2D"}},
         {{L"S", L"K", 64, L"1"}, {L"S", L"L", 64, L"\u4E2D"}}},
    };
}

// One adapter with the file system its files are prepared through.
class ProfileHost {
public:
    virtual ~ProfileHost() = default;
    virtual ports::PrivateProfile& Profile() = 0;
    virtual ports::FileSystem& Files() = 0;
    virtual std::wstring CaseFolder() const = 0;
    virtual std::wstring WindowsFolder() const = 0;
    // True for the platform's own functions when they are Wine's.
    virtual bool IsWineProfile() const { return false; }
};

class MemoryHost final : public ProfileHost {
public:
    MemoryHost()
    {
        files_.CreateFolder(WindowsFolder());
        files_.CreateFolder(CaseFolder());
    }
    ports::PrivateProfile& Profile() override { return profile_; }
    ports::FileSystem& Files() override { return files_; }
    std::wstring CaseFolder() const override { return L"C:\\Temp"; }
    std::wstring WindowsFolder() const override { return L"C:\\Windows"; }

private:
    memory::MemoryFileSystem files_;
    memory::IniFileProfile profile_{files_, L"C:\\Windows"};
};

#ifdef _WIN32
std::wstring WindowsDirectory()
{
    wchar_t buffer[MAX_PATH]{};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, length);
}

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH]{};
    const DWORD length = ::GetTempPathW(MAX_PATH, buffer);
    return std::wstring(buffer, length) + L"tonvio-profile-table";
}

bool RunsUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class Win32FilesHost : public ProfileHost {
public:
    Win32FilesHost() { files_.CreateFolder(CaseFolder()); }
    ports::FileSystem& Files() override { return files_; }
    std::wstring CaseFolder() const override { return TempFolder(); }
    std::wstring WindowsFolder() const override { return WindowsDirectory(); }

protected:
    win32::Win32FileSystem files_;
};

class PortableOnWin32Host final : public Win32FilesHost {
public:
    ports::PrivateProfile& Profile() override { return profile_; }

private:
    memory::IniFileProfile profile_{files_, WindowsDirectory()};
};

class PlatformHost final : public Win32FilesHost {
public:
    ports::PrivateProfile& Profile() override { return profile_; }
    bool IsWineProfile() const override { return RunsUnderWine(); }

private:
    win32::Win32PrivateProfile profile_;
};
#endif

struct Adapter {
    const char* name;
    std::function<std::unique_ptr<ProfileHost>()> make;
};

std::vector<Adapter> Adapters()
{
    std::vector<Adapter> adapters{{"PortableOverMemory", [] { return std::make_unique<MemoryHost>(); }}};
#ifdef _WIN32
    adapters.push_back({"PortableOverWin32Files", [] { return std::make_unique<PortableOnWin32Host>(); }});
    adapters.push_back({"Win32PrivateProfile", [] { return std::make_unique<PlatformHost>(); }});
#endif
    return adapters;
}

void PrintTo(const Adapter& adapter, std::ostream* out)
{
    *out << adapter.name;
}
void PrintTo(const ProfileCase& profileCase, std::ostream* out)
{
    *out << profileCase.name;
}

class PrivateProfileTable : public ::testing::TestWithParam<std::tuple<Adapter, ProfileCase>> {
protected:
    void TearDown() override
    {
        if (host_ && !path_.empty())
            host_->Files().RemoveFile(path_);
    }

    std::unique_ptr<ProfileHost> host_;
    std::wstring path_;
};

// A fresh name for every adapter, case and run: Wine caches profile files by name.
std::wstring UniqueFileName(const Adapter& adapter, const ProfileCase& profileCase)
{
    static int counter = 0;
#ifdef _WIN32
    const unsigned long process = ::GetCurrentProcessId();
#else
    const unsigned long process = 0; // every case has a file system of its own
#endif
    const std::string name = std::string("tonvio-") + adapter.name + "-" + profileCase.name + "-" +
                             std::to_string(process) + "-" + std::to_string(++counter) + ".ini";
    return std::wstring(name.begin(), name.end());
}

TEST_P(PrivateProfileTable, GivesTheSameResultsOnEveryAdapter)
{
    const auto& [adapter, profileCase] = GetParam();
    host_ = adapter.make();
    if (profileCase.wineDiffers != nullptr && host_->IsWineProfile())
        GTEST_SKIP() << "Wine differs from Windows here: " << profileCase.wineDiffers;

    const std::wstring fileName = UniqueFileName(adapter, profileCase);
    const std::wstring folder = profileCase.bareName ? host_->WindowsFolder() : host_->CaseFolder();
    path_ = folder + L"\\" + fileName;
    const std::wstring addressed = profileCase.bareName ? fileName : path_;

    if (profileCase.initialBytes) {
        const std::string& bytes = *profileCase.initialBytes;
        ASSERT_TRUE(host_->Files().WriteAll(
            path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
    }
    for (const ProfileWrite& write : profileCase.writes)
        EXPECT_TRUE(host_->Profile().WriteString(addressed, write.section, write.key, write.value))
            << testing::PrintToString(write.section) << " " << testing::PrintToString(write.key);
    const auto expectReads = [&](const std::vector<ProfileRead>& reads) {
        for (const ProfileRead& read : reads)
            EXPECT_EQ(host_->Profile().GetString(addressed, read.section, read.key, read.defaultValue, read.capacity),
                      read.expected)
                << "[" << testing::PrintToString(read.section) << "] " << testing::PrintToString(read.key)
                << ", capacity " << read.capacity;
    };
    expectReads(profileCase.reads);
    if (profileCase.replacedBytes) {
        const std::string& bytes = *profileCase.replacedBytes;
        ASSERT_TRUE(host_->Files().WriteAll(
            path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
        expectReads(profileCase.readsAfterReplacing);
    }
}

std::string CaseTitle(const ::testing::TestParamInfo<PrivateProfileTable::ParamType>& test)
{
    return std::string(std::get<0>(test.param).name) + "_" + std::get<1>(test.param).name;
}

INSTANTIATE_TEST_SUITE_P(All, PrivateProfileTable,
                         ::testing::Combine(::testing::ValuesIn(Adapters()), ::testing::ValuesIn(Cases())), CaseTitle);

} // namespace
