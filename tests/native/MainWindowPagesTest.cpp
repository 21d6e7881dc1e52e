// The main window driven as a user drives it: presses on its buttons with and without the device, the
// page tabs, slider drags through the application hook, the about box and its web address, and the
// tray menu's skin and language choices, on the small kit and the emulated device.

#include "PanelFixture.h"
#include "common/IniKeys.h"
#include "panel/form/MainFormComponents.h"
#include "sound/AudioEndpointRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;
using Kind = shell::HookedMouse::Kind;
using testing_panel::kConfig;
using testing_panel::kSkinFolder;

const std::wstring kSkinsRoot = L"C:\\Program Files\\Tonvio\\Skin\\1366x768\\";
const std::wstring kLanguagesRoot = L"C:\\Program Files\\Tonvio\\Language\\1366x768\\";
const std::wstring kUserConfig = L"C:\\Users\\Ann\\AppData\\Roaming\\Tonvio\\AudioConfig.cfg";

// Where the window lies on the screen: the hook reports both points, and drags follow the screen one.
constexpr int kWindowLeft = 300;
constexpr int kWindowTop = 200;

// The kit's warning under the application title, as every refused press shows it.
const Texts kWarning{L"Please connect the device. | Tonvio | exclamation"};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class MainWindowPagesTest : public testing::Test, protected testing_panel::PanelFixture {
protected:
    void SetUp() override
    {
        PutKit();
        // The installer copies the configuration for each user; choices go there only when it exists.
        platform.system.facts.environment[L"APPDATA"] = L"C:\\Users\\Ann\\AppData\\Roaming";
        SaveIniKey(platform.profile, kConfig, L"Install", L"InstallFolderName", L"Tonvio");
        platform.files.Put(kUserConfig, platform.files.Get(kConfig));
    }

    shell::TAudioMainForm& Start()
    {
        shell::TAudioMainForm& main = Create();
        EXPECT_TRUE(main.Construct());
        windowSide.window.calls.clear();
        windowSide.messageBoxes.shown.clear();
        return main;
    }

    form::Control& Control(const wchar_t* name)
    {
        form::Control* control = app->MainForm().Form().Find(name);
        EXPECT_NE(control, nullptr) << Narrow(name);
        return *control;
    }

    // The picture's file name within the skin folder.
    std::wstring Picture(const wchar_t* name)
    {
        const std::wstring& file = Control(name).picture.file;
        return file.substr(file.find_last_of(L'\\') + 1);
    }

    void Hook(Kind kind, int clientX, int clientY)
    {
        app->MainForm().ApplicationMouseHook({kind, kWindowLeft + clientX, kWindowTop + clientY, clientX, clientY});
    }

    // Each message box shown, as "text | caption | icon".
    Texts Boxes()
    {
        Texts boxes;
        for (const auto& box : windowSide.messageBoxes.shown)
            boxes.push_back(box.text + L" | " + box.caption + L" | " +
                            (box.icon == ports::MessageBoxIcon::Exclamation ? L"exclamation" : L"other"));
        return boxes;
    }

    std::wstring UserChoice(const wchar_t* section, const wchar_t* key)
    {
        std::wstring value;
        GetIniKey(platform.profile, kUserConfig, section, key, value, 128);
        return value;
    }

    static std::vector<std::wstring> Captions(const form::MenuItem& menu)
    {
        std::vector<std::wstring> captions;
        for (const form::MenuItem& item : menu.items)
            captions.push_back(item.caption);
        return captions;
    }

    static std::vector<bool> Checks(const form::MenuItem& menu)
    {
        std::vector<bool> checks;
        for (const form::MenuItem& item : menu.items)
            checks.push_back(item.checked);
        return checks;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------------
// Without a device only the window's own buttons and "About" take a press; everything else warns once
// and its release does nothing either.

TEST_F(MainWindowPagesTest, WithoutADeviceOnlyTheWindowButtonsAndAboutTakePresses)
{
    struct Absence {
        const char* what;
        std::function<void()> arrange;
    };
    const Absence absences[] = {
        {"chip unplugged", [this] { device.chip().Unplug(); }},
        {"no device IDs configured",
         [this] {
             std::string config = platform.files.Get(kConfig);
             config.erase(config.find("[USB_VID_PID]"));
             platform.files.Put(kConfig, config);
         }},
    };
    struct Press {
        const char* what;
        int x;
        int y;
        const wchar_t* control;
        const wchar_t* heldPicture; // while the button is held
        const wchar_t* upPicture;   // before and after
        bool refused;
        Texts calls;
    };
    const Press presses[] = {
        {"close", 705, 10, L"CloseImage", L"close_down.png", L"close_up.png", false, {L"MinimizeToTray"}},
        {"minimize", 680, 10, L"MinimizeImage", L"min_down.png", L"min_up.png", false, {L"MinimizeToTaskbar"}},
        {"about", 605, 10, L"Menu3Image", L"about_down.png", L"about_up.png", false, {}},
        {"save", 505, 10, L"Menu1Image", L"save_up.png", L"save_up.png", true, {}},
        {"equalizer enable", 205, 65, L"EQEQENImage", L"eqen_up.png", L"eqen_up.png", true, {}},
        // Its release would switch the LED and its picture back: a refused press must not get that far.
        {"LED", 75, 405, L"LEDImage", L"led_up.png", L"led_up.png", true, {}},
    };

    for (const Absence& absence : absences) {
        SCOPED_TRACE(absence.what);
        PutKit();
        device.chip().Plug();
        absence.arrange();
        shell::TAudioMainForm& main = Start();
        ASSERT_FALSE(main.State().deviceActive);
        const panel::SwitchCells cells = main.States().cells;

        for (const Press& press : presses) {
            SCOPED_TRACE(press.what);
            windowSide.window.calls.clear();
            windowSide.messageBoxes.shown.clear();
            ASSERT_EQ(Picture(press.control), press.upPicture);

            main.FormMouseDown(press.x, press.y);
            EXPECT_EQ(Picture(press.control), press.heldPicture);
            EXPECT_EQ(Boxes(), press.refused ? kWarning : Texts{});
            main.FormMouseUp(press.x, press.y);

            EXPECT_EQ(windowSide.messageBoxes.shown.size(), press.refused ? 1u : 0u) << "the release warns no more";
            EXPECT_EQ(windowSide.window.calls, press.calls);
            EXPECT_EQ(Picture(press.control), press.upPicture);
            EXPECT_TRUE(main.States().pressedTags.empty());
            EXPECT_EQ(main.States().cells.eqEnable, cells.eqEnable);
            EXPECT_EQ(main.States().cells.ledOn, cells.ledOn);
            EXPECT_TRUE(windowSide.modal.shown.empty()) << "the about box needs the device";
        }
    }
}

TEST_F(MainWindowPagesTest, WithADeviceAboutOpensOnReleaseDressedByLanguageAndSkin)
{
    shell::TAudioMainForm& main = Start();
    ASSERT_TRUE(main.State().deviceActive);
    windowSide.modal.clicks = {L"WebLabel"};

    main.FormMouseDown(605, 10);
    EXPECT_TRUE(windowSide.modal.shown.empty()) << "the press only shows the button down";
    main.FormMouseUp(605, 10);

    ASSERT_EQ(windowSide.modal.shown.size(), 1u);
    const form::Form& about = windowSide.modal.shown[0];
    EXPECT_EQ(about.Caption(), L"About");
    EXPECT_EQ(about.Find(L"AboutLabel")->caption, L"Tonvio audio control panel");
    EXPECT_EQ(about.Find(L"WebLabel")->caption, L"https://tonvio.example/support");
    const form::Control& logo = *about.Find(L"LOGOQZImage");
    EXPECT_TRUE(logo.visible);
    EXPECT_EQ(logo.picture.file, std::wstring(kSkinFolder) + L"logo.png");
    EXPECT_EQ(logo.bounds, (form::Bounds{16, 20, 57, 49}));
    EXPECT_EQ(windowSide.shell.opened, Texts{L"https://tonvio.example/support"}) << "the web label's click";
    EXPECT_TRUE(windowSide.messageBoxes.shown.empty());
    EXPECT_EQ(Picture(L"Menu3Image"), L"about_up.png");
}

// The box is painted on the skin's "Color" of [About]; a skin without one leaves it on the system's dialog
// colour, and a change of skin changes the box with it.
TEST_F(MainWindowPagesTest, AboutBoxTakesItsColourFromTheSkin)
{
    platform.files.Put(kSkinsRoot + L"Blue\\SkinSetting.ini",
                       std::string(testing_panel::kSkinSetting) + "Color=$302820\r\n");
    shell::TAudioMainForm& main = Start();
    ASSERT_EQ(main.SkinName(), L"Dark");
    EXPECT_EQ(app->AboutForm().Form().Colour(), form::kSystemDialogColour);

    windowSide.menus.choices = {form::kFirstSkinItemId};
    main.TrayRightButtonUp();
    ASSERT_EQ(main.SkinName(), L"Blue");
    main.FormMouseDown(605, 10);
    main.FormMouseUp(605, 10);
    ASSERT_EQ(windowSide.modal.shown.size(), 1u);
    EXPECT_EQ(windowSide.modal.shown[0].Colour(), 0x00302820u);

    windowSide.menus.choices = {form::kFirstSkinItemId + 1};
    main.TrayRightButtonUp();
    ASSERT_EQ(main.SkinName(), L"Dark");
    EXPECT_EQ(app->AboutForm().Form().Colour(), form::kSystemDialogColour);
}

// ---------------------------------------------------------------------------------------------------
// Two-state buttons.

TEST_F(MainWindowPagesTest, EqualizerEnableFlipsWithEachPress)
{
    shell::TAudioMainForm& main = Start();
    ASSERT_EQ(main.States().cells.eqEnable, 0);
    const form::Control& label = Control(L"EQEQENLabel");
    ASSERT_EQ(label.font.colour, 65280u);

    struct Step {
        int cell;
        const wchar_t* picture;
        std::uint32_t labelColour;
    };
    for (const Step& step : {Step{1, L"eqen_down.png", 255u}, Step{0, L"eqen_up.png", 65280u}}) {
        main.FormMouseDown(205, 65);
        main.FormMouseUp(205, 65);
        EXPECT_EQ(main.States().cells.eqEnable, step.cell);
        EXPECT_EQ(Picture(L"EQEQENImage"), step.picture) << step.cell;
        EXPECT_EQ(label.font.colour, step.labelColour) << step.cell;
        // The switch reaches the equalizer's model and, through the SDK, the chip.
        EXPECT_EQ(main.Features().equalizer.Enabled(), step.cell);
        EXPECT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.sound.eqEnabled; }), step.cell);
    }
    EXPECT_TRUE(windowSide.messageBoxes.shown.empty());
}

