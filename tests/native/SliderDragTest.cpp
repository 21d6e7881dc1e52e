#include "panel/pages/SliderDrag.h"

#include "panel/form/MainFormComponents.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using panel::DragMode;

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

TEST(SliderDrag, EachKnobStartsItsOwnDrag)
{
    const struct {
        const wchar_t* control;
        DragMode mode;
    } cases[] = {
        {L"EQ60HzSliderImage", DragMode::EqBand},
        {L"EQ300HzSliderImage", DragMode::EqBand},
        {L"EQ1200HzSliderImage", DragMode::EqBand},
        {L"EQ3600HzSliderImage", DragMode::EqBand},
        {L"EQ12000HzSliderImage", DragMode::EqBand},
        {L"MicSliderImage", DragMode::MicGain},
        {L"VirtualLImage", DragMode::Speaker},
        {L"VirtualRImage", DragMode::Speaker},
        {L"VirtualCImage", DragMode::Speaker},
        {L"VirtualSUBImage", DragMode::Speaker},
        {L"VirtualLSImage", DragMode::Speaker},
        {L"VirtualRSImage", DragMode::Speaker},
        {L"VirtualLBImage", DragMode::Speaker},
        {L"VirtualRBImage", DragMode::Speaker},
        {L"D3LAlphaSliderImage", DragMode::D3},
        {L"D3LBetaSliderImage", DragMode::D3},
        {L"D3RAlphaSliderImage", DragMode::D3},
        {L"D3RBetaSliderImage", DragMode::D3},
        {L"ENCSliderImage", DragMode::NoiseCancellation},
        {L"EQ60HzBarImage", DragMode::None},
        {L"VirtualPicImage", DragMode::None},
        {L"ColorBreatheSliderImage", DragMode::LedSpeed},
        {L"ColorRainbowSliderImage", DragMode::LedSpeed},
        {L"ColorPulsatingSliderImage", DragMode::LedSpeed},
        {L"ColorBreatheBarImage", DragMode::None},
        {L"CloseImage", DragMode::None},
        {L"", DragMode::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel::DragModeOf(c.control), c.mode) << Narrow(c.control);
}

// A click on a track moves the knob found through the track: the tags of the main form say which
// (track = knob tag + 100, lower track = knob tag + 200).
TEST(SliderDrag, TracksLeadToTheKnobOfTheirTag)
{
    const form::Form form = form::BuildMainForm(L"Tonvio");
    int tracks = 0;
    for (const form::Control& control : form.Controls()) {
        const panel::TrackOfSlider* track = panel::FindTrack(control.name);
        const DragMode mode = panel::DragModeOf(control.name);
        // Speakers move freely; the LED page's knobs drag sideways and their bars take no clicks.
        if (mode != DragMode::None && mode != DragMode::Speaker && mode != DragMode::LedSpeed) {
            // Every knob has a track of tag + 100 that leads back to it.
            const form::Control* bar = nullptr;
            for (const form::Control& other : form.Controls())
                if (other.tag == control.tag + 100)
                    bar = &other;
            ASSERT_NE(bar, nullptr) << Narrow(control.name);
            const panel::TrackOfSlider* back = panel::FindTrack(bar->name);
            ASSERT_NE(back, nullptr) << Narrow(bar->name);
            EXPECT_EQ(std::wstring(back->slider), control.name);
        }
        if (track == nullptr)
            continue;
        ++tracks;
        const form::Control* slider = form.Find(track->slider);
        ASSERT_NE(slider, nullptr) << Narrow(control.name);
        EXPECT_NE(panel::DragModeOf(slider->name), DragMode::None) << Narrow(control.name);
        const int offset = control.name == track->track ? 100 : 200;
        EXPECT_EQ(control.tag, slider->tag + offset) << Narrow(control.name);
    }
    EXPECT_GT(tracks, 0);

    EXPECT_EQ(panel::FindTrack(L"EQ60HzSliderImage"), nullptr);
    EXPECT_EQ(panel::FindTrack(L"CloseImage"), nullptr);
    ASSERT_NE(panel::FindTrack(L"MicBarDownImage"), nullptr);
    EXPECT_EQ(std::wstring(panel::FindTrack(L"MicBarDownImage")->slider), L"MicSliderImage");
}

TEST(SliderDrag, KnobsStayOnTheirTravel)
{
    const panel::TopRange eq = panel::TravelRange({100, 200});
    const struct {
        int dragged;
        int expected;
    } cases[] = {{-50, 100}, {99, 100}, {100, 100}, {250, 250}, {300, 300}, {301, 300}, {1000, 300}};
    for (const auto& c : cases)
        EXPECT_EQ(eq.Clamp(c.dragged), c.expected) << c.dragged;

    // A skin without travel pins the knob to its top limit.
    EXPECT_EQ(panel::TravelRange({100, 0}).Clamp(150), 100);
    EXPECT_EQ(panel::TravelRange({100, -20}).Clamp(90), 100);
    EXPECT_EQ(panel::TravelRange({100, -20}).Clamp(150), 100);

    EXPECT_EQ(panel::kD3SliderRange.Clamp(0), 105);
    EXPECT_EQ(panel::kD3SliderRange.Clamp(160), 160);
    EXPECT_EQ(panel::kD3SliderRange.Clamp(500), 225);
}

TEST(SliderDrag, NoiseCancellationKnobKeepsClearOfTheBarEnds)
{
    const struct {
        form::Bounds bar;
        int sliderHeight;
        int low;
        int high;
    } cases[] = {
        {{50, 100, 10, 200}, 10, 110, 288}, // bottom 300 - 12
        {{50, 100, 10, 200}, 15, 110, 282}, // bottom 300 - 18
        {{0, 0, 10, 100}, 5, 10, 94},
    };
    for (const auto& c : cases) {
        const panel::TopRange range = panel::NoiseCancellationRange(c.bar, c.sliderHeight);
        EXPECT_EQ(range.low, c.low) << c.sliderHeight;
        EXPECT_EQ(range.high, c.high) << c.sliderHeight;
    }

    // A bar too short for its knob still gives a range the knob can be clamped into.
    const panel::TopRange cramped = panel::NoiseCancellationRange({0, 100, 10, 20}, 20);
    EXPECT_LE(cramped.low, cramped.high);
    EXPECT_EQ(cramped.Clamp(0), cramped.Clamp(1000));
}

TEST(SliderDrag, MicGainFollowsTheKnobDownItsTravel)
{
    const panel::SliderGeometry mic{120, 100};
    const struct {
        int top;
        int percent;
    } cases[] = {{120, 100}, {170, 50}, {220, 0}, {145, 75}, {121, 99}};
    for (const auto& c : cases)
        EXPECT_EQ(panel::MicGainPercent(c.top, mic), c.percent) << c.top;

    EXPECT_EQ(panel::MicGainPercent(120, {120, 0}), 0);
    EXPECT_EQ(panel::MicGainPercent(120, {120, -10}), 0);
}

TEST(SliderDrag, SpeakerStaysInTheRingAndInsideThePicture)
{
    // The ring reaches beyond the picture's inner margin on every side, so both limits can be met.
    const panel::RingGeometry ring{300, 200, 100};
    const form::Bounds picture{200, 100, 200, 200}; // left 211-370, top 110-270 for a 20 x 20 speaker
    const form::Bounds current{290, 190, 20, 20};
    const struct {
        const char* what;
        int left;
        int top;
        form::Bounds expected;
    } cases[] = {
        {"inside both", 320, 210, {320, 210, 20, 20}},           {"out of the ring", 310, 301, current},
        {"out of the ring diagonally", 372, 272, current},       {"left margin", 205, 195, {290, 195, 20, 20}},
        {"left margin exactly", 210, 195, {290, 195, 20, 20}},   {"left just inside", 211, 195, {211, 195, 20, 20}},
        {"right margin", 371, 200, {290, 200, 20, 20}},          {"right margin exactly", 370, 200, {370, 200, 20, 20}},
        {"top margin", 295, 105, {295, 190, 20, 20}},            {"top margin exactly", 295, 110, {295, 110, 20, 20}},
        {"bottom margin", 300, 271, {300, 190, 20, 20}},         {"bottom margin exactly", 300, 270, {300, 270, 20, 20}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel::ClampSpeaker(current, c.left, c.top, ring, picture), c.expected) << c.what;

    // The corner, not the image's middle, is held to the ring; on the ring itself counts as inside.
    const form::Bounds wide{0, 0, 1000, 1000};
    EXPECT_EQ(panel::ClampSpeaker(current, 400, 200, ring, wide), (form::Bounds{400, 200, 20, 20}));
    EXPECT_EQ(panel::ClampSpeaker(current, 401, 200, ring, wide), current);
    EXPECT_EQ(panel::ClampSpeaker(current, 300, 300, ring, wide), (form::Bounds{300, 300, 20, 20}));
    EXPECT_EQ(panel::ClampSpeaker(current, 300, 301, ring, wide), current);
}

} // namespace
