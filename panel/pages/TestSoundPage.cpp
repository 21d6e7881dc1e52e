#include "panel/pages/TestSoundPage.h"

namespace panel {

namespace {
constexpr wchar_t kCheckBox[] = L"BeeCheckBox";
constexpr wchar_t kBeeImage[] = L"BeeImage";
} // namespace

bool TestSoundPage::ControlClick(const form::Control& control)
{
    if (control.name != kCheckBox)
        return false;
    BeeCheckBoxClick(control.checked);
    return true;
}

void TestSoundPage::BeeCheckBoxClick(bool checked)
{
    if (form::Control* bee = view_.Form().Find(kBeeImage))
        bee->visible = checked;
    bee_ = {0.0f, static_cast<double>(virtual71_.Ring().radius / 2) * 1.6};
    PlaceBee();
    if (checked)
        virtual71_.GatherForTestSound(bee_.distance);
    else
        virtual71_.ReturnFromTestSound();
    if (checked)
        endpoints_.StartTestSound(programFolder_);
    else
        endpoints_.StopTestSound();
    virtual71_.TestSoundStep();
    PlaceSpeakers();
    view_.EnableTimer(kTestSoundCircleTimer, checked);
    view_.EnableTimer(kTestSoundPlayTimer, checked);
    view_.Redraw();
}

void TestSoundPage::BeeTimerTick()
{
    PlaceBee();
    virtual71_.TestSoundStep();
    PlaceSpeakers();
    if (view_.DeviceActive())
        virtual71_.SendFromPositions();
    view_.Redraw();
}

void TestSoundPage::BeePlayTimerTick()
{
    endpoints_.TestSoundTick();
}

void TestSoundPage::PlaceBee()
{
    // The picture shows where its angle stood before this step's degree.
    const sound::SpeakerPosition at = sound::PlaceOnRing(virtual71_.Ring(), bee_);
    if (form::Control* bee = view_.Form().Find(kBeeImage)) {
        bee->bounds.left = at.left;
        bee->bounds.top = at.top;
    }
    bee_.angle -= sound::kRingStep;
}

void TestSoundPage::PlaceSpeakers()
{
    const sound::SpeakerPositions& positions = virtual71_.Positions();
    for (int speaker = 0; speaker < form::kSpeakerCount; ++speaker) {
        if (form::Control* image = view_.Form().FindImageByTag(form::TagValue(form::Tag::SpeakerL) + speaker)) {
            image->bounds.left = positions[static_cast<std::size_t>(speaker)].left;
            image->bounds.top = positions[static_cast<std::size_t>(speaker)].top;
        }
    }
}

} // namespace panel
