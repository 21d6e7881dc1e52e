#include "panel/form/Form.h"
#include "panel/form/FormTimers.h"
#include "panel/form/MainFormComponents.h"

#include "platform/memory/ManualClock.h"
#include "platform/memory/MemoryWindow.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using form::Control;
using form::ControlClass;

Control Make(const wchar_t* name, ControlClass kind, int tag, form::Bounds bounds = {}, bool visible = true)
{
    Control control;
    control.name = name;
    control.kind = kind;
    control.tag = tag;
    control.bounds = bounds;
    control.visible = visible;
    return control;
}

// "EQ60Hz" of "EQ60HzSliderImage".
std::wstring BandOf(const std::wstring& name, const wchar_t* suffix)
{
    return name.substr(0, name.find(suffix));
}

} // namespace

TEST(FormModel, TagSearchTakesTheLastControlOfTheClass)
{
    form::Form form(L"F", L"", 100, 100, 0);
    form.Add(Make(L"FirstImage", ControlClass::Image, 7));
    form.Add(Make(L"SevenLabel", ControlClass::Label, 7));
    form.Add(Make(L"SecondImage", ControlClass::Image, 7));
    form.Add(Make(L"Swatch", ControlClass::Shape, 151));

    EXPECT_EQ(form.FindImageByTag(7)->name, L"SecondImage");
    EXPECT_EQ(form.FindLabelByTag(7)->name, L"SevenLabel");
    EXPECT_EQ(form.FindShapeByTag(151)->name, L"Swatch");
    EXPECT_EQ(form.FindLabelByTag(151), nullptr);
    EXPECT_EQ(form.FindImageByTag(8), nullptr);
    EXPECT_FALSE(form.Add(Make(L"Swatch", ControlClass::Image, 1))) << "names are unique";
}

TEST(FormModel, ControlUnderAPointIsTheTopmostVisibleDrawnControl)
{
    form::Form form(L"F", L"", 200, 200, 0);
    form.Add(Make(L"Background", ControlClass::Image, form::kNoTag, {0, 0, 200, 200}));
    form.Add(Make(L"Slider", ControlClass::Image, 29, {10, 10, 20, 20}));
    form.Add(Make(L"Hidden", ControlClass::Image, 30, {10, 10, 20, 20}, false));
    form.Add(Make(L"Box", ControlClass::CheckBox, form::kNoTag, {50, 50, 20, 20}));
    Control disabled = Make(L"Disabled", ControlClass::Label, 5, {100, 100, 20, 20});
    disabled.enabled = false;
    form.Add(disabled);

    struct Case {
        int x, y;
        const wchar_t* expected; // nullptr: the form itself
    };
    const Case cases[] = {
        {15, 15, L"Slider"},     // on top of the background; the hidden one above it does not count
        {10, 10, L"Slider"},     // left and top edges belong to the control
        {30, 30, L"Background"}, // right and bottom edges do not
        {55, 55, L"Background"}, // the windowed check box takes its own mouse input
        {105, 105, L"Disabled"}, // disabled controls are found
        {250, 10, nullptr},
    };
    for (const Case& c : cases) {
        const Control* found = form.ControlAt(c.x, c.y);
        const std::wstring name = found ? found->name : L"(form)";
        EXPECT_EQ(name, c.expected ? c.expected : L"(form)") << c.x << "," << c.y;
    }
}

