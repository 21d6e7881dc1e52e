// TonvioKitCheck against the reference kit and against copies of it with one mistake each: the
// reference kit gives no finding, each broken copy exactly the finding that names its mistake.

#include "kitcheck/CommandLine.h"
#include "kitcheck/KitCheck.h"

#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/ProfileFileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using kitcheck::Finding;
using kitcheck::Severity;

constexpr wchar_t kKit[] = L"C:\\Kit\\";

// The reference kit's files, read from disk once: relative Windows path → bytes.
const std::map<std::wstring, std::string>& ReferenceKit()
{
    static const std::map<std::wstring, std::string> files = [] {
        std::map<std::wstring, std::string> read;
        const fs::path root = fs::path(__FILE__).parent_path().parent_path().parent_path() / "oem" / "kit";
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file())
                continue;
            std::wstring relative = fs::relative(entry.path(), root).wstring();
            for (wchar_t& c : relative)
                if (c == L'/')
                    c = L'\\';
            std::ifstream in(entry.path(), std::ios::binary);
            read[relative] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
        return read;
    }();
    return files;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string Describe(const std::vector<Finding>& findings)
{
    std::string out;
    for (const Finding& f : findings)
        out += Narrow(f.file) + ":" + std::to_string(f.line) + ": " + Narrow(kitcheck::SeverityName(f.severity)) +
               ": [" + Narrow(f.section) + "] " + Narrow(f.key) + ": " + Narrow(f.message) + "\n";
    return out;
}

// A copy of the reference kit in memory, to break one thing in.
class KitCopy {
public:
    KitCopy()
    {
        for (const auto& [relative, bytes] : ReferenceKit())
            rig.files.Put(kKit + relative, bytes);
    }

    // The file's text, decoded as the programs decode it.
    std::wstring Text(const std::wstring& relative) const
    {
        const std::string bytes = rig.files.Get(kKit + relative);
        return memory::DecodeProfileText(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
            .text;
    }

    // Replaces the line that starts with `lineStart` by `replacement` (an empty one removes it), keeping the
    // file's encoding; the line's number.
    int ReplaceLine(const std::wstring& relative, const std::wstring& lineStart, const std::wstring& replacement)
    {
        const std::string bytes = rig.files.Get(kKit + relative);
        const auto decoded =
            memory::DecodeProfileText(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        std::wstring text = decoded.text;
        const std::size_t at = text.starts_with(lineStart) ? 0 : text.find(L"\n" + lineStart);
        EXPECT_NE(at, std::wstring::npos) << Narrow(lineStart);
        const std::size_t begin = at == 0 ? 0 : at + 1;
        const std::size_t end = text.find_first_of(L"\r\n", begin);
        const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(begin), L'\n'));
        if (replacement.empty())
            text.erase(begin, text.find(L'\n', begin) + 1 - begin);
        else
            text.replace(begin, end - begin, replacement);
        rig.files.Put(kKit + relative, memory::EncodeProfileText(text, decoded.encoding));
        return line;
    }

    // The 1-based line of the first line that starts with `lineStart`.
    int LineOf(const std::wstring& relative, const std::wstring& lineStart) const
    {
        const std::wstring text = Text(relative);
        const std::size_t at = text.starts_with(lineStart) ? 0 : text.find(L"\n" + lineStart) + 1;
        return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), L'\n'));
    }

    std::vector<Finding> Check() const { return kitcheck::CheckKit(rig.files, rig.profile, kKit); }

    memory::MemoryPlatform rig;
};

} // namespace

namespace kitcheck {
void PrintTo(const Finding& finding, std::ostream* out)
{
    *out << Describe({finding});
}
} // namespace kitcheck

TEST(KitCheckTest, ReferenceKitHasNoFinding)
{
    const KitCopy kit;
    const std::vector<Finding> findings = kit.Check();
    EXPECT_TRUE(findings.empty()) << Describe(findings);
}

