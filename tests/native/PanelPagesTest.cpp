#include "panel/form/MainFormComponents.h"
#include "panel/language/LanguageSetting.h"
#include "panel/pages/LabelBindings.h"
#include "panel/pages/PageLayout.h"
#include "panel/pages/PageTabs.h"
#include "panel/pages/SkinnedImages.h"
#include "panel/pages/TwoStateSwitch.h"
#include "panel/skin/SkinKeys.h"
#include "panel/skin/SkinSetting.h"

#include "PanelFixture.h"
#include "platform/memory/MemoryPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

using panel::ControlStates;

constexpr wchar_t kSkinFolder[] = L"C:\\Program Files\\Tonvio\\Skin\\Dark\\";
constexpr wchar_t kSkinPath[] = L"C:\\Program Files\\Tonvio\\Skin\\Dark\\SkinSetting.ini";
constexpr wchar_t kLanguagePath[] = L"C:\\Program Files\\Tonvio\\Language\\English\\Language.ini";

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring InSkin(const wchar_t* file)
{
    return std::wstring(kSkinFolder) + file;
}

// A main window with a skin and a language read from memory, as the panel has them after loading.
class PagesTest : public ::testing::Test {
protected:
    void LoadSkin(const std::string& ini)
    {
        rig.files.Put(kSkinPath, ini);
        panel::LoadSkinSetting(rig.profile, kSkinPath, false, skin);
    }
    void LoadLanguage(const std::string& ini)
    {
        rig.files.Put(kLanguagePath, ini);
        panel::LoadLanguage(rig.profile, kLanguagePath, false, language);
    }
    void PutPicture(const wchar_t* file, int width, int height)
    {
        rig.files.Put(InSkin(file), testing_panel::PngHeader(width, height));
    }
    void LayOut(int page, bool beeCheckBox = false)
    {
        panel::PageLayoutInputs inputs{rig.files, skin, language, states, kSkinFolder};
        inputs.beeCheckBox = beeCheckBox;
        panel::LayOutPage(form, inputs, page);
    }
    form::Control& Control(const wchar_t* name)
    {
        form::Control* control = form.Find(name);
        EXPECT_NE(control, nullptr) << Narrow(name);
        return *control;
    }

    memory::MemoryPlatform rig;
    panel::SkinSetting skin;
    panel::LanguageSetting language;
    ControlStates states;
    form::Form form = form::BuildMainForm(L"Tonvio");
};

// ---------------------------------------------------------------------------------------------------
// One skin entry on one image.