TEST(MainFormComponents, SliderTracksAndButtonLabelsShareTheRuleOfTags)
{
    form::Form form = form::BuildMainForm(L"Tonvio");
    // Every slider finds its track at tag + 100; those with a lower track at tag + 200.
    for (int slider : {29, 30, 31, 32, 33, 38}) {
        ASSERT_NE(form.FindImageByTag(slider), nullptr) << slider;
        ASSERT_NE(form.FindImageByTag(slider + 100), nullptr) << slider;
        ASSERT_NE(form.FindImageByTag(slider + 200), nullptr) << slider;
        const std::wstring band = BandOf(form.FindImageByTag(slider)->name, L"SliderImage");
        EXPECT_EQ(BandOf(form.FindImageByTag(slider + 100)->name, L"BarImage"), band);
        EXPECT_EQ(BandOf(form.FindImageByTag(slider + 200)->name, L"BarDownImage"), band);
    }
    EXPECT_EQ(form.FindImageByTag(88 + 100)->name, L"ENCBarImage");
    // The effect buttons are tied to their labels by tag, not by name.
    EXPECT_EQ(form.FindImageByTag(18)->name, L"EffectButtonStoneGalleryImage");
    EXPECT_EQ(form.FindLabelByTag(18)->name, L"EffectBathroomLabel");
    // Buttons whose label colour changes find a label of their tag.
    for (int button : {2,  3,  4,  5,  6,  7,  8,  9,  12, 13, 16, 20, 21, 22,  23,  24,
                       25, 26, 27, 28, 47, 48, 49, 50, 52, 53, 54, 55, 89, 226, 227, 228})
        EXPECT_NE(form.FindLabelByTag(button), nullptr) << button;
    for (int speaker = 39; speaker <= 46; ++speaker)
        EXPECT_NE(form.FindImageByTag(speaker), nullptr) << speaker;
    for (int swatch : {151, 152, 153, 154, 155, 156, 157, 183, 184})
        EXPECT_NE(form.FindShapeByTag(swatch), nullptr) << swatch;
    EXPECT_EQ(form.FindImageByTag(form::TagValue(form::Tag::CloseImage))->name, L"CloseImage");
}

TEST(MainFormComponents, NamesAreUniqueTagsNeverCollideWithinAClassAndNothingShowsUnskinned)
{
    std::set<std::wstring> names;
    std::set<std::pair<ControlClass, int>> tags;
    int checkBoxes = 0;
    for (const form::ComponentEntry& entry : form::MainFormComponents()) {
        EXPECT_TRUE(names.insert(entry.name).second) << "twice: " << entry.name;
        if (entry.tag != form::kNoTag) {
            EXPECT_TRUE(tags.insert({entry.kind, entry.tag}).second) << "tag shared within a class: " << entry.tag;
        }
        checkBoxes += entry.kind == ControlClass::CheckBox;
    }
    EXPECT_EQ(checkBoxes, 1) << "the test-sound check box is the form's one windowed control";

    const form::Form form = form::BuildMainForm(L"Tonvio");
    EXPECT_EQ(form.Controls().size(), names.size());
    for (const Control& control : form.Controls())
        EXPECT_FALSE(control.visible);
    EXPECT_EQ(form.ControlAt(10, 10), nullptr);
}

TEST(FormTimers, RunOnlyWhileEnabledWithAHandler)
{
    memory::ManualClock clock;
    memory::ClockDrivenTimers port(clock);
    form::FormTimers timers(port, form::kMainFormTimers);
    int polls = 0;
    int steps = 0;

    timers.SetEnabled(L"Timer1", true);
    clock.Advance(5000);
    EXPECT_EQ(polls, 0) << "no handler, no timer";

    timers.SetHandler(L"Timer1", [&] { ++polls; });
    timers.SetHandler(L"Timer", [&] { ++steps; });
    clock.Advance(4000);
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(steps, 0) << "Timer is not enabled";

    timers.SetEnabled(L"Timer", true);
    clock.Advance(100);
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(timers.Interval(L"BeeTimer"), 10u);
    EXPECT_EQ(timers.Interval(L"BeePlayTimer"), 100u);

    // A handler that stops its own timer ticks once.
    timers.SetHandler(L"Timer", [&] {
        ++steps;
        timers.SetEnabled(L"Timer", false);
    });
    clock.Advance(100);
    EXPECT_EQ(steps, 6);
    EXPECT_FALSE(timers.Enabled(L"Timer"));

    timers.SetEnabled(L"Timer1", false);
    clock.Advance(10000);
    EXPECT_EQ(polls, 2);
}
