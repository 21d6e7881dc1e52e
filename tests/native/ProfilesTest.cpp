// Sound profiles against the feature models on the emulated chip: the file as written, what a read
// restores and what it leaves, where a read stops, the one-step replace, and the Save and Load rules.

#include "sound/Profiles.h"

#include "FeatureDeviceRig.h"
#include "sound/SoundFeatures.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

constexpr sound::SpeakerRing kRing{200, 150, 100};
const std::wstring kFolder = L"C:\\Users\\Ann\\Tonvio";
const std::wstring kProfile = kFolder + L"\\Evening.ini";
const std::wstring kConfig = L"C:\\Program Files\\Tonvio\\AudioConfig.cfg";

class ProfilesTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    ProfilesTest()
    {
        platform.files.CreateFolder(kFolder);
        platform.files.CreateFolder(L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio");
        platform.files.Put(kConfig, "[Version]\r\nDefaultIni=1\r\n");
        Initialise(features);
    }

    static void Initialise(sound::SoundFeatures& f)
    {
        f.equalizer.Initialise(100);
        f.sound3D.Initialise(100);
        f.virtual71.InitialiseRing(kRing, sound::DefaultSpeakerRing(kRing));
        f.profiles.SetLocations({L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\DefaultProfile.ini",
                                 L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\LastProfile.ini", kFolder, kConfig});
    }

    // The keys of a profile file in their order, as "[Section]Key".
    std::vector<std::string> KeysOf(const std::wstring& path)
    {
        const std::string text = platform.files.Get(path);
        std::vector<std::string> keys;
        std::string section;
        const std::regex line(R"(([^\r\n]*)\r\n)");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it) {
            const std::string content = (*it)[1];
            if (content.starts_with("["))
                section = content;
            else
                keys.push_back(section + content.substr(0, content.find('=')));
        }
        return keys;
    }

    void PutProfile(const std::string& text) { platform.files.Put(kProfile, text); }

    sound::SoundFeatures features{featureDevice, audio};
};

// A whole profile as the writer leaves it for the start-up state.
const std::string kFlatProfile = "[EQ]\r\n"
                                 "S1=0x400,0x400,0x400,0x400,0x400,0\r\n"
                                 "S2=0x400,0x400,0x400,0x400,0x400,0\r\n"
                                 "S3=0x400,0x400,0x400,0x400,0x400,0\r\n"
                                 "S4=0x400,0x400,0x400,0x400,0x400,0\r\n"
                                 "EQEN=0\r\nEQFromEEPROM=0\r\n"
                                 "[3D]\r\nLeftAlpha=10\r\nLeftBeta=3\r\nRightAlpha=10\r\nRightBeta=3\r\nFBM=1\r\n"
                                 "3DEN=0\r\n3DFromEEPROM=0\r\n"
                                 "[Effect]\r\nCurrentEffect=1\r\n"
                                 "[Virtual7ch1]\r\nC=200,70\r\nL=143,93\r\nLS=120,150\r\nLB=143,206\r\n"
                                 "RB=256,206\r\nRS=280,150\r\nSUB=200,100\r\nR=256,93\r\n7ch1EN=0\r\n"
                                 "[LED]\r\nLEDON=0\r\nLEDPageMode=0\r\nLEDOff=0\r\nLEDSingleColor=0\r\nLEDEffectMode=0\r\n"
                                 "LEDBreatheSpeed=1\r\nLEDRainbowSpeed=1\r\nLEDMultiBreatheSpeed=1\r\n"
                                 "LEDBreatheSliderPos=0\r\nLEDRainbowSliderPos=0\r\nLEDMultiBreatheSliderPos=0\r\n"
                                 "LEDSingleColorRGB=0\r\nLEDBreatheColorRGB=0\r\nLEDColor1RGB=0\r\nLEDColor2RGB=0\r\n"
                                 "LEDColor3RGB=0\r\nLEDColor4RGB=0\r\nLEDColor5RGB=0\r\nLEDColor6RGB=0\r\n"
                                 "LEDColor7RGB=0\r\nLEDFastRightSide=0\r\n"
                                 "[ENC]\r\nENCEN=0\r\nENCValue=0\r\n"
                                 "[VoiceMagic]\r\nVoiceMagicEN=0\r\nVoiceMagicMode=0\r\n";

TEST_F(ProfilesTest, WriterKeepsTheKeyOrderAndFormatsAndNeverTouchesTheChip)
{
    ASSERT_TRUE(features.profiles.WriteProfile(kProfile));
    EXPECT_EQ(platform.files.Get(kProfile), kFlatProfile);
    EXPECT_TRUE(SdkCalls().empty()) << "the preset walk of a write reached the device";
    EXPECT_FALSE(platform.files.FileExists(kProfile + L".partial"));
}
TEST_F(ProfilesTest, ReadBackRestoresTheSoundSetupButNotWhatIsOnlyWritten)
{
    // A set-up unlike the start-up one: S2 shaped and in use, EQ on, virtual 7.1 on with C moved, the
    // Theater effect, the LED line on, 3D values moved.
    const std::wstring s2[] = {L"0x9FF", L"0x300", L"0x400", L"0x500", L"0x200", L"1"};
    ASSERT_TRUE(features.equalizer.ApplyPresetFields(s2, 1, 1));
    features.equalizer.ChoosePreset(2);
    features.virtual71.SwitchedByButton(1);
    features.virtual71.SpeakerMoved(2, 200, 90);
    features.effectsAndMic.SelectEffect(2);
    features.led.SetLineOn(1);
    features.led.ReadKeys([](const wchar_t* key) -> std::wstring {
        const std::wstring name = key;
        return name == L"LEDEffectMode" ? L"2" : name == L"LEDColor3RGB" ? L"65280" : L"";
    });
    features.sound3D.MoveSlider(sound::D3Slider::LeftAlpha, sound::kD3SliderTop);
    ASSERT_TRUE(features.profiles.WriteProfile(kProfile));

    state.synchronization = true;
    sound::SoundFeatures fresh(featureDevice, audio);
    Initialise(fresh);
    const sound::ProfileReadResult result = fresh.profiles.ReadProfile(kProfile);
    ASSERT_TRUE(result.complete) << result.key;

    EXPECT_EQ(fresh.equalizer.Image().Slot(1)[0], features.equalizer.Image().Slot(1)[0]);
    EXPECT_TRUE(std::ranges::equal(fresh.equalizer.Image().Slot(1), features.equalizer.Image().Slot(1)));
    EXPECT_EQ(fresh.equalizer.Enabled(), 1);
    EXPECT_EQ(fresh.virtual71.Enabled(), 1);
    EXPECT_EQ(fresh.virtual71.ProfileSwitch(), 1);
    EXPECT_EQ(fresh.virtual71.Positions(), features.virtual71.Positions());
    EXPECT_EQ(fresh.effectsAndMic.SelectedEffect(), 2);
    EXPECT_EQ(fresh.led.LineOn(), 1);
    EXPECT_EQ(fresh.led.Settings().effectMode, 2);
    EXPECT_EQ(fresh.led.Settings().palette[2], 65280u);
    EXPECT_EQ(fresh.profiles.RememberedPath(), kProfile);
    // 3D values are written for the record only: a read leaves the start-up ones.
    EXPECT_NE(features.sound3D.Record(), fresh.sound3D.Record());
    EXPECT_EQ(fresh.sound3D.Record(), sound::SoundFeatures(featureDevice, audio).sound3D.Record());
    // The device got the layout and the switch.
    EXPECT_EQ(Sound(&emulator::SoundState::virtualOn), 1);
}

TEST_F(ProfilesTest, ReadStopsAtAMissingOrMalformedRequiredValueKeepingWhatCameBefore)
{
    struct Case {
        const char* from;
        const char* to;
        const wchar_t* section;
        const wchar_t* key;
    };
    const Case cases[] = {
        {"S3=0x400,0x400,0x400,0x400,0x400,0\r\n", "S3=0x400,0x400,zero,0x400,0x400,0\r\n", L"EQ", L"S3"},
        {"S4=0x400,0x400,0x400,0x400,0x400,0\r\n", "S4=0x400,0x400,0x400,0x400,0x400\r\n", L"EQ", L"S4"},
        {"7ch1EN=0\r\n", "7ch1EN=\r\n", L"Virtual7ch1", L"7ch1EN"},
        {"CurrentEffect=4\r\n", "", L"Effect", L"CurrentEffect"},
        {"L=143,93\r\n", "L=143\r\n", L"Virtual7ch1", L"L"},
        {"RB=256,206\r\n", "RB=256,x\r\n", L"Virtual7ch1", L"RB"},
    };
    for (const Case& c : cases) {
        // EQ enabled and the effect tell how far the read got.
        std::string text = kFlatProfile;
        text.replace(text.find("EQEN=0"), 6, "EQEN=1");
        text.replace(text.find("CurrentEffect=1"), 15, "CurrentEffect=4");
        text.replace(text.find(c.from), std::string(c.from).size(), c.to);
        PutProfile(text);
        sound::SoundFeatures fresh(featureDevice, audio);
        Initialise(fresh);
        const sound::ProfileReadResult result = fresh.profiles.ReadProfile(kProfile);
        SCOPED_TRACE(c.key);
        EXPECT_FALSE(result.complete);
        EXPECT_EQ(result.section, c.section);
        EXPECT_EQ(result.key, c.key);
        const bool pastPresets = result.section != L"EQ";
        EXPECT_EQ(fresh.equalizer.Enabled(), pastPresets ? 1 : 0);
        const bool pastEffect = result.key == L"L" || result.key == L"RB";
        EXPECT_EQ(fresh.effectsAndMic.SelectedEffect(), pastEffect ? 4 : 1);
        EXPECT_TRUE(fresh.profiles.RememberedPath().empty()) << "a stopped read is not remembered";
    }
}

TEST_F(ProfilesTest, EmptyValuesFollowTheirRules)
{
    std::string text = kFlatProfile;
    text.replace(text.find("EQEN=0"), 6, "EQEN=");
    text.replace(text.find("LEDON=0"), 7, "LEDON=");
    PutProfile(text);
    features.equalizer.SetEnabledFromProfile(1);
    features.led.SetLineOn(1);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(features.equalizer.Enabled(), 0) << "an empty EQEN reads as 0";
    EXPECT_EQ(features.led.LineOn(), 1) << "an empty LEDON keeps the setting";

    // Without an LED section at all the LED settings stay too.
    text.erase(text.find("[LED]"), text.find("[ENC]") - text.find("[LED]"));
    PutProfile(text);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(features.led.LineOn(), 1);
}

TEST_F(ProfilesTest, ExclusionLoadsThreeDOffWhenVirtualIsOn)
{
    std::string text = kFlatProfile;
    text.replace(text.find("3DEN=0"), 6, "3DEN=1");
    text.replace(text.find("7ch1EN=0"), 8, "7ch1EN=1");
    PutProfile(text);
    features.sound3D.SetExclusiveWithVirtual(true);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(features.sound3D.Enabled(), 0);
    EXPECT_EQ(Sound(&emulator::SoundState::threeDEnabled), 0);

    features.sound3D.SetExclusiveWithVirtual(false);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(features.sound3D.Enabled(), 1);
}

TEST_F(ProfilesTest, FlatPresetWithItsSwitchOnStillSwitchesTheDeviceEqualizerOff)
{
    std::string text = kFlatProfile;
    text.replace(text.find("S1=0x400,0x400,0x400,0x400,0x400,0"), 34, "S1=0x500,0x400,0x400,0x400,0x400,1");
    text.replace(text.find("S3=0x400,0x400,0x400,0x400,0x400,0"), 34, "S3=0x400,0x400,0x400,0x400,0x400,1");
    text.replace(text.find("EQEN=0"), 6, "EQEN=1");
    PutProfile(text);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(Sound(&emulator::SoundState::eqEnabled), 1);
    features.equalizer.ChoosePreset(3);
    EXPECT_EQ(features.equalizer.Enabled(), 1);
    EXPECT_EQ(Sound(&emulator::SoundState::eqEnabled), 0);
}

TEST_F(ProfilesTest, InterruptedWriteLeavesTheOldProfileWhole)
{
    PutProfile("[EQ]\r\nS1=old\r\n");
    platform.files.FailWrites(kProfile + L".partial");
    EXPECT_FALSE(features.profiles.WriteProfile(kProfile));
    EXPECT_EQ(platform.files.Get(kProfile), "[EQ]\r\nS1=old\r\n");
    EXPECT_FALSE(platform.files.FileExists(kProfile + L".partial"));

    platform.files.FailWrites(kProfile + L".partial", false);
    platform.files.FailWrites(kProfile);
    EXPECT_FALSE(features.profiles.WriteProfile(kProfile)) << "the replace itself failed";
    EXPECT_EQ(platform.files.Get(kProfile), "[EQ]\r\nS1=old\r\n");
    EXPECT_FALSE(platform.files.FileExists(kProfile + L".partial"));

    platform.files.FailWrites(kProfile, false);
    EXPECT_TRUE(features.profiles.WriteProfile(kProfile));
    EXPECT_EQ(platform.files.Get(kProfile), kFlatProfile);
}

TEST_F(ProfilesTest, SaveNamesAndTheFolderLoadStartsIn)
{
    EXPECT_EQ(sound::Profiles::WithIniExtension(L"C:\\p\\Evening"), L"C:\\p\\Evening.ini");
    EXPECT_EQ(sound::Profiles::WithIniExtension(L"C:\\p\\a.ini.bak"), L"C:\\p\\a.ini.bak");
    EXPECT_EQ(sound::Profiles::WithIniExtension(L"C:\\p\\B.INI"), L"C:\\p\\B.INI.ini")
        << "the search is case-sensitive";

    // Nothing saved yet: Load starts where Save does, which is created.
    platform.files.RemoveFile(kConfig);
    platform.files.Put(kConfig, "[Version]\r\n");
    const std::wstring userFolder = L"C:\\Users\\Bob\\Tonvio";
    features.profiles.SetLocations({L"", L"", userFolder, kConfig});
    EXPECT_EQ(features.profiles.LoadFolder(), userFolder);
    EXPECT_TRUE(platform.files.FolderExists(userFolder));

    ASSERT_TRUE(features.profiles.SaveAs(userFolder + L"\\Evening"));
    EXPECT_TRUE(platform.files.FileExists(userFolder + L"\\Evening.ini"));
    EXPECT_NE(platform.files.Get(kConfig).find("[LastINI]\r\nPath=C:\\Users\\Bob\\Tonvio\\Evening.ini\r\n"),
              std::string::npos)
        << platform.files.Get(kConfig);
    // Loading another profile does not move where Load starts.
    PutProfile(kFlatProfile);
    ASSERT_TRUE(features.profiles.ReadProfile(kProfile).complete);
    EXPECT_EQ(features.profiles.LoadFolder(), userFolder);
}

TEST_F(ProfilesTest, LastAndDefaultProfilesAtStartAndExit)
{
    EXPECT_FALSE(features.profiles.LoadLastProfile()) << "no LastProfile.ini yet";
    EXPECT_FALSE(features.profiles.ReadArrivalDefaults());
    features.virtual71.SwitchedByButton(1);
    platform.files.RemoveFile(L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\LastProfile.ini");
    ASSERT_TRUE(features.profiles.SaveLastProfile());
    const auto last = features.profiles.LoadLastProfile();
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->complete);

    platform.files.Put(L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\DefaultProfile.ini",
                       "[EQ]\r\nEQEN=1\r\n[3D]\r\n3DEN=\r\n[Virtual7ch1]\r\n7ch1EN=1\r\n");
    EXPECT_TRUE(features.profiles.ReadArrivalDefaults());
    EXPECT_EQ(features.equalizer.DefaultProfileSwitch(), 1);
    EXPECT_EQ(features.sound3D.DefaultProfileSwitch(), 0);
    EXPECT_EQ(features.virtual71.DefaultProfileSwitch(), 1);
    const auto factory = features.profiles.LoadDefaultProfile();
    ASSERT_TRUE(factory);
    EXPECT_FALSE(factory->complete) << "a default profile without presets stops at S1";
    EXPECT_EQ(factory->key, L"S1");
}

} // namespace
