// The LED page's presenter on the main window's form and the LED dialog `TLEDForm` on a scripted window,
// both without any real window: outlines, colour choices, knob drags and the dialog's show and close
// steps, each reaching the emulated chip's LED controller.

#include "panel/pages/LedPage.h"
#include "panel/shell/LedForm.h"

#include "FeatureDeviceRig.h"
#include "RecordingPageView.h"
#include "panel/form/MainFormComponents.h"
#include "platform/memory/MemoryWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using form::Tag;
using sdk::EntryPoint;

using LedView = testing_panel::RecordingPageView;

class LedPageTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    LedPageTest()
    {
        view.skin.ledPageMode = 1;
        Control(L"ColorBreatheBarImage").bounds = {100, 200, 116, 10};
        Control(L"ColorBreatheSliderImage").bounds = {100, 196, 16, 18};
        page.SkinChanged();
        device.chip().ClearRequests();
    }
    form::Control& Control(const wchar_t* name) { return *view.Form().Find(name); }
    form::Control& Shape(Tag tag, int nth = 0) { return *view.Form().FindShapeByTag(form::TagValue(tag) + nth); }

    LedView view{platform.files};
    sound::LedLighting led{featureDevice};
    panel::LedPage page{view, led};
};

TEST_F(LedPageTest, ShapeOutlinesFollowTheClickAndOnlyAChosenColourFillsAndSends)
{
    view.colours.answers = {std::nullopt, 0u, 0x00102030u};
    for (int i = 0; i < 3; ++i)
        page.ShapeMouseDown(form::TagValue(Tag::ColourShape1) + 2);
    EXPECT_EQ(Shape(Tag::ColourShape1, 2).pen, (form::Pen{panel::kLedSelectedOutline, 3}));
    EXPECT_EQ(Shape(Tag::ColourShape1, 2).brush.colour, 0x00102030u);
    EXPECT_EQ(SdkCalls(), std::vector<EntryPoint>{EntryPoint::DLLQZ_SetRGB_Color_ById});
    EXPECT_EQ(led.Settings().palette[2], 0x00102030u);

    // The next shape takes the outline; the one before returns to a thin black one.
    view.colours.answers = {std::nullopt};
    page.ShapeMouseDown(form::TagValue(Tag::ColourSingleShape));
    EXPECT_EQ(Shape(Tag::ColourShape1, 2).pen, (form::Pen{0x000000, 1}));
    EXPECT_EQ(Shape(Tag::ColourSingleShape).pen, (form::Pen{panel::kLedSelectedOutline, 3}));
    EXPECT_EQ(led.Settings().singleColourRgb, 0u);
}

TEST_F(LedPageTest, ChecksAndKnobsShowTheModelsState)
{
    page.ControlClick(Control(L"ColorBreatheCheckImage"));
    EXPECT_EQ(view.States().ledEffectMode, panel::LedEffectMode::Breathe);
    EXPECT_FALSE(view.States().ledOff);
    EXPECT_EQ(led.CurrentModeCode(), 4);

    page.KnobDragged(L"ColorBreatheSliderImage", 100, 1);
    EXPECT_EQ(Control(L"ColorBreatheSliderImage").bounds.left, 104);
    device.chip().ClearRequests();
    page.KnobReleased(L"ColorBreatheSliderImage"); // the active effect: re-sent with the new speed
    const auto calls = SdkCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(led.Settings().speeds[0], 2);

    page.ControlClick(Control(L"ColorLEDOffCheckImage"));
    EXPECT_TRUE(view.States().ledOff);
    EXPECT_EQ(view.States().ledEffectMode, panel::LedEffectMode::None);
    // A stored position left of the bar shows the knob at the bar's left end.
    led.ReadKeys([](const wchar_t* key) { return std::wstring(key) == L"LEDBreatheSliderPos" ? L"3" : L""; });
    page.ShowState();
    EXPECT_EQ(Control(L"ColorBreatheSliderImage").bounds.left, 100);
}

// The window as the dialog sees it: every change recorded, the user's actions scripted.
class ScriptedLedWindow final : public ports::LedDialogWindow {
public:
    void ShowModal(const ports::LedDialogLayout& layout, ports::LedDialogEvents& events) override
    {
        ++showings;
        items = layout.items;
        events_ = &events;
        closed_ = false;
        events.Shown();
        if (script)
            script(*this);
        if (!closed_)
            events.Closing();
        events_ = nullptr;
    }
    void SetShapeLook(const std::wstring& name, std::uint32_t fill, std::uint32_t outline, int width) override
    {
        shapes[name] = {fill, outline, width};
    }
    void SetChecked(const std::wstring& name, bool on) override { checked[name] = on; }
    void SetTrackBarPosition(const std::wstring& name, int position) override { positions[name] = position; }
    void MoveControl(const std::wstring& name, int left, int top) override { places[name] = {left, top}; }
    void Close() override
    {
        closed_ = true;
        events_->Closing();
    }

