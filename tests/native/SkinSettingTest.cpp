#include "panel/skin/RegionFile.h"
#include "panel/skin/SkinFolders.h"
#include "panel/skin/SkinKeys.h"
#include "panel/skin/SkinSetting.h"

#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using panel::SkinImageEntry;

constexpr wchar_t kProgramFolder[] = L"C:\\Program Files\\Tonvio\\";
constexpr wchar_t kSettingPath[] = L"C:\\Program Files\\Tonvio\\Skin\\1366x768\\Graphite\\SkinSetting.ini";

class SkinSettingTest : public ::testing::Test {
protected:
    panel::SkinSetting Load(const std::string& ini, bool oldStyle = false)
    {
        rig.files.Put(kSettingPath, ini);
        panel::SkinSetting skin;
        panel::LoadSkinSetting(rig.profile, kSettingPath, oldStyle, skin);
        return skin;
    }

    memory::MemoryPlatform rig;
};

panel::GivenValue<int> Given(int value)
{
    return {value, true};
}

} // namespace

TEST(SkinResolution, ThresholdsBelongToTheSmallerFolder)
{
    const struct {
        long width, height;
        const wchar_t* folder;
    } cases[] = {
        {2560, 1440, L"1920x1080\\"},
        {1920, 1081, L"1920x1080\\"},
        {1920, 1080, L"1366x768\\"},
        {1366, 769, L"1366x768\\"},
        {1366, 768, L"960x540\\"},
        {1280, 720, L"960x540\\"},
        {961, 540, L"960x540\\"},
        {960, 540, L""},
        {800, 600, L""},
        // A product of two large sizes must not wrap around.
        {70000, 70000, L"1920x1080\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel::ChooseResolutionFolder(c.width, c.height), c.folder) << c.width << "x" << c.height;
}

TEST(SkinResolution, FolderIsDroppedWhenTheSkinIsNotThere)
{
    memory::MemoryPlatform rig;
    rig.files.Put(kSettingPath, "[Main]\r\n");
    EXPECT_EQ(panel::CheckedResolutionFolder(rig.files, kProgramFolder, L"Skin", L"1366x768\\", L"Graphite"),
              L"1366x768\\");
    EXPECT_EQ(panel::CheckedResolutionFolder(rig.files, kProgramFolder, L"Skin", L"1920x1080\\", L"Graphite"), L"");
    EXPECT_EQ(panel::CheckedResolutionFolder(rig.files, kProgramFolder, L"Skin", L"1366x768\\", L"Ember"), L"");
}

TEST(SkinResolution, OldStyleLayoutFollowsTheVersionKey)
{
    memory::MemoryPlatform rig;
    const std::wstring config = L"C:\\App\\AudioConfig.cfg";
    EXPECT_FALSE(panel::ReadOldStyleLayout(rig.profile, config));
    rig.files.Put(config, "[Version]\r\nOldVersion=1\r\n");
    EXPECT_TRUE(panel::ReadOldStyleLayout(rig.profile, config));
    rig.files.Put(config, "[Version]\r\nOldVersion=0x1\r\n"); // leading digits: "0"
    EXPECT_FALSE(panel::ReadOldStyleLayout(rig.profile, config));
}

TEST(SkinImageValue, ItemsFillOnlyWhatTheyGive)
{
    const std::wstring longName(70, L'n');
    const struct {
        const wchar_t* value;
        SkinImageEntry expected;
    } cases[] = {
        {L"close_up.bmp,10,20", {L"close_up.bmp", Given(10), Given(20), {}, {}, 1}},
        {L"x.bmp,,,30,40", {L"x.bmp", {}, {}, Given(30), Given(40), 1}},
        {L"x.bmp,1,2,3,4,0,99", {L"x.bmp", Given(1), Given(2), Given(3), Given(4), 0}},
        {L"x.bmp,-5,12px,,,6", {L"x.bmp", Given(-5), Given(12), {}, {}, 6}},
        {L"x.bmp,abc", {L"x.bmp", Given(0), {}, {}, {}, 1}},
        {L"", {L"", {}, {}, {}, {}, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel::ParseSkinImageValue(c.value, 1), c.expected)
            << std::string(c.value, c.value + wcslen(c.value));

    EXPECT_EQ(panel::ParseSkinImageValue(longName + L",1", 0).fileName, longName.substr(0, 63));
}

TEST(SkinKeyTable, EverySectionKeyPairIsReadOnce)
{
    std::set<std::pair<std::wstring, std::wstring>> seen;
    for (const panel::SkinKey& key : panel::SkinKeys())
        EXPECT_TRUE(seen.emplace(key.section, key.key).second) << "twice: " << key.key;
}

TEST_F(SkinSettingTest, PageImagesMoveInTheOldLayoutAndMainImagesStay)
{
    const std::string ini =
        "[Main]\r\nMainFormImage=main.bmp,0,0\r\n"
        "[EQ]\r\nBack_EQImage=eq.bmp,0,0\r\nEQ60HzBarDownImage=down.bmp,5,6\r\nEQS1ImageUp=s1.bmp\r\n";
    const panel::SkinSetting fresh = Load(ini);
    EXPECT_EQ(fresh.Image(L"EQ", L"Back_EQImage").left, Given(0));

    const panel::SkinSetting old = Load(ini, true);
    EXPECT_EQ(old.Image(L"Main", L"MainFormImage").left, Given(0));
    EXPECT_EQ(old.Image(L"EQ", L"Back_EQImage").left, Given(392));
    EXPECT_EQ(old.Image(L"EQ", L"Back_EQImage").top, Given(104));
    // A lower track's default page is 0, so it stays where it is given.
    EXPECT_EQ(old.Image(L"EQ", L"EQ60HzBarDownImage").left, Given(5));
    EXPECT_EQ(old.Image(L"EQ", L"EQ60HzBarDownImage").page, 0);
    // Nothing given, nothing moved.
    EXPECT_FALSE(old.Image(L"EQ", L"EQS1ImageUp").left.given);
    EXPECT_EQ(old.Image(L"EQ", L"EQS1ImageUp").page, 1);
}

TEST_F(SkinSettingTest, OldLayoutOffsetsStopAtTheLimitsOfAnInt)
{
    // Found by fuzzing: the offsets overflowed for positions near the limits.
    const panel::SkinSetting old = Load("[EQ]\r\nBack_EQImage=eq.bmp,2147483647,2147483600\r\n"
                                        "EQSlider=2147483647,1\r\n[Mic]\r\nMicSlider=-2147483648,1\r\n"
                                        "[Virtual7ch1]\r\nVirtualCenter=2147483647,2147483647,3\r\n",
                                        true);
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(old.Image(L"EQ", L"Back_EQImage").left, Given(kMax));
    EXPECT_EQ(old.Image(L"EQ", L"Back_EQImage").top, Given(kMax));
    EXPECT_EQ(old.eqSlider, (panel::SliderGeometry{kMax, 1}));
    EXPECT_EQ(old.micSlider, (panel::SliderGeometry{std::numeric_limits<int>::min() + 52, 1}));
    EXPECT_EQ(old.ring, (panel::RingGeometry{kMax, kMax, 3}));
}

TEST_F(SkinSettingTest, SameKeyInTwoSectionsKeepsTwoEntries)
{
    const panel::SkinSetting skin = Load("[Main]\r\nLogoImage=brand.png,10,8\r\n[About]\r\nLogoImage=about.png\r\n");
    EXPECT_EQ(skin.Image(L"Main", L"LogoImage").fileName, L"brand.png");
    EXPECT_EQ(skin.Image(L"About", L"LogoImage").fileName, L"about.png");
    EXPECT_TRUE(skin.Image(L"Main", L"NoSuchImage").Absent());
}

TEST_F(SkinSettingTest, GeometryKeys)
{
    const panel::SkinSetting skin = Load("[Main]\r\nBevelLine=1\r\nBevelLine2=0\r\n"
                                         "[EQ]\r\nEQSlider=100,200\r\n"
                                         "[Mic]\r\nMicSlider=80,x\r\nMicProgressLength=180\r\n"
                                         "[Virtual7ch1]\r\nVirtualCenter=300,200,120\r\n"
                                         "[LED]\r\nLEDPageMode=1\r\nColor03Shape=10,20,30,40,5\r\n");
    EXPECT_TRUE(skin.bevelLine);
    EXPECT_FALSE(skin.bevelLine2);
    EXPECT_EQ(skin.eqSlider, (panel::SliderGeometry{100, 200}));
    EXPECT_EQ(skin.micSlider, (panel::SliderGeometry{80, 0})); // an invalid item counts as 0
    EXPECT_EQ(skin.micProgressLength, 180);
    EXPECT_EQ(skin.ring, (panel::RingGeometry{300, 200, 120}));
    EXPECT_EQ(skin.ledPageMode, 1);
    EXPECT_EQ(skin.ledFastRightSide, 0);
    EXPECT_FALSE(skin.encSlider.has_value());

    const panel::SwatchSetting* placed = skin.Swatch(L"Color03Shape");
    ASSERT_NE(placed, nullptr);
    EXPECT_TRUE(placed->placed);
    EXPECT_EQ(std::vector<int>({placed->left, placed->top, placed->width, placed->height, placed->shape}),
              std::vector<int>({10, 20, 30, 40, 5}));
    EXPECT_FALSE(skin.Swatch(L"Color01Shape")->placed);

    const panel::SkinSetting old = Load("[EQ]\r\nEQSlider=100,200\r\n[Mic]\r\nMicSlider=80,100\r\n"
                                        "[Virtual7ch1]\r\nVirtualCenter=300,200,120\r\n[ENC]\r\nENCSlider=90,150\r\n",
                                        true);
    EXPECT_EQ(old.eqSlider.top, 152);
    EXPECT_EQ(old.micSlider.top, 132);
    EXPECT_EQ(old.ring, (panel::RingGeometry{496, 252, 120}));
    EXPECT_EQ(old.encSlider, (panel::SliderGeometry{90, 150}));
}

TEST_F(SkinSettingTest, ReloadClearsEntriesResetsSwatchesAndRemembersTheRadius)
{
    panel::SkinSetting skin;
    rig.files.Put(kSettingPath, "[EQ]\r\nBack_EQImage=eq.bmp\r\n[Virtual7ch1]\r\nVirtualCenter=1,2,100\r\n");
    panel::LoadSkinSetting(rig.profile, kSettingPath, false, skin);
    skin.swatches[0].colour = 0x123456; // the user picked a colour
    ASSERT_EQ(skin.Swatch(L"Color01Shape"), &skin.swatches[0]);

    const std::wstring other = L"C:\\Program Files\\Tonvio\\Skin\\1366x768\\Ember\\SkinSetting.ini";
    rig.files.Put(other, "[Virtual7ch1]\r\nVirtualCenter=1,2,150\r\n");
    panel::LoadSkinSetting(rig.profile, other, false, skin);
    EXPECT_TRUE(skin.Image(L"EQ", L"Back_EQImage").Absent());
    EXPECT_EQ(skin.ring.radius, 150);
    EXPECT_EQ(skin.previousRadius, 100);

    const std::vector<std::pair<const wchar_t*, std::uint32_t>> expected = {
        {L"Color01Shape", 0x0000FF}, {L"Color02Shape", 0xFFFF00},     {L"Color03Shape", 0x00FFFF},
        {L"Color04Shape", 0xFFFFFF}, {L"Color05Shape", 0x00FF00},     {L"Color06Shape", 0xFF0000},
        {L"Color07Shape", 0xFF00FF}, {L"ColorSingleShape", 0x0000FF}, {L"ColorBreatheShape", 0x0000FF},
    };
    ASSERT_EQ(skin.swatches.size(), expected.size());
    for (const auto& [name, colour] : expected)
        EXPECT_EQ(skin.Swatch(name)->colour, colour);
}

TEST_F(SkinSettingTest, MissingFileHidesEverythingAndZeroesGeometry)
{
    panel::SkinSetting skin;
    panel::LoadSkinSetting(rig.profile, L"C:\\nowhere\\SkinSetting.ini", false, skin);
    EXPECT_EQ(skin.images.size(), std::count_if(panel::SkinKeys().begin(), panel::SkinKeys().end(),
                                                [](const auto& k) { return k.kind == panel::SkinKeyKind::Image; }));
    for (const auto& image : skin.images)
        EXPECT_TRUE(image.entry.Absent()) << image.entry.fileName.size();
    EXPECT_EQ(skin.eqSlider, panel::SliderGeometry{});
    EXPECT_EQ(skin.ring, panel::RingGeometry{});
    EXPECT_FALSE(skin.bevelLine);
}

TEST_F(SkinSettingTest, LongValuesAreCutAt255Characters)
{
    // The sixth item lies beyond the 255 characters the reader takes, so the default page stays.
    const std::string name(250, 'a');
    const panel::SkinSetting skin = Load("[EQ]\r\nBack_EQImage=" + name + ",1,2,3,4,0\r\n");
    const SkinImageEntry& entry = skin.Image(L"EQ", L"Back_EQImage");
    EXPECT_EQ(entry.fileName.size(), 63u);
    EXPECT_EQ(entry.left, Given(1));
    EXPECT_EQ(entry.page, 1);
}

namespace {

std::vector<std::uint8_t> RegionBytes(std::uint32_t headerSize, std::uint32_t type, std::uint32_t count,
                                      std::uint32_t rectBytes, std::size_t rectanglesWritten)
{
    std::vector<std::uint8_t> bytes;
    const auto put = [&bytes](std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    };
    put(headerSize);
    put(type);
    put(count);
    put(rectBytes);
    put(0);
    put(0);
    put(640);
    put(0xFFFFFFFF); // -1: signed fields
    for (std::size_t i = 0; i < rectanglesWritten * 4; ++i)
        put(static_cast<std::uint32_t>(i));
    return bytes;
}

} // namespace

TEST(RegionFile, HeaderMustMatchTheFile)
{
    const auto good = panel::ReadRegionHeader(RegionBytes(32, 1, 3, 48, 3));
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->count, 3u);
    EXPECT_EQ(good->bounds.right, 640);
    EXPECT_EQ(good->bounds.bottom, -1);
    EXPECT_TRUE(panel::ReadRegionHeader(RegionBytes(32, 1, 3, 0, 3)).has_value()); // size "not known"

    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } bad[] = {
        {"header size", RegionBytes(40, 1, 3, 48, 3)},        {"type", RegionBytes(32, 2, 3, 48, 3)},
        {"rectangle bytes", RegionBytes(32, 1, 3, 32, 3)},    {"truncated rectangles", RegionBytes(32, 1, 3, 48, 2)},
        {"huge count", RegionBytes(32, 1, 0x10000000, 0, 1)}, {"short header", std::vector<std::uint8_t>(31, 0)},
    };
    for (const auto& b : bad)
        EXPECT_FALSE(panel::ReadRegionHeader(b.bytes).has_value()) << b.what;
}

namespace {

TEST_F(SkinSettingTest, AboutColourIsAColourValueOrNone)
{
    const struct {
        const char* line;
        std::optional<std::uint32_t> colour;
    } cases[] = {
        {"Color=$302820", 0x302820u}, {"Color=16777215", 0xFFFFFFu}, {"Color= $00FF00 ", 0x00FF00u},
        {"Color=", std::nullopt},     {"Color=dark", std::nullopt},  {"Color=-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Load(std::string("[About]\r\n") + c.line + "\r\n").aboutColour, c.colour) << c.line;
    // A reload without the key forgets the colour of the skin before.
    Load("[About]\r\nColor=$302820\r\n");
    EXPECT_EQ(Load("[About]\r\n").aboutColour, std::nullopt);
}

} // namespace