// One mistake per kit; `Break` makes it and returns the findings it must give, exactly.
struct BrokenKit {
    const char* name;
    std::function<std::vector<Finding>(KitCopy&)> Break;
};

void PrintTo(const BrokenKit& kit, std::ostream* out)
{
    *out << kit.name;
}

namespace {

const std::wstring kConfig = L"AudioConfig.cfg";
const std::wstring kSkin = L"Skin\\1366x768\\Ember\\";
const std::wstring kSkinSetting = kSkin + L"SkinSetting.ini";
const std::wstring kEnglish = L"Language\\English\\Language.ini";
const std::wstring kEnglish1366 = L"Language\\1366x768\\English\\Language.ini";

const std::vector<BrokenKit> kBrokenKits{
    {"a misspelt configuration key is unknown and the key it meant is missing",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"HintName=", L"HintNme=Tonvio");
         return std::vector<Finding>{
             {Severity::Warning, kConfig, L"TrayIconHint", L"HintName", kit.LineOf(kConfig, L"[TrayIconHint]"),
              L"missing key: the notification-area icon has no hint"},
             {Severity::Warning, kConfig, L"TrayIconHint", L"HintNme", line,
              L"unknown key, no program reads it; did you mean HintName?"}};
     }},
    {"a misspelt section hides its keys from every read",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"[TrayIconHint]", L"[TrayIconHnt]");
         return std::vector<Finding>{
             {Severity::Warning, kConfig, L"TrayIconHint", L"HintName", 0,
              L"missing key: the notification-area icon has no hint"},
             {Severity::Warning, kConfig, L"TrayIconHnt", L"", line,
              L"unknown section, no program reads it; did you mean [TrayIconHint]?"}};
     }},
    {"a repeated key of which only the first is read",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"RegionCut=", L"RegionCut=1\r\nRegionCut=0");
         return std::vector<Finding>{{Severity::Warning, kConfig, L"Skin", L"RegionCut", line + 1,
                                      L"key repeated: every read takes the one on line " + std::to_wstring(line)}};
     }},
    {"a start-up value longer than the panel's 31 characters",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"HintName=", L"HintName=Tonvio Control Panel for Headsets");
         return std::vector<Finding>{{Severity::Warning, kConfig, L"TrayIconHint", L"HintName", line,
                                      L"longer than 31 characters: the panel reads \"Tonvio Control Panel for Headse\""}};
     }},
    {"an install folder name Windows cannot create",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"InstallFolderName=", L"InstallFolderName=Tonvio: Audio");
         return std::vector<Finding>{
             {Severity::Error, kConfig, L"Install", L"InstallFolderName", line,
              L"\"Tonvio: Audio\" cannot be a path: it holds the character ':', which Windows refuses in names"}};
     }},
    {"a USB pattern shorter than the hardware IDs the panel looks at",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"1=USB\\", L"1=USB\\VID_4D2F&PID_48XX&REV_0100");
         return std::vector<Finding>{
             {Severity::Error, kConfig, L"USB_VID_PID", L"1", line,
              L"pattern \"USB\\VID_4D2F&PID_48XX&REV_0100\" can never match: the panel looks only at hardware IDs "
              L"of 36 characters (as \"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\"); this one has 30"}};
     }},
    {"a HID pattern without its bus",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"1=HID\\", L"1=VID_4D2F&PID_48XX&REV_0100&MI_03");
         return std::vector<Finding>{{Severity::Error, kConfig, L"HID_VID_PID", L"1", line,
                                      L"pattern \"VID_4D2F&PID_48XX&REV_0100&MI_03\" can never match: hardware IDs "
                                      L"of this kind begin with \"HID\\\""}};
     }},
    {"an [EncValueMap] value without a level",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"1=VID_4D2F&PID_4802", L"1=VID_4D2F&PID_4802");
         return std::vector<Finding>{{Severity::Warning, kConfig, L"EncValueMap", L"1", line,
                                      L"\"VID_4D2F&PID_4802\" has no level: Setup skips it"}};
     }},
    {"a language map entry without a language folder",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kConfig, L"German=Deutsch", L"German=Deutsch\r\nFrench=Fran\u00e7ais");
         return std::vector<Finding>{{Severity::Warning, kConfig, L"MultiLanguageFolderMap", L"French", line + 1,
                                      L"no language folder \"French\" in Language\\"}};
     }},
    {"a language folder without a language map entry",
     [](KitCopy& kit) {
         kit.rig.files.Put(std::wstring(kKit) + L"Language\\960x540\\Dutch\\Language.ini",
                           kit.rig.files.Get(std::wstring(kKit) + L"Language\\960x540\\English\\Language.ini"));
         return std::vector<Finding>{{Severity::Warning, L"Language\\960x540\\Dutch", L"", L"", 0,
                                      L"no [MultiLanguageFolderMap] entry: the panel's menu shows an empty item"}};
     }},
    {"a background picture Setup cannot find",
     [](KitCopy& kit) {
         kit.rig.files.RemoveFile(std::wstring(kKit) + L"Skin\\960x540\\SetupBackground.jpg");
         return std::vector<Finding>{{Severity::Error, kConfig, L"Install", L"InstallBackgroundFileName",
                                      kit.LineOf(kConfig, L"InstallBackgroundFileName="),
                                      L"\"SetupBackground.jpg\" is neither in the skins' resolution folders nor "
                                      L"beside Setup (screens: 960x540): Setup shows an error instead of its wizard"}};
     }},
    {"a slider geometry without travel",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kSkinSetting, L"EQSlider=", L"EQSlider=134,0");
         return std::vector<Finding>{{Severity::Error, kSkinSetting, L"EQ", L"EQSlider", line,
                                      L"slider travel is 0: the slider cannot move"}};
     }},
    {"an inverted slider geometry",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kSkinSetting, L"EQSlider=", L"EQSlider=134,-228");
         return std::vector<Finding>{{Severity::Error, kSkinSetting, L"EQ", L"EQSlider", line,
                                      L"slider travel -228 is inverted: the knob runs off its track"}};
     }},
    {"a geometry item that is no integer",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kSkinSetting, L"VirtualCenter=", L"VirtualCenter=352,232,15O");
         return std::vector<Finding>{
             {Severity::Error, kSkinSetting, L"Virtual7ch1", L"VirtualCenter", line,
              L"item \"15O\" is not an integer: it counts as 0"},
             {Severity::Error, kSkinSetting, L"Virtual7ch1", L"VirtualCenter", line,
              L"ring radius 0: the speakers collapse onto the centre"}};
     }},
    {"a geometry key missing",
     [](KitCopy& kit) {
         kit.ReplaceLine(kSkinSetting, L"VirtualCenter=", L"");
         return std::vector<Finding>{{Severity::Error, kSkinSetting, L"Virtual7ch1", L"VirtualCenter",
                                      kit.LineOf(kSkinSetting, L"[Virtual7ch1]"),
                                      L"missing key: its geometry reads as 0: the speaker ring has no radius"}};
     }},
    {"a picture named but absent",
     [](KitCopy& kit) {
         kit.rig.files.RemoveFile(std::wstring(kKit) + kSkin + L"close_up.png");
         return std::vector<Finding>{{Severity::Error, kSkinSetting, L"Main", L"CloseImageUp",
                                      kit.LineOf(kSkinSetting, L"CloseImageUp="),
                                      L"picture \"close_up.png\" is not in the skin folder: the control shows nothing"}};
     }},
    {"a picture that is not a picture",
     [](KitCopy& kit) {
         kit.rig.files.Put(std::wstring(kKit) + kSkin + L"close_up.png", "not a picture");
         return std::vector<Finding>{{Severity::Error, kSkinSetting, L"Main", L"CloseImageUp",
                                      kit.LineOf(kSkinSetting, L"CloseImageUp="),
                                      L"picture \"close_up.png\" is damaged: its header gives no size"}};
     }},
    {"a picture whose size differs from its control's",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kSkinSetting, L"CloseImageUp=", L"CloseImageUp=close_up.png,762,14,30,24");
         return std::vector<Finding>{{Severity::Warning, kSkinSetting, L"Main", L"CloseImageUp", line,
                                      L"picture \"close_up.png\" is 24 x 24, the skin places it at 30 x 24"}};
     }},
    {"a misspelt skin key",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kSkinSetting, L"CloseImageUp=", L"CloseImgUp=close_up.png,762,14,24,24");
         return std::vector<Finding>{
             {Severity::Warning, kSkinSetting, L"Main", L"CloseImageUp", kit.LineOf(kSkinSetting, L"[Main]"),
              L"missing key: the control is hidden"},
             {Severity::Warning, kSkinSetting, L"Main", L"CloseImgUp", line,
              L"unknown key, no program reads it; did you mean CloseImageUp?"}};
     }},
    {"a region file whose counts do not match its size",
     [](KitCopy& kit) {
         const std::wstring region = std::wstring(kKit) + kSkin + L"MainForm_Frame.rgn";
         const std::string bytes = kit.rig.files.Get(region);
         kit.rig.files.Put(region, bytes.substr(0, bytes.size() - 16));
         return std::vector<Finding>{{Severity::Error, kSkin + L"MainForm_Frame.rgn", L"", L"", 0,
                                      L"its header's counts do not match its size: the window gets no outline"}};
     }},
    {"a label colour out of range",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kEnglish1366, L"LabelMenu1=", L"LabelMenu1=Save,$1000000,,,,301,11,31,10");
         return std::vector<Finding>{{Severity::Warning, kEnglish1366, L"Main", L"LabelMenu1", line,
                                      L"colour \"$1000000\" is out of range ($000000 to $FFFFFF)"}};
     }},
    {"a label number that does not convert",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kEnglish1366, L"LabelMenu1=", L"LabelMenu1=Save,,,,,301,1l,31,10");
         return std::vector<Finding>{{Severity::Warning, kEnglish1366, L"Main", L"LabelMenu1", line,
                                      L"item \"1l\" does not convert: the label ignores it"}};
     }},
    {"a label text longer than the reader keeps",
     [](KitCopy& kit) {
         const std::wstring text(130, L'x');
         const int line = kit.ReplaceLine(kEnglish1366, L"LabelMenu1=", L"LabelMenu1=" + text);
         return std::vector<Finding>{{Severity::Warning, kEnglish1366, L"Main", L"LabelMenu1", line,
                                      L"text longer than 127 characters: the label shows \"" + text.substr(0, 127) +
                                          L"\""}};
     }},
    {"an installer label item that is no integer",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(kEnglish, L"LabelSelectLang=", L"LabelSelectLang=Choose,red");
         return std::vector<Finding>{{Severity::Error, kEnglish, L"Setup", L"LabelSelectLang", line,
                                      L"item \"red\" is not an integer: Setup shows a conversion error and skips the "
                                      L"rest of its texts and options"}};
     }},
    {"a factory profile whose preset lacks gains",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(L"DefaultProfile.ini", L"S2=", L"S2=0x700,0x580");
         return std::vector<Finding>{{Severity::Error, L"DefaultProfile.ini", L"EQ", L"S2", line,
                                      L"\"0x700,0x580\" holds 2 items, not 6"}};
     }},
    {"a factory profile whose required value is no integer",
     [](KitCopy& kit) {
         const int line = kit.ReplaceLine(L"DefaultProfile.ini", L"S3=", L"S3=0x300,0x400,0x580,0x580,0xG00,1");
         return std::vector<Finding>{{Severity::Error, L"DefaultProfile.ini", L"EQ", L"S3", line,
                                      L"\"0xG00\" is not an integer: the profile read stops here"}};
     }},
    {"a factory profile without a required key",
     [](KitCopy& kit) {
         kit.ReplaceLine(L"DefaultProfile.ini", L"CurrentEffect=", L"");
         return std::vector<Finding>{{Severity::Error, L"DefaultProfile.ini", L"Effect", L"CurrentEffect",
                                      kit.LineOf(L"DefaultProfile.ini", L"[Effect]"),
                                      L"missing key: the profile read stops here and the settings after it are not "
                                      L"applied"}};
     }},
};