TEST_F(PagesTest, SkinEntryPlacesAndSizesTheControl)
{
    PutPicture(L"close_up.bmp", 20, 18);
    PutPicture(L"x.bmp", 64, 48);
    const struct {
        const char* what;
        const wchar_t* value;
        form::Bounds expectedBounds;
        const wchar_t* expectedFile; // null: hidden
    } cases[] = {
        {"empty entry hides", L"", {5, 6, 7, 8}, nullptr},
        {"(null) hides", L"(null)", {5, 6, 7, 8}, nullptr},
        {"position given, size from the picture", L"close_up.bmp,10,20", {10, 20, 20, 18}, L"close_up.bmp"},
        {"size given, position kept", L"x.bmp,,,30,40", {5, 6, 30, 40}, L"x.bmp"},
        {"everything given", L"x.bmp,1,2,3,4", {1, 2, 3, 4}, L"x.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form::Control control;
        control.bounds = {5, 6, 7, 8};
        control.visible = true;
        panel::ShowSkinEntry(rig.files, panel::ParseSkinImageValue(c.value, 1), control, kSkinFolder);
        EXPECT_EQ(control.visible, c.expectedFile != nullptr);
        EXPECT_EQ(control.bounds, c.expectedBounds);
        if (c.expectedFile != nullptr) {
            EXPECT_EQ(control.picture.file, InSkin(c.expectedFile));
        }
    }
}

TEST_F(PagesTest, AutoSizedControlFollowsTheNextPicture)
{
    PutPicture(L"small.png", 10, 12);
    PutPicture(L"large.png", 40, 30);
    form::Control control;
    panel::ShowSkinEntry(rig.files, panel::ParseSkinImageValue(L"small.png,3,4", 1), control, kSkinFolder);
    EXPECT_EQ(control.bounds, (form::Bounds{3, 4, 10, 12}));

    // The next entry gives no position: the control stays put and takes the new picture's size.
    panel::ShowSkinEntry(rig.files, panel::ParseSkinImageValue(L"large.png", 1), control, kSkinFolder);
    EXPECT_EQ(control.bounds, (form::Bounds{3, 4, 40, 30}));
    EXPECT_EQ(control.picture, (form::Picture{InSkin(L"large.png"), 40, 30}));
}

// ---------------------------------------------------------------------------------------------------
// Which entry each image shows. Every image key of the skin names a file after itself, so the file
// tells which key was picked.

class EntryForTest : public ::testing::Test {
protected:
    EntryForTest()
    {
        for (const panel::SkinKey& key : panel::SkinKeys())
            if (key.kind == panel::SkinKeyKind::Image)
                skin.images.push_back({key.section, key.key, panel::ParseSkinImageValue(key.key, key.defaultPage)});
    }

    panel::ShownEntry Shown(const wchar_t* control) const
    {
        const panel::SkinnedImage* image = panel::FindSkinnedImage(control);
        if (image == nullptr) {
            ADD_FAILURE() << "no skinned image " << Narrow(control);
            return {};
        }
        return panel::EntryFor(skin, states, *image);
    }

    panel::SkinSetting skin;
    ControlStates states;
};

TEST_F(EntryForTest, StateSelectsUpOrDownEntry)
{
    using Arrange = void (*)(ControlStates&);
    const struct {
        const char* what;
        const wchar_t* control;
        Arrange arrange;
        const wchar_t* expectedKey;
        bool expectedDown;
    } cases[] = {
        {"cell 0", L"EQEQENImage", [](ControlStates& s) { s.cells.eqEnable = 0; }, L"EQEQENImageUp", false},
        {"cell 1", L"EQEQENImage", [](ControlStates& s) { s.cells.eqEnable = 1; }, L"EQEQENImageDown", true},
        {"other cell set", L"EQEQENImage", [](ControlStates& s) { s.cells.d3Enable = 1; }, L"EQEQENImageUp", false},
        {"device in cell", L"DeviceInImage", [](ControlStates& s) { s.cells.deviceIn = 1; }, L"DeviceActiveDownImage",
         true},
        {"own button held", L"CloseImage", [](ControlStates& s) { s.pressedTags = {0}; }, L"CloseImageDown", true},
        {"other button held", L"CloseImage", [](ControlStates& s) { s.pressedTags = {1}; }, L"CloseImageUp", false},
        {"nothing held", L"EQResetImage", [](ControlStates&) {}, L"EQResetImageUp", false},
        {"tab of current page", L"PageEQImage", [](ControlStates& s) { s.page = 1; }, L"PageEQDownImage", true},
        {"tab of other page", L"PageEQImage", [](ControlStates& s) { s.page = 3; }, L"PageEQUpImage", false},
        {"LED tab", L"PageLEDImage", [](ControlStates& s) { s.page = 6; }, L"PageLEDDownImage", true},
        {"selected preset", L"EQS2Image", [](ControlStates& s) { s.selectedPreset = 2; }, L"EQS2ImageDown", true},
        {"other preset", L"EQS2Image", [](ControlStates& s) { s.selectedPreset = 3; }, L"EQS2ImageUp", false},
        {"selected effect", L"EffectButtonTheaterImage", [](ControlStates& s) { s.selectedEffect = 2; },
         L"EffectButtonTheaterImageDown", true},
        {"noise cancellation on", L"ENCFunctionImage", [](ControlStates& s) { s.encOn = true; },
         L"ENCFunctionDownImage", true},
        {"LED mode", L"ColorRainbowCheckImage",
         [](ControlStates& s) { s.ledEffectMode = panel::LedEffectMode::Rainbow; }, L"ColorRainbowCheckDownImage",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        states = {};
        c.arrange(states);
        const panel::ShownEntry shown = Shown(c.control);
        ASSERT_NE(shown.entry, nullptr);
        EXPECT_EQ(shown.entry->fileName, c.expectedKey);
        EXPECT_EQ(shown.down, c.expectedDown);
    }
}

TEST_F(EntryForTest, ChoicePicturesFollowTheirState)
{
    const wchar_t* const links[] = {L"Indep", L"Dep", L"Inv"};
    for (int alpha = 0; alpha < 3; ++alpha)
        for (int beta = 0; beta < 3; ++beta) {
            states.alphaLink = static_cast<panel::D3Link>(alpha);
            states.betaLink = static_cast<panel::D3Link>(beta);
            EXPECT_EQ(Shown(L"D3AlphaImage").entry->fileName, std::wstring(L"D3Alpha") + links[alpha] + L"Image");
            EXPECT_EQ(Shown(L"D3BetaImage").entry->fileName, std::wstring(L"D3Beta") + links[beta] + L"Image");
        }

    const wchar_t* const effects[] = {L"Non", L"Theater", L"Bathroom", L"Livingroom", L"StoneGallery"};
    for (int effect = 1; effect <= 5; ++effect) {
        states.selectedEffect = effect;
        EXPECT_EQ(Shown(L"EffectPicImage").entry->fileName, std::wstring(L"EffectPic") + effects[effect - 1] + L"Image")
            << effect;
    }

    const struct {
        int page;
        const wchar_t* expected;
    } left[] = {{1, L"MainLeftImage1"}, {2, L"MainLeftImage2"}, {3, L"MainLeftImage3"}, {4, L"MainLeftImage4"},
                {5, L"MainLeftImage1"}, {6, L"MainLeftImage1"}, {8, L"MainLeftImage1"}};
    for (const auto& c : left) {
        states.page = c.page;
        EXPECT_EQ(Shown(L"MainLeftImage").entry->fileName, c.expected) << c.page;
    }
}

// The button dispatch finds buttons by tag: the picture that goes Down must be the one of that tag.
TEST_F(EntryForTest, DownPicturesAgreeWithTheButtonTags)
{
    const form::Form form = form::BuildMainForm(L"Tonvio");
    // Nothing selected, held or on, so that only the state under test puts a picture Down.
    const ControlStates neutral = [] {
        ControlStates s;
        s.page = 0;
        s.selectedPreset = 0;
        s.selectedEffect = 0;
        s.voiceEffect = -1;
        return s;
    }();
    const auto downTags = [&] {
        std::vector<int> tags;
        for (const form::Control& control : form.Controls())
            if (const panel::SkinnedImage* image = panel::FindSkinnedImage(control.name))
                if (panel::EntryFor(skin, states, *image).down)
                    tags.push_back(control.tag);
        return tags;
    };
    states = neutral;
    EXPECT_EQ(downTags(), std::vector<int>{});

    for (const form::Control& control : form.Controls()) {
        const panel::SkinnedImage* image = panel::FindSkinnedImage(control.name);
        if (image == nullptr || image->look != panel::LookKind::Pressed)
            continue;
        states = neutral;
        states.pressedTags = {control.tag};
        EXPECT_EQ(downTags(), std::vector<int>{control.tag}) << Narrow(control.name);
    }

    // Every page but the 3D page, whose tab the skins do not draw, has one tab Down.
    for (int page = 1; page <= 8; ++page) {
        states = neutral;
        states.page = page;
        const std::vector<int> tags = downTags();
        ASSERT_EQ(tags.size(), page == panel::kPage3D ? 0u : 1u) << "page " << page;
        if (!tags.empty()) {
            EXPECT_EQ(panel::PageOfTab(tags.front()), page) << "page " << page;
        }
    }

    // Preset buttons carry tags 9-12, effect buttons 16-20, in the order of their numbers.
    for (int preset = 1; preset <= 4; ++preset) {
        states = neutral;
        states.selectedPreset = preset;
        EXPECT_EQ(downTags(), std::vector<int>{8 + preset}) << "preset " << preset;
    }
    for (int effect = 1; effect <= 5; ++effect) {
        states = neutral;
        states.selectedEffect = effect;
        EXPECT_EQ(downTags(), std::vector<int>{15 + effect}) << "effect " << effect;
    }
}

// ---------------------------------------------------------------------------------------------------
// Laying out a page.

constexpr const char* kLayoutSkin = "[Main]\r\nMainFormImage=main.png,0,0\r\n"
                                    "[EQ]\r\nBack_EQImage=eq.png,150,50\r\n"
                                    "EQEQENImageUp=eqen_up.png,200,60\r\nEQEQENImageDown=eqen_down.png,200,60\r\n"
                                    "EQ3DENImageUp=\r\nEQ3DENImageDown=\r\n"
                                    "EQS1ImageUp=s1.png,10,10,,,0\r\nEQS1ImageDown=s1.png,10,10,,,0\r\n"
                                    "EQ60HzSliderImage=knob.png,195,150\r\n"
                                    "[Mic]\r\nBack_MicImage=mic.png,150,50\r\n"
                                    "[LED]\r\nColorBreatheCheckUpImage=check.png,400,100\r\n"
                                    "ColorRainbowCheckUpImage=check.png,400,130,,,1\r\n";

constexpr const char* kLayoutLanguage =
    "[GlobalFont]\r\nColorUp=$FFFFFF\r\nColorDown=$00A5FF\r\n"
    "[Main]\r\nLabelPageEQ=Equalizer\r\nLabelPage3D=3D\r\nLabelPageMic=Microphone\r\n"
    "[EQ]\r\nLabelEQEnable=Enable,65280,255\r\nLabelEQReset=(null)\r\n"
    "[Mic]\r\nLabelMicBoost=Boost\r\n"
    "[LED]\r\nColorBreatheLabel=Breathe\r\n";

class LayOutPageTest : public PagesTest {
protected:
    void SetUp() override
    {
        for (const wchar_t* file : {L"main.png", L"eq.png", L"eqen_up.png", L"eqen_down.png", L"s1.png", L"knob.png",
                                    L"mic.png", L"check.png"})
            PutPicture(file, 30, 20);
        LoadSkin(kLayoutSkin);
        LoadLanguage(kLayoutLanguage);
    }
};

TEST_F(LayOutPageTest, ControlsShowOnTheirOwnPageOrEveryPage)
{
    const struct {
        const wchar_t* control;
        std::vector<int> pages; // where it is visible, among 1-8
    } cases[] = {
        {L"MainFormImage", {1, 2, 3, 4, 5, 6, 7, 8}}, // page 0
        {L"EQS1Image", {1, 2, 3, 4, 5, 6, 7, 8}},     // page 0 given on a page-1 key
        {L"Back_EQImage", {1}},
        {L"Back_MicImage", {3}},
        {L"EQ3DENImage", {}},  // no file
        {L"Back_3DImage", {}}, // no entry at all
        {L"PageEQLabel", {1, 2, 3, 4, 5, 6, 7, 8}},
        {L"EQEQENLabel", {1}},
        {L"MicBoostLabel", {3}},
        {L"EQResetLabel", {}}, // "(null)"
        {L"EQS1Label", {}},    // no text
    };
    for (int page = 1; page <= 8; ++page) {
        LayOut(page);
        for (const auto& c : cases) {
            const bool expected = std::ranges::find(c.pages, page) != c.pages.end();
            EXPECT_EQ(Control(c.control).visible, expected) << Narrow(c.control) << " on page " << page;
        }
    }
}

TEST_F(LayOutPageTest, ImagesShowTheirStateAndLabelsItsColour)
{
    PutPicture(L"eqen_down.png", 64, 26);
    form::Control& image = Control(L"EQEQENImage");
    states.cells.eqEnable = 0;
    panel::ShowSkinEntry(rig.files, *panel::EntryFor(skin, states, *panel::FindSkinnedImage(L"EQEQENImage")).entry,
                         image, kSkinFolder);
    LayOut(1);
    EXPECT_EQ(image.picture.file, InSkin(L"eqen_up.png"));
    EXPECT_EQ(image.bounds, (form::Bounds{200, 60, 30, 20}));
    EXPECT_EQ(Control(L"EQEQENLabel").font.colour, 65280u);
    EXPECT_EQ(Control(L"MicBoostLabel").font.colour, 0xFFFFFFu); // the global up colour

    states.cells.eqEnable = 1;
    states.cells.micBoost = 1;
    LayOut(1);
    // An auto-sized image takes the size of its new picture where it stands.
    EXPECT_EQ(image.picture.file, InSkin(L"eqen_down.png"));
    EXPECT_EQ(image.bounds, (form::Bounds{200, 60, 64, 26}));
    EXPECT_EQ(Control(L"EQEQENLabel").font.colour, 255u);
    EXPECT_EQ(Control(L"MicBoostLabel").font.colour, 0x00A5FFu);

    // Tab labels go Down with their page, whether or not their tab has a picture (the 3D tab has none).
    const struct {
        const wchar_t* label;
        int page;
    } tabs[] = {{L"PageEQLabel", 1}, {L"Page3DLabel", 5}, {L"PageMicLabel", 3}};
    for (const int page : {1, 3, 5}) {
        states.page = page;
        LayOut(page);
        for (const auto& tab : tabs)
            EXPECT_EQ(Control(tab.label).font.colour, tab.page == page ? 0x00A5FFu : 0xFFFFFFu)
                << Narrow(tab.label) << " on page " << page;
    }
}

// Every tab label takes the up and down colours of "LabelPageEQ", even one whose own record gives others.
TEST_F(LayOutPageTest, TabLabelsTakeTheColoursOfTheFirstTab)
{
    LoadLanguage("[GlobalFont]\r\nColorUp=$FFFFFF\r\nColorDown=$00A5FF\r\n"
                 "[Main]\r\nLabelPageEQ=Equalizer,$000011,$000022\r\nLabelPage3D=3D,$0000AA,$0000BB\r\n"
                 "LabelPageMic=Microphone\r\nLabelMenu1=Save,$000033,$000044\r\n");
    const std::pair<const wchar_t*, int> tabs[] = {{L"PageEQLabel", 1}, {L"Page3DLabel", 5}, {L"PageMicLabel", 3}};
    for (const int page : {1, 3, 5}) {
        states.page = page;
        LayOut(page);
        for (const auto& [label, tabPage] : tabs)
            EXPECT_EQ(Control(label).font.colour, tabPage == page ? 0x22u : 0x11u)
                << Narrow(label) << " on page " << page;
        EXPECT_EQ(Control(L"Menu1Label").font.colour, 0x33u); // any other label keeps its own record's
    }
}

TEST_F(LayOutPageTest, LedControlsFollowTheLedPageOnlyWhenItIsInUse)
{
    const struct {
        int page;
        bool ledPageEnabled;
        bool ledShown;
    } cases[] = {
        {6, true, true}, {6, false, false}, {1, true, false}, {1, false, false}, {3, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " enabled " << c.ledPageEnabled);
        states.ledPageEnabled = c.ledPageEnabled;
        LayOut(c.page);
        EXPECT_EQ(Control(L"ColorBreatheCheckImage").visible, c.ledShown);
        EXPECT_EQ(Control(L"Color01Shape").visible, c.ledShown);
        EXPECT_EQ(Control(L"ColorBreatheShape").visible, c.ledShown);
        EXPECT_EQ(Control(L"ColorBreatheLabel").visible, c.ledShown);
        // Laid out as page 1 otherwise: an LED control placed on page 1 shows there.
        EXPECT_EQ(Control(L"ColorRainbowCheckImage").visible, !c.ledShown);
        // Ordinary controls follow the real page.
        EXPECT_EQ(Control(L"Back_EQImage").visible, c.page == 1);
    }
}

TEST_F(LayOutPageTest, TestSoundCheckBoxOnlyOnTheVirtualPageWhenOffered)
{
    const struct {
        int page;
        bool offered;
        bool shown;
    } cases[] = {{4, true, true}, {4, false, false}, {1, true, false}, {6, true, false}};
    for (const auto& c : cases) {
        LayOut(c.page, c.offered);
        EXPECT_EQ(Control(L"BeeCheckBox").visible, c.shown) << c.page << " " << c.offered;
    }
}

TEST_F(LayOutPageTest, PositionsStayWhereTheyAre)
{
    form::Control& knob = Control(L"EQ60HzSliderImage");
    knob.bounds = {195, 222, 30, 20}; // dragged away from the skin's 150
    form::Control& label = Control(L"EQEQENLabel");
    label.bounds = {7, 8, 9, 10};
    LayOut(1);
    EXPECT_TRUE(knob.visible);
    EXPECT_EQ(knob.picture.file, InSkin(L"knob.png"));
    EXPECT_EQ(knob.bounds, (form::Bounds{195, 222, 30, 20}));
    EXPECT_EQ(label.bounds, (form::Bounds{7, 8, 9, 10}));
}

// ---------------------------------------------------------------------------------------------------
// Two-state buttons.

constexpr const char* kSwitchSkin =
    "[Main]\r\nLedImageUp=led_up.png,70,400\r\nLedImageDown=led_down.png,71,401\r\n"
    "DeviceActiveUpImage=in_up.png,10,400\r\nDeviceActiveDownImage=in_down.png,11,401\r\n"
    "DeviceUnActiveUpImage=out_up.png,40,400\r\nDeviceUnActiveDownImage=out_down.png,41,401\r\n"
    "[EQ]\r\nEQEQENImageUp=eqen_up.png,200,60\r\nEQEQENImageDown=eqen_down.png,201,61\r\n"
    "EQ3DENImageUp=d3en_up.png,260,60\r\nEQ3DENImageDown=d3en_down.png,261,61\r\n"
    "[3D]\r\nD3FBMImageUp=fbm_up.png,300,60\r\nD3FBMImageDown=fbm_down.png,301,61\r\n";

constexpr const char* kSwitchLanguage = "[Main]\r\nDeviceInLabel=In,$000011,$000012\r\n"
                                        "DeviceOutLabel=Out,$000021,$000022\r\n"
                                        "[EQ]\r\nLabelEQEnable=Enable,$000031,$000032\r\n"
                                        "LableEQ3DEnable=3D,$000041,$000042\r\n"
                                        "[3D]\r\nLabel3DFBM=FBM,$000051,$000052\r\n";

constexpr std::uint32_t kUntouched = 0x123456;

class TwoStateSwitchTest : public PagesTest {
protected:
    void SetUp() override
    {
        LoadSkin(kSwitchSkin);
        LoadLanguage(kSwitchLanguage);
        // A label sharing the LED button's tag: the LED switch has no label colours to give it.
        form::Control ledLabel;
        ledLabel.name = L"LedTestLabel";
        ledLabel.kind = form::ControlClass::Label;
        ledLabel.tag = 51;
        form.Add(ledLabel);
        for (const form::Control& control : form.Controls())
            if (control.kind == form::ControlClass::Label)
                Control(control.name.c_str()).font.colour = kUntouched;
    }

    panel::SwitchLook Look() const { return {rig.files, skin, language, kSkinFolder}; }
};

TEST_F(TwoStateSwitchTest, SwitchFlipsCellPictureAndLabelColour)
{
    const struct {
        int tag;
        const wchar_t* image;
        const wchar_t* upFile;
        form::Bounds upPlace;
        const wchar_t* downFile;
        form::Bounds downPlace;
        const wchar_t* label;
        std::uint32_t upColour;
        std::uint32_t downColour;
    } cases[] = {
        {7, L"EQEQENImage", L"eqen_up.png", {200, 60}, L"eqen_down.png", {201, 61}, L"EQEQENLabel", 0x31, 0x32},
        {8, L"EQ3DENImage", L"d3en_up.png", {260, 60}, L"d3en_down.png", {261, 61}, L"EQ3DENLabel", 0x41, 0x42},
        {13, L"D3FBMImage", L"fbm_up.png", {300, 60}, L"fbm_down.png", {301, 61}, L"D3FBMLabel", 0x31, 0x32},
        {51,
         L"LEDImage",
         L"led_up.png",
         {70, 400},
         L"led_down.png",
         {71, 401},
         L"LedTestLabel",
         kUntouched,
         kUntouched},
        {54, L"DeviceInImage", L"in_up.png", {10, 400}, L"in_down.png", {11, 401}, L"DeviceInLabel", 0x11, 0x12},
        {55, L"DeviceOutImage", L"out_up.png", {40, 400}, L"out_down.png", {41, 401}, L"DeviceOutLabel", 0x21, 0x22},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "tag " << c.tag);
        form::Control& image = Control(c.image);
        form::Control& label = Control(c.label);

        int cell = 0;
        EXPECT_TRUE(panel::TwoStateSwitch(form, Look(), c.tag, cell));
        EXPECT_EQ(cell, 1);
        EXPECT_TRUE(image.visible);
        EXPECT_EQ(image.picture.file, InSkin(c.downFile));
        EXPECT_EQ(image.bounds.left, c.downPlace.left);
        EXPECT_EQ(image.bounds.top, c.downPlace.top);
        EXPECT_EQ(label.font.colour, c.downColour);

        cell = 5; // any non-zero cell counts as Down
        EXPECT_TRUE(panel::TwoStateSwitch(form, Look(), c.tag, cell));
        EXPECT_EQ(cell, 0);
        EXPECT_EQ(image.picture.file, InSkin(c.upFile));
        EXPECT_EQ(image.bounds.left, c.upPlace.left);
        EXPECT_EQ(image.bounds.top, c.upPlace.top);
        EXPECT_EQ(label.font.colour, c.upColour);
    }
}

TEST_F(TwoStateSwitchTest, OtherTagsChangeNothing)
{
    const auto snapshot = [this] {
        std::vector<std::tuple<std::wstring, bool, form::Bounds, form::Picture, form::Font>> controls;
        for (const form::Control& control : form.Controls())
            controls.emplace_back(control.name, control.visible, control.bounds, control.picture, control.font);
        return controls;
    };
    const auto before = snapshot();
    for (const int tag : {28, 0, 5, 9, 23, -1}) {
        int cell = 1;
        EXPECT_FALSE(panel::TwoStateSwitch(form, Look(), tag, cell)) << tag;
        EXPECT_EQ(cell, 1) << tag;
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(TwoStateSwitchTest, ShowingAStateDoesNotToggle)
{
    form::Control& image = Control(L"EQEQENImage");
    form::Control& label = Control(L"EQEQENLabel");
    for (int repeat = 0; repeat < 2; ++repeat) {
        panel::ShowTwoState(form, Look(), 7, 1);
        EXPECT_EQ(image.picture.file, InSkin(L"eqen_down.png"));
        EXPECT_EQ(label.font.colour, 0x32u);
    }
    for (int repeat = 0; repeat < 2; ++repeat) {
        panel::ShowTwoState(form, Look(), 7, 0);
        EXPECT_EQ(image.picture.file, InSkin(L"eqen_up.png"));
        EXPECT_EQ(label.font.colour, 0x31u);
    }
}

// ---------------------------------------------------------------------------------------------------
// One label record on one label.

TEST(FontScale, ShrinksFontsOnDenserScreens)
{
    const struct {
        int ppi;
        int osKind;
        double expected;
    } cases[] = {
        {96, 6, 1.0}, {96, 4, 0.9}, {120, 6, 0.8}, {120, 4, 0.72}, {144, 6, 0.6664}, {144, 4, 0.6664},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(panel::FontScale(c.ppi, c.osKind), c.expected) << c.ppi << " ppi, os " << c.osKind;
}

TEST(ApplyLabel, RecordGivesTextColoursAndPlace)
{
    const panel::GlobalFont global{0xFFFFFF, 0x00A5FF, L"Segoe UI", 9};
    const panel::LabelRecord record = panel::ParseLabelValue(L"Save,255,65280,Arial,12,5,6,70,80", 0);

    form::Control control;
    panel::ApplyLabel(record, control, true, global, 1.0);
    EXPECT_TRUE(control.visible);
    EXPECT_EQ(control.caption, L"Save");
    EXPECT_EQ(control.font.colour, 0x0000FFu); // red
    EXPECT_EQ(control.font.face, L"Arial");
    EXPECT_EQ(control.font.size, 12);
    EXPECT_EQ(control.bounds, (form::Bounds{5, 6, 70, 80}));

    panel::ApplyLabel(record, control, false, global, 1.0);
    EXPECT_EQ(control.font.colour, 0x00FF00u); // green
}

TEST(ApplyLabel, GlobalFontStandsInForWhatTheRecordLeavesOut)
{
    form::Control control;
    control.bounds = {1, 2, 3, 4};
    const panel::LabelRecord record = panel::ParseLabelValue(L"Hello", 0);

    panel::ApplyLabel(record, control, true, {0xFFFFFF, 0x00A5FF, L"Segoe UI", 9}, 1.0);
    EXPECT_EQ(control.font.colour, 0xFFFFFFu);
    EXPECT_EQ(control.font.face, L"Segoe UI");
    EXPECT_EQ(control.font.size, 9);
    EXPECT_EQ(control.bounds, (form::Bounds{1, 2, 3, 4}));
    panel::ApplyLabel(record, control, false, {0xFFFFFF, 0x00A5FF, L"Segoe UI", 9}, 1.0);
    EXPECT_EQ(control.font.colour, 0x00A5FFu);

    // Without a global font either, the control keeps its own.
    form::Control plain;
    plain.font = {L"Tahoma", 8, 0, 0x010203};
    panel::ApplyLabel(record, plain, true, {}, 0.5);
    EXPECT_EQ(plain.font, (form::Font{L"Tahoma", 8, 0, 0x010203}));
    EXPECT_EQ(plain.caption, L"Hello");
}

TEST(ApplyLabel, NullTextHides)
{
    form::Control control;
    control.visible = true;
    panel::ApplyLabel(panel::ParseLabelValue(L"(null)", 0), control, true, {}, 1.0);
    EXPECT_FALSE(control.visible);
}

TEST(ApplyLabel, SizeIsScaledAndRounded)
{
    const struct {
        int ppi;
        int osKind;
        const wchar_t* record;
        int globalSize;
        int expected;
    } cases[] = {
        {120, 6, L"A,,,,10", -1, 8}, {120, 4, L"A,,,,10", -1, 7}, {96, 6, L"A,,,,10", -1, 10},
        {96, 4, L"A,,,,10", -1, 9},  {144, 6, L"A,,,,12", -1, 8}, // 7.9968
        {120, 4, L"A", 10, 7},                                    // the global size is scaled too
        {96, 4, L"A,,,,15", -1, 14},                              // 13.5 rounds up
    };
    for (const auto& c : cases) {
        form::Control control;
        panel::GlobalFont global;
        global.size = c.globalSize;
        panel::ApplyLabel(panel::ParseLabelValue(c.record, 0), control, true, global,
                          panel::FontScale(c.ppi, c.osKind));
        EXPECT_EQ(control.font.size, c.expected) << c.ppi << " ppi, os " << c.osKind << ", " << Narrow(c.record);
    }
}

} // namespace
