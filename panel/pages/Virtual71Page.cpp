#include "panel/pages/Virtual71Page.h"

namespace panel {

using form::Tag;

namespace {

struct MotionButton {
    Tag tag;
    sound::RingMotion motion;
};

constexpr MotionButton kMotionButtons[] = {
    {Tag::Clockwise, sound::RingMotion::Clockwise},
    {Tag::Counterclockwise, sound::RingMotion::Counterclockwise},
    {Tag::Narrow, sound::RingMotion::Narrow},
    {Tag::Enlarge, sound::RingMotion::Enlarge},
};

bool IsSpeaker(Tag tag)
{
    int index = 0;
    return form::InRun(form::TagValue(tag), Tag::SpeakerL, form::kSpeakerCount, index);
}

} // namespace

bool Virtual71Page::ImageMouseDown(Tag tag)
{
    if (tag == Tag::VirtualEnable) {
        int& cell = view_.States().cells.virtualEnable;
        view_.Switch(tag, cell);
        virtual71_.SetEnabled(cell);
        return true;
    }
    // While the test sound circles the ring, the ring stays as it is.
    if (tag == Tag::VirtualReset) {
        if (!endpoints_.TestSoundRunning())
            view_.ShowPressed(tag, true);
        return true;
    }
    for (const MotionButton& button : kMotionButtons) {
        if (button.tag != tag)
            continue;
        if (!endpoints_.TestSoundRunning())
            virtual71_.ToggleMotion(button.motion);
        return true;
    }
    return false;
}

bool Virtual71Page::ImageMouseUp(Tag tag)
{
    if (tag == Tag::VirtualReset) {
        if (!endpoints_.TestSoundRunning())
            view_.ShowPressed(tag, false);
        return true;
    }
    // A dragged speaker set free lets the ring move on.
    if (IsSpeaker(tag)) {
        view_.EnableTimer(kRingTimer, true);
        return true;
    }
    return false;
}

bool Virtual71Page::ImageClick(Tag tag)
{
    if (tag != Tag::VirtualReset)
        return false;
    if (view_.DeviceActive() && !endpoints_.TestSoundRunning())
        virtual71_.Reset();
    return true;
}

bool Virtual71Page::SliderMoved(const form::Control& speaker, DragMode mode)
{
    if (mode != DragMode::Speaker)
        return false;
    int index = 0;
    if (form::InRun(speaker.tag, Tag::SpeakerL, form::kSpeakerCount, index))
        virtual71_.SpeakerMoved(index, speaker.bounds.left, speaker.bounds.top);
    return true;
}

void Virtual71Page::ShowDeviceAbsent()
{
    int& cell = view_.States().cells.virtualEnable;
    cell = 1;
    view_.Switch(Tag::VirtualEnable, cell);
    virtual71_.SetEnabled(cell);
}

void Virtual71Page::SetEnabled(int enabled)
{
    virtual71_.SetEnabled(enabled);
    view_.States().cells.virtualEnable = virtual71_.Enabled();
}

void Virtual71Page::ShowSwitch()
{
    view_.ShowSwitch(Tag::VirtualEnable, view_.States().cells.virtualEnable, virtual71_.Enabled());
}

void Virtual71Page::HideTestSoundImage()
{
    if (form::Control* image = view_.Form().Find(L"BeeImage"))
        image->visible = false;
}

} // namespace panel