    void Click(const wchar_t* name) { events_->Clicked(name); }
    void Track(const wchar_t* name, int position) { events_->TrackBarMoved(name, position); }
    form::Bounds Bounds(const wchar_t* name) const
    {
        for (const auto& item : items)
            if (std::wstring_view(item.name) == name)
                return item.bounds;
        return {};
    }

    struct Look {
        std::uint32_t fill, outline;
        int width;
        bool operator==(const Look&) const = default;
    };
    std::function<void(ScriptedLedWindow&)> script;
    std::span<const ports::LedDialogItem> items;
    std::map<std::wstring, Look> shapes;
    std::map<std::wstring, bool> checked;
    std::map<std::wstring, int> positions;
    std::map<std::wstring, std::pair<int, int>> places;
    int showings = 0;

private:
    ports::LedDialogEvents* events_ = nullptr;
    bool closed_ = false;
};

class LedFormTest : public testing::Test, protected testing_panel::FeatureDeviceRig {
protected:
    LedFormTest()
    {
        form.Bind(model, colours);
        form.SetWindow(window);
    }
    emulator::LedController Controller(bool master)
    {
        return device.chip().WithState(
            [master](const emulator::ChipState& s) { return master ? s.ledMaster : s.ledSlave; });
    }

    sound::LedDialogControl model{featureDevice, std::chrono::milliseconds(1)};
    memory::ScriptedColourDialog colours;
    ScriptedLedWindow window;
    shell::TLEDForm form;
};

TEST_F(LedFormTest, ShowingOutlinesTheFirstSlotSendsTheStepAndPlacesTheTrackBars)
{
    bool openWhileShown = false;
    window.script = [&](ScriptedLedWindow&) { openWhileShown = form.DialogOpen() && model.CommandThreadRunning(); };
    form.ShowModal();

    EXPECT_TRUE(openWhileShown);
    EXPECT_FALSE(form.DialogOpen());
    EXPECT_FALSE(model.CommandThreadRunning());
    EXPECT_EQ(window.shapes[L"Shape1"], (ScriptedLedWindow::Look{0, shell::kLedDialogSelectedOutline, 2}));
    EXPECT_EQ(window.shapes[L"Shape2"], (ScriptedLedWindow::Look{0, 0, 1}));
    EXPECT_EQ(Controller(true).step, 7);
    EXPECT_EQ(Controller(true).lastTime, 500);
    const form::Bounds breathe = window.Bounds(L"RadioButtonBreathe");
    EXPECT_EQ(window.places[L"TrackBarBreathe"], std::make_pair(breathe.left + 96, breathe.top));
    const form::Bounds single = window.Bounds(L"RadioButtonOn");
    EXPECT_EQ(window.places[L"ShapeSingleColor"], std::make_pair(single.left + 360, single.top));
    EXPECT_TRUE(window.checked[L"RadioButtonOff"]);
    EXPECT_TRUE(window.checked[L"RadioButtonMaster"]);
    EXPECT_TRUE(window.checked[L"RadioButtonAllLED"]);
}

TEST_F(LedFormTest, EffectSpeedSlavePathAndLedNumberReachTheController)
{
    colours.answers = {0x00445566u};
    window.script = [&](ScriptedLedWindow& w) {
        w.Click(L"Shape3");
        w.Click(L"ButtonSetColor");
        w.Track(L"TrackBarRainbow", 150);      // not the current mode yet: only kept
        w.Click(L"RadioButtonRainbow");       // from off: the mode, then power on again
        w.Click(L"RadioButtonSlave");
        w.Click(L"RadioButtonLED2");
        w.Track(L"TrackBarBrightness", 4);
        w.Click(L"ButtonClose");
    };
    form.ShowModal();

    EXPECT_EQ(window.shapes[L"Shape1"].outline, 0u);
    EXPECT_EQ(window.shapes[L"Shape3"], (ScriptedLedWindow::Look{0x00445566u, shell::kLedDialogSelectedOutline, 2}));
    const auto master = Controller(true);
    EXPECT_EQ(master.leds[0].palette[2].r, 0x66);
    EXPECT_EQ(master.leds[1].mode, 5);
    EXPECT_EQ(master.leds[1].parameter, 150);
    EXPECT_EQ(master.leds[1].poweredOff, 0);
    EXPECT_EQ(Controller(false).leds[1].brightness, 4);
    EXPECT_FALSE(form.DialogOpen());
    EXPECT_FALSE(model.CommandThreadRunning());

    // The LED number, the path and the positions stay for the next showing.
    window.script = nullptr;
    form.ShowModal();
    EXPECT_EQ(window.showings, 2);
    EXPECT_TRUE(window.checked[L"RadioButtonSlave"]);
    EXPECT_TRUE(window.checked[L"RadioButtonLED2"]);
    EXPECT_EQ(window.positions[L"TrackBarRainbow"], 150);
    EXPECT_EQ(window.positions[L"TrackBarBrightness"], 4);
}

} // namespace
