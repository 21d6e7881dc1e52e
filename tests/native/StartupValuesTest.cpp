#include "panel/shell/StartupValues.h"

#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr wchar_t kConfigPath[] = L"C:\\Program Files\\Tonvio\\AudioConfig.cfg";

class StartupValuesTest : public ::testing::Test {
protected:
    void Config(const std::string& text) { rig.files.Put(kConfigPath, text); }
    shell::StartupValues Read() const { return shell::ReadStartupValues(rig.profile, kConfigPath); }

    memory::MemoryPlatform rig;
};

// One line under each of the integer keys: what each reads as, by its leading digits.
TEST_F(StartupValuesTest, IntegerKeysCountByTheirLeadingDigits)
{
    const struct {
        const char* value;
        int expected;
    } cases[] = {
        {"7", 7},        {"+7", 7},     {"-2", -2},
        {"3 (GPIO)", 3}, {"12abc", 12}, {"0x10", 0},
        {"on", 0},       {"-", 0},      {"  5", 5}, // blanks around a value belong to the line
        {"1.5", 1},      {"007", 7},    {"99999999999", 2147483647},
    };
    for (const auto& c : cases) {
        const std::string value = c.value;
        Config("[Version]\r\nOldVersion=" + value + "\r\nDefaultIni=" + value + "\r\nBee=" + value +
               "\r\n[Mic]\r\nMonitor=" + value + "\r\n[DefaultSet]\r\nEncButtonMode=" + value + "\r\nEncGpio=" + value +
               "\r\n3DV7ch1MutuallyExclusive=" + value + "\r\nV7ch1Scalar=" + value + "\r\n");
        const shell::StartupValues values = Read();
        SCOPED_TRACE(value);
        EXPECT_EQ(values.oldVersion, c.expected);
        EXPECT_EQ(values.defaultIni, c.expected);
        EXPECT_EQ(values.bee, c.expected);
        EXPECT_EQ(values.micMonitor, c.expected);
        EXPECT_EQ(values.encButtonMode, c.expected);
        EXPECT_EQ(values.encGpio, c.expected);
        EXPECT_EQ(values.exclusive3DV7ch1, c.expected);
        EXPECT_FLOAT_EQ(values.v7ch1Scalar, static_cast<float>(c.expected * 0.1));
    }
}

// Missing and empty keys keep the defaults; a present value without digits is 0, not the default.
TEST_F(StartupValuesTest, MissingOrEmptyKeysKeepTheDefaults)
{
    Config("[Mic]\r\nMonitor=\r\n[DefaultSet]\r\nEncGpio=3\r\n");
    shell::StartupValues values = Read();
    EXPECT_EQ(values.micMonitor, 1);
    EXPECT_FLOAT_EQ(values.v7ch1Scalar, 2.0f);
    EXPECT_EQ(values.encGpio, 3);
    EXPECT_EQ(values.encButtonMode, 0);

    Config("[Mic]\r\nMonitor=off\r\n[DefaultSet]\r\nV7ch1Scalar=none\r\n");
    values = Read();
    EXPECT_EQ(values.micMonitor, 0);
    EXPECT_FLOAT_EQ(values.v7ch1Scalar, 0.0f);
}

TEST_F(StartupValuesTest, ScalarIsTenthsOfItsLeadingDigits)
{
    Config("[DefaultSet]\r\nV7ch1Scalar=15 tenths\r\n");
    EXPECT_FLOAT_EQ(Read().v7ch1Scalar, 1.5f);
}

// Values are read into room for 31 characters: digits beyond that are not seen.
TEST_F(StartupValuesTest, OnlyTheFirst31CharactersCount)
{
    Config("[Mic]\r\nMonitor=" + std::string(31, '0') + "9\r\n");
    EXPECT_EQ(Read().micMonitor, 0);
}

TEST_F(StartupValuesTest, PluginKeysCountByTheirLeadingDigits)
{
    Config("[Application]\r\nEqualizer=1 (shown)\r\nMixer=0 hidden\r\nRecorder=yes\r\nTuner=-1\r\nEmpty=\r\n");
    EXPECT_TRUE(shell::PluginOffered(rig.profile, kConfigPath, L"Equalizer"));
    EXPECT_FALSE(shell::PluginOffered(rig.profile, kConfigPath, L"Mixer"));
    EXPECT_FALSE(shell::PluginOffered(rig.profile, kConfigPath, L"Recorder"));
    EXPECT_TRUE(shell::PluginOffered(rig.profile, kConfigPath, L"Tuner"));
    EXPECT_FALSE(shell::PluginOffered(rig.profile, kConfigPath, L"Empty"));
    EXPECT_FALSE(shell::PluginOffered(rig.profile, kConfigPath, L"Missing"));
}

// "RegionCut" alone must be a whole number; anything else is 0.
TEST_F(StartupValuesTest, RegionCutMustBeAWholeNumber)
{
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"1", 1}, {"-3", -3}, {"1 (on)", 0}, {"1x", 0}, {"yes", 0}, {"", 0}};
    for (const auto& c : cases) {
        Config(std::string("[Skin]\r\nRegionCut=") + c.value + "\r\n");
        EXPECT_EQ(shell::ReadRegionCut(rig.profile, kConfigPath), c.expected) << c.value;
    }
}

} // namespace