TEST_F(MainWindowPagesTest, LedButtonLightsOnlyWhileHeld)
{
    const auto ledLine = [this] {
        return device.chip().WithState([](const emulator::ChipState& s) { return (s.hid.gpioLines & 1) != 0; });
    };
    for (const int ledOn : {0, 1}) {
        SCOPED_TRACE(ledOn);
        shell::TAudioMainForm& main = Start();
        main.States().cells.ledOn = ledOn;

        main.FormMouseDown(75, 405);
        EXPECT_EQ(main.States().cells.ledOn, 1 - ledOn);
        EXPECT_TRUE(ledLine());
        main.FormMouseUp(75, 405);
        EXPECT_EQ(main.States().cells.ledOn, ledOn);
        EXPECT_EQ(Picture(L"LEDImage"), ledOn ? L"led_down.png" : L"led_up.png");
        EXPECT_FALSE(ledLine());
    }
}

// ---------------------------------------------------------------------------------------------------
// Page tabs.

// The tabs' colours come from "LabelPageEQ" from the start, and stay so through a page change.
TEST_F(MainWindowPagesTest, TabLabelsTakeTheColoursOfTheFirstTab)
{
    SaveIniKey(platform.profile, testing_panel::kLanguageFile, L"Main", L"LabelPageEQ",
               L"Equalizer,$000011,$000022,,,20,105");
    SaveIniKey(platform.profile, testing_panel::kLanguageFile, L"Main", L"LabelPageMic",
               L"Microphone,$0000AA,$0000BB,,,20,145");
    shell::TAudioMainForm& main = Start();
    EXPECT_EQ(Control(L"PageEQLabel").font.colour, 0x22u);
    EXPECT_EQ(Control(L"PageMicLabel").font.colour, 0x11u);

    main.OnLabelPageMouseDown(26);
    ASSERT_EQ(main.States().page, 3);
    EXPECT_EQ(Control(L"PageEQLabel").font.colour, 0x11u);
    EXPECT_EQ(Control(L"PageMicLabel").font.colour, 0x22u);
}