class KitCheckBrokenTest : public ::testing::TestWithParam<BrokenKit> {};

} // namespace

TEST_P(KitCheckBrokenTest, GivesExactlyItsFinding)
{
    KitCopy kit;
    const std::vector<Finding> expected = GetParam().Break(kit);
    const std::vector<Finding> found = kit.Check();
    EXPECT_EQ(found, expected) << "found:\n" << Describe(found) << "expected:\n" << Describe(expected);
}

INSTANTIATE_TEST_SUITE_P(OneMistakeEach, KitCheckBrokenTest, ::testing::ValuesIn(kBrokenKits),
                         [](const ::testing::TestParamInfo<BrokenKit>& param) {
                             std::string name;
                             for (const char c : std::string(param.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(KitCheckCommandTest, ExitCodesSummaryStrictAndJson)
{
    KitCopy kit;
    const auto run = [&kit](std::vector<std::wstring> arguments) {
        return kitcheck::RunKitCheckCommand(arguments, kit.rig.files, kit.rig.profile);
    };
    kitcheck::CommandResult clean = run({kKit});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.output, "kit check: 0 errors, 0 warnings, 0 notes\n");

    kit.ReplaceLine(kSkinSetting, L"CloseImageUp=", L"CloseImageUp=close_up.png,762,14,30,24");
    const kitcheck::CommandResult warned = run({kKit});
    EXPECT_EQ(warned.exitCode, 1);
    EXPECT_EQ(warned.output, "Skin\\1366x768\\Ember\\SkinSetting.ini:6: warning: [Main] CloseImageUp: picture "
                             "\"close_up.png\" is 24 x 24, the skin places it at 30 x 24\n"
                             "kit check: 0 errors, 1 warning, 0 notes\n");
    const kitcheck::CommandResult strict = run({L"--strict", kKit});
    EXPECT_EQ(strict.exitCode, 2);
    EXPECT_NE(strict.output.find(":6: error: [Main] CloseImageUp"), std::string::npos) << strict.output;
    EXPECT_NE(strict.output.find("kit check: 1 error, 0 warnings, 0 notes"), std::string::npos);

    const kitcheck::CommandResult json = run({L"--json", kKit});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_NE(json.output.find("{\"severity\": \"warning\", \"file\": \"Skin\\\\1366x768\\\\Ember\\\\SkinSetting.ini\", "
                               "\"section\": \"Main\", \"key\": \"CloseImageUp\", \"line\": 6, \"message\": \"picture "
                               "\\\"close_up.png\\\" is 24 x 24, the skin places it at 30 x 24\"}"),
              std::string::npos)
        << json.output;
    EXPECT_NE(json.output.find("\"errors\": 0,\n  \"warnings\": 1,\n  \"notes\": 0,\n  \"exitCode\": 1\n}"),
              std::string::npos)
        << json.output;

    const kitcheck::CommandResult missing = run({L"C:\\Nowhere"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("(kit): error: the kit folder \"C:\\Nowhere\" does not exist"), std::string::npos)
        << missing.output;
    const kitcheck::CommandResult usage = run({L"--fast", kKit});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.errors.find("unknown option --fast"), std::string::npos);
}
