#include "panel/pages/Virtual71Page.h"

namespace panel {

using form::Tag;

namespace {

struct MotionButton {
    Tag tag;
    sound::RingMotion motion;
    int SwitchCells::*cell;
};

constexpr MotionButton kMotionButtons[] = {
    {Tag::Clockwise, sound::RingMotion::Clockwise, &SwitchCells::clockwise},
    {Tag::Counterclockwise, sound::RingMotion::Counterclockwise, &SwitchCells::counterclockwise},
    {Tag::Narrow, sound::RingMotion::Narrow, &SwitchCells::narrow},
    {Tag::Enlarge, sound::RingMotion::Enlarge, &SwitchCells::enlarge},
};

bool IsSpeaker(Tag tag)
{
    int index = 0;
    return form::InRun(form::TagValue(tag), Tag::SpeakerL, form::kSpeakerCount, index);
}

form::Control* SpeakerImage(PageView& view, int speaker)
{
    return view.Form().FindImageByTag(form::TagValue(Tag::SpeakerL) + speaker);
}

} // namespace

bool Virtual71Page::ImageMouseDown(Tag tag)
{
    if (tag == Tag::VirtualEnable) {
        SwitchedByButton();
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
        if (!endpoints_.TestSoundRunning()) {
            virtual71_.ToggleMotion(button.motion);
            ShowMotion();
        }
        return true;
    }
    return false;
}

void Virtual71Page::SwitchedByButton()
{
    ControlStates& states = view_.States();
    view_.Switch(Tag::VirtualEnable, states.cells.virtualEnable);
    const int enabled = states.cells.virtualEnable;
    if (enabled != 0 && sound3D_.ExclusiveWithVirtual()) {
        // 3D gives way: off on the device and in its register, its switch off and its button hidden.
        sound3D_.SwitchOff();
        sound3D_.SetRegisterBit(false);
        view_.ShowSwitch(Tag::D3Enable, states.cells.d3Enable, 0);
        if (form::Control* image = view_.Image(Tag::D3Enable))
            image->visible = false;
    }
    virtual71_.SwitchedByButton(enabled);
}

void Virtual71Page::ShowMotion()
{
    const std::optional<sound::RingMotion> motion = virtual71_.Motion();
    for (const MotionButton& button : kMotionButtons)
        view_.ShowSwitch(button.tag, view_.States().cells.*button.cell, motion == button.motion ? 1 : 0);
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
        ResetLayout();
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

sound::SpeakerRing Virtual71Page::SkinRing() const
{
    const RingGeometry& ring = view_.Skin().ring;
    return {ring.centreX, ring.centreY, ring.radius};
}

void Virtual71Page::Initialise()
{
    sound::SpeakerPositions positions{};
    for (int speaker = 0; speaker < form::kSpeakerCount; ++speaker) {
        if (const form::Control* image = SpeakerImage(view_, speaker))
            positions[static_cast<std::size_t>(speaker)] = {image->bounds.left, image->bounds.top};
    }
    virtual71_.InitialiseRing(SkinRing(), positions);
    // The ring's timer runs for the whole session; a tick without a motion button on does nothing, and
    // only a speaker drag holds it.
    view_.EnableTimer(kRingTimer, true);
}

void Virtual71Page::ResetLayout()
{
    virtual71_.Reset();
    PlaceSpeakers();
    ShowSwitch();
    view_.Redraw();
}

void Virtual71Page::TimerTick()
{
    if (virtual71_.MotionTick()) {
        PlaceSpeakers();
        view_.Redraw();
    }
}

void Virtual71Page::RescaleSpeakers(int previousRadius)
{
    virtual71_.RescaleRing(SkinRing(), previousRadius);
    PlaceSpeakers();
}

void Virtual71Page::PlaceSpeakers()
{
    const sound::SpeakerPositions& positions = virtual71_.Positions();
    for (int speaker = 0; speaker < form::kSpeakerCount; ++speaker) {
        if (form::Control* image = SpeakerImage(view_, speaker)) {
            image->bounds.left = positions[static_cast<std::size_t>(speaker)].left;
            image->bounds.top = positions[static_cast<std::size_t>(speaker)].top;
        }
    }
}

void Virtual71Page::HideTestSoundImage()
{
    if (form::Control* image = view_.Form().Find(L"BeeImage"))
        image->visible = false;
}

} // namespace panel