TEST_F(MainWindowPagesTest, TabSelectsItsPageOnlyWithADevice)
{
    struct Tab {
        const char* what;
        std::function<void(shell::TAudioMainForm&)> press;
    };
    const Tab tabs[] = {
        {"tab picture",
         [](shell::TAudioMainForm& main) {
             main.FormMouseDown(15, 165);
             main.FormMouseUp(15, 165);
         }},
        {"tab label", [](shell::TAudioMainForm& main) { main.OnLabelPageMouseDown(26); }},
    };
    for (const bool plugged : {true, false}) {
        for (const Tab& tab : tabs) {
            SCOPED_TRACE(testing::Message() << tab.what << (plugged ? ", device active" : ", no device"));
            plugged ? device.chip().Plug() : device.chip().Unplug();
            shell::TAudioMainForm& main = Start();
            ASSERT_EQ(main.State().deviceActive, plugged);
            ASSERT_EQ(main.States().page, 1);

            tab.press(main);

            const bool onMic = plugged;
            EXPECT_EQ(main.States().page, onMic ? 3 : 1);
            EXPECT_EQ(Picture(L"PageMicImage"), onMic ? L"tab_mic_down.png" : L"tab_mic_up.png");
            EXPECT_EQ(Picture(L"PageEQImage"), onMic ? L"tab_eq_up.png" : L"tab_eq_down.png");
            EXPECT_EQ(Control(L"PageMicLabel").font.colour, onMic ? 0x00A5FFu : 0xFFFFFFu);
            EXPECT_EQ(Control(L"PageEQLabel").font.colour, onMic ? 0xFFFFFFu : 0x00A5FFu);
            EXPECT_EQ(Control(L"Back_EQImage").visible, !onMic);
            EXPECT_EQ(Control(L"Back_MicImage").visible, onMic);
            EXPECT_EQ(Boxes(), plugged ? Texts{} : kWarning);
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// Slider drags through the application hook.

TEST_F(MainWindowPagesTest, EqualizerKnobFollowsTheDragWithinItsTravel)
{
    shell::TAudioMainForm& main = Start();
    const form::Control& knob = Control(L"EQ60HzSliderImage");
    const form::Bounds start = knob.bounds;
    ASSERT_EQ(start, (form::Bounds{195, 200, 20, 10})) << "a flat band stands in the middle of its track";
    const auto gainRegisters = [this] {
        return device.chip().WithState([](const emulator::ChipState& s) {
            return std::pair<int, int>{s.registers[0x120], s.registers[0x121]};
        });
    };

    // The skin's EQSlider=100,200: tops 100 to 300. Moves count from the press, not from the last move.
    Hook(Kind::LeftDown, 205, 205);
    struct Move {
        int dx;
        int dy;
        int top;
        std::pair<int, int> registers; // the band's gain code, low byte and high nibble
    };
    for (const Move& move :
         {Move{0, 40, 240, {0x34, 0x03}}, Move{0, 400, 300, {0x00, 0x02}}, Move{0, -400, 100, {0xFF, 0x09}},
          Move{0, -101, 100, {0xFF, 0x09}}, Move{30, -100, 100, {0xFF, 0x09}}, Move{-7, 10, 210, {0xCD, 0x03}}}) {
        Hook(Kind::Move, 205 + move.dx, 205 + move.dy);
        EXPECT_EQ(knob.bounds.top, move.top) << move.dy;
        EXPECT_EQ(knob.bounds.left, start.left) << "a vertical slider keeps its column";
        EXPECT_EQ(gainRegisters(), move.registers) << move.dy;
    }
    EXPECT_EQ(Control(L"EQ60HzValueLabel").caption, L"3cd");
    Hook(Kind::LeftUp, 198, 165);
    Hook(Kind::Move, 205, 255);
    EXPECT_EQ(knob.bounds.top, 210) << "the release ends the drag";
    EXPECT_TRUE(windowSide.messageBoxes.shown.empty());

    // A press on the track puts the knob's middle under the cursor, within the same travel.
    for (const auto& [clickY, top] : {std::pair{250, 245}, std::pair{103, 100}, std::pair{309, 300}}) {
        ASSERT_EQ(main.Form().ControlAt(204, clickY)->name, L"EQ60HzBarImage") << clickY;
        Hook(Kind::LeftDown, 204, clickY);
        Hook(Kind::LeftUp, 204, clickY);
        EXPECT_EQ(knob.bounds.top, top) << clickY;
    }
}

// RESET clicks on its picture and on the label lying on it alike, and makes the preset flat on the chip.
TEST_F(MainWindowPagesTest, ResetClickedOnPictureOrLabelFlattensThePreset)
{
    shell::TAudioMainForm& main = Start();
    const form::Control& knob = Control(L"EQ60HzSliderImage");
    for (const auto& [what, x, y] : {std::tuple{"label", 507, 66}, std::tuple{"picture", 555, 80}}) {
        SCOPED_TRACE(what);
        Hook(Kind::LeftDown, 205, 205);
        Hook(Kind::Move, 205, 105);
        Hook(Kind::LeftUp, 205, 105);
        ASSERT_EQ(knob.bounds.top, 100);
        ASSERT_EQ(device.chip().WithState([](const emulator::ChipState& s) { return s.registers[0x121]; }), 0x09);

        ASSERT_EQ(main.Form().ControlAt(x, y)->name, std::string(what) == "label" ? L"EQResetLabel" : L"EQResetImage");
        main.FormMouseDown(x, y);
        main.FormMouseUp(x, y);
        EXPECT_EQ(knob.bounds.top, 200);
        EXPECT_EQ(Control(L"EQ60HzValueLabel").caption, L"400");
        EXPECT_EQ(device.chip().WithState([](const emulator::ChipState& s) {
            return std::pair<int, int>{s.registers[0x120], s.registers[0x121]};
        }),
                  (std::pair<int, int>{0x00, 0x04}));
    }
}

// A speaker follows the drag only inside the ring, reaches the chip at once, and holds the ring's
// motion still until it is let go.
TEST_F(MainWindowPagesTest, SpeakerDragPausesTheRingUntilTheRelease)
{
    const std::wstring skin = std::wstring(kSkinFolder) + L"SkinSetting.ini";
    platform.files.Put(skin, platform.files.Get(skin) +
                                 "[Virtual7ch1]\r\nVirtualCenter=300,200,100\r\n"
                                 "VirtualPicImage=room.png,150,50\r\nVirtualCImage=speaker.png,10,10\r\n");
    platform.files.Put(std::wstring(kSkinFolder) + L"room.png", testing_panel::PngHeader(300, 300));
    platform.files.Put(std::wstring(kSkinFolder) + L"speaker.png", testing_panel::PngHeader(20, 20));
    shell::TAudioMainForm& main = Start();
    form::Control& speaker = Control(L"VirtualCImage");
    ASSERT_EQ(speaker.bounds, (form::Bounds{300, 120, 20, 20})) << "the start-up reset puts C on the default ring";
    speaker.visible = true;
    ASSERT_TRUE(main.Timers().Enabled(panel::kRingTimer)) << "the ring's timer runs from the start";
    const auto factor = [this] {
        return device.chip().WithState([](const emulator::ChipState& s) { return s.sound.virtualBlock.distanceFactor[2]; });
    };

    Hook(Kind::LeftDown, 305, 125);
    main.FormMouseDown(305, 125);
    Hook(Kind::Move, 305, 155); // 30 pixels below the press: 50 from the centre
    EXPECT_EQ(speaker.bounds, (form::Bounds{300, 150, 20, 20}));
    EXPECT_FALSE(main.Timers().Enabled(panel::kRingTimer));
    EXPECT_FLOAT_EQ(factor(), 0.85f);
    Hook(Kind::Move, 305, 5); // out of the ring: the speaker stays
    EXPECT_EQ(speaker.bounds, (form::Bounds{300, 150, 20, 20}));
    EXPECT_FLOAT_EQ(factor(), 0.85f);

    Hook(Kind::LeftUp, 305, 155);
    main.FormMouseUp(305, 155);
    EXPECT_TRUE(main.Timers().Enabled(panel::kRingTimer));
    EXPECT_TRUE(windowSide.messageBoxes.shown.empty());
}

TEST_F(MainWindowPagesTest, WithoutADeviceNeitherKnobNorTrackMoves)
{
    device.chip().Unplug();
    shell::TAudioMainForm& main = Start();
    const form::Control& knob = Control(L"EQ60HzSliderImage");
    for (const auto& [what, x, y] : {std::tuple{"knob", 205, 205}, std::tuple{"track", 204, 250}}) {
        SCOPED_TRACE(what);
        windowSide.messageBoxes.shown.clear();
        Hook(Kind::LeftDown, x, y);
        Hook(Kind::Move, x, y + 60);
        Hook(Kind::LeftUp, x, y + 60);
        EXPECT_EQ(knob.bounds.top, 200);
        EXPECT_EQ(Boxes(), kWarning);
    }
    EXPECT_FALSE(main.Press().pressed);
}

TEST_F(MainWindowPagesTest, MicrophoneKnobShowsItsGainInPerCent)
{
    // Windows has the headset's microphone at 50 %.
    audio.endpoints = {{L"{headset}", L"Microphone"}};
    audio.volumes[L"{headset}"].step = 50;
    shell::TAudioMainForm& main = Start();
    main.OnLabelPageMouseDown(26);
    const form::Control& knob = Control(L"MicSliderImage");
    ASSERT_EQ(knob.bounds.top, 170);

    // MicSlider=120,100: 100 % at the top (120), nothing at the bottom (220).
    Hook(Kind::LeftDown, 300, 175);
    for (const auto& [dy, top, percent] :
         {std::tuple{-20, 150, L"70"}, std::tuple{-500, 120, L"100"}, std::tuple{500, 220, L"0"}}) {
        Hook(Kind::Move, 300, 175 + dy);
        EXPECT_EQ(knob.bounds.top, top) << dy;
        EXPECT_EQ(Control(L"MicValueLabel").caption, percent) << dy;
        EXPECT_EQ(sound::VolumeFromSteps(audio.volumes[L"{headset}"].step, 101), std::stoi(percent)) << dy;
    }
    Hook(Kind::LeftUp, 300, 175);

    ASSERT_EQ(main.Form().ControlAt(304, 200)->name, L"MicBarImage");
    Hook(Kind::LeftDown, 304, 200);
    Hook(Kind::LeftUp, 304, 200);
    EXPECT_EQ(knob.bounds.top, 195);
    EXPECT_EQ(Control(L"MicValueLabel").caption, L"25");
}

// ---------------------------------------------------------------------------------------------------
// The about box's web label: a language file names the address, so only web addresses may open.

TEST_F(MainWindowPagesTest, WebLabelOpensOnlyWebAddresses)
{
    shell::TAudioMainForm& main = Start();
    form::Control& web = *app->AboutForm().Form().Find(L"WebLabel");
    const struct {
        const wchar_t* address;
        bool opens;
    } cases[] = {
        {L"https://x.example", true}, {L"HTTP://x.example", true}, {L"file:///C:/Windows/calc.exe", false},
        {L"calc.exe", false},         {L"mailto:a@b", false},      {L"", false},
        {L"https://", false},
    };
    for (const auto& c : cases) {
        windowSide.shell.opened.clear();
        web.caption = c.address;
        main.WebLabelClick();
        EXPECT_EQ(windowSide.shell.opened, c.opens ? Texts{c.address} : Texts{}) << Narrow(c.address);
    }
}

// ---------------------------------------------------------------------------------------------------
// The tray menu's skin and language choices.

TEST_F(MainWindowPagesTest, SkinMenuChoosesTheFolderAndTheNextStartKeepsIt)
{
    platform.files.Put(kSkinsRoot + L"Blue\\SkinSetting.ini", testing_panel::kSkinSetting);
    platform.files.Put(kSkinsRoot + L"Plain\\readme.txt", "no skin here");
    shell::TAudioMainForm& main = Start();
    main.TrayRightButtonUp(); // dismissed
    const form::MenuItem& shown = *windowSide.menus.shown.at(0).Find(form::kSkinMenuId);
    EXPECT_EQ(Captions(shown), (Texts{L"Blue", L"Dark"}));
    EXPECT_EQ(Checks(shown), (std::vector<bool>{false, true}));

    // The window's menu shows "&" before a character as its keyboard access; the folder has none.
    main.PopupMenu().Find(form::kFirstSkinItemId)->caption = L"&Blue";
    windowSide.menus.choices = {form::kFirstSkinItemId};
    main.TrayRightButtonUp();

    EXPECT_EQ(main.SkinName(), L"Blue");
    EXPECT_EQ(Checks(*main.PopupMenu().Find(form::kSkinMenuId)), (std::vector<bool>{true, false}));
    EXPECT_EQ(Control(L"CloseImage").picture.file, kSkinsRoot + L"Blue\\close_up.png");
    EXPECT_EQ(UserChoice(L"Skin", L"DefaultSkin"), L"Blue");
    EXPECT_EQ(UserChoice(L"Language", L"DefaultLanguage"), L"English");

    shell::TAudioMainForm& next = Start();
    EXPECT_EQ(next.SkinName(), L"Blue");
    EXPECT_EQ(Captions(*next.PopupMenu().Find(form::kSkinMenuId)), (Texts{L"Blue", L"Dark"}));
    EXPECT_EQ(Checks(*next.PopupMenu().Find(form::kSkinMenuId)), (std::vector<bool>{true, false}));
}

TEST_F(MainWindowPagesTest, LanguagesOfOneDisplayNameLeadToTheFirstFolder)
{
    // "British" and "English" are both shown as "English"; "German" has no language file.
    SaveIniKey(platform.profile, kConfig, L"MultiLanguageFolderMap", L"British", L"English");
    SaveIniKey(platform.profile, kConfig, L"MultiLanguageFolderMap", L"German", L"Deutsch");
    platform.files.Put(kLanguagesRoot + L"British\\Language.ini", "[Main]\r\nLabelSkin=Themes\r\n");
    platform.files.Put(kLanguagesRoot + L"German\\readme.txt", "no language here");
    shell::TAudioMainForm& main = Start();
    const form::MenuItem& languages = *main.PopupMenu().Find(form::kLanguageMenuId);
    ASSERT_EQ(Captions(languages), (Texts{L"English", L"English"}));
    ASSERT_EQ(Checks(languages), (std::vector<bool>{false, true}));

    main.MenuItemClick(form::kFirstLanguageItemId + 1);

    EXPECT_EQ(main.LanguageName(), L"British");
    EXPECT_EQ(main.PopupMenu().Find(form::kSkinMenuId)->caption, L"Themes");
    EXPECT_EQ(UserChoice(L"Language", L"DefaultLanguage"), L"British");
    EXPECT_EQ(Start().LanguageName(), L"British");
}

TEST_F(MainWindowPagesTest, MenuCaptionsComeFromTheLanguageOrStayBuiltIn)
{
    SaveIniKey(platform.profile, kConfig, L"MultiLanguageFolderMap", L"German", L"Deutsch");
    platform.files.Put(kLanguagesRoot + L"German\\Language.ini",
                       "[Main]\r\nLabelLanguage=Sprache\r\nLabelClose=Beenden\r\nLabelPlugin=Erweiterungen\r\n");
    shell::TAudioMainForm& main = Start();
    EXPECT_EQ(Captions(main.PopupMenu()), (Texts{L"Language", L"Skins", L"Plugin", L"Close"}));

    // "English" sorts before "German"; a language without "LabelSkin" gives the Skin menu its own name back.
    main.LanguageMenuClick(form::kFirstLanguageItemId + 1);
    ASSERT_EQ(main.LanguageName(), L"German");
    EXPECT_EQ(Captions(main.PopupMenu()), (Texts{L"Sprache", L"Skin", L"Erweiterungen", L"Beenden"}));
}
