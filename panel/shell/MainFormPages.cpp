// TAudioMainForm: presses and releases of the image buttons, the page tabs, the slider drags, the
// window move and the about box.

#include "panel/shell/TonvioMain.h"

#include "common/Text.h"
#include "panel/form/MainFormComponents.h"
#include "panel/pages/LabelBindings.h"
#include "panel/pages/PageTabs.h"
#include "panel/pages/SkinnedImages.h"
#include "panel/shell/SmallForms.h"

#include <algorithm>

namespace shell {

namespace {

using form::Tag;

// Presses that need no active device: close, minimize, about, the 3D links, synchronization, the
// first equalizer slider and the two rotate buttons.
constexpr Tag kGuardFreeTags[] = {Tag::About,         Tag::D3AlphaLink, Tag::D3BetaLink,      Tag::Sync,
                                  Tag::EqBand1Slider, Tag::Clockwise,   Tag::Counterclockwise};

bool IsSpeaker(int tag)
{
    int index = 0;
    return form::InRun(tag, Tag::SpeakerL, form::kSpeakerCount, index);
}

// The image buttons whose press and release the dispatch handles; sliders, tracks and speakers take
// their presses through the application hook.
bool IsImageButton(int tag)
{
    return (tag >= 0 && tag <= 28) || (tag >= 47 && tag <= 53) || tag == 89 || (tag >= 226 && tag <= 228);
}

bool HasScheme(const std::wstring& text, std::wstring_view scheme)
{
    return text.size() > scheme.size() &&
           EqualsIgnoreAsciiCase(std::wstring_view(text).substr(0, scheme.size()), scheme);
}

constexpr std::size_t kWebAddressChars = 255;

} // namespace

// --- The window's own mouse.
bool TAudioMainForm::MovesWindow(const form::Control* control)
{
    if (control == nullptr)
        return true; // the form itself
    static const wchar_t* const kMoveHandles[] = {L"MainFormImage", L"MainLeftImage", L"DeviceActiveImage",
                                                  L"LogoImage"};
    return std::ranges::any_of(kMoveHandles, [&](const wchar_t* name) { return control->name == name; });
}

void TAudioMainForm::FormMouseDown(int x, int y)
{
    const form::Control* control = form_.ControlAt(x, y);
    pressedControl_ = control ? control->name : std::wstring();
    pressAccepted_ = false;
    if (MovesWindow(control)) {
        // The move runs the window's own drag loop, which swallows the release: no click follows.
        pressedControl_.clear();
        if (!LedDialogOpen()) {
            window_.window.BeginMoveByCaption();
            window_.pump.ProcessPendingMessages();
        }
        return;
    }
    if (!control->enabled || control->tag == form::kNoTag)
        return;
    const int tag = control->tag;
    switch (control->kind) {
    case form::ControlClass::Image:
    case form::ControlClass::Label:
        if (control->kind == form::ControlClass::Label && panel::PageOfTab(tag))
            OnLabelPageMouseDown(tag);
        else if (IsImageButton(tag))
            OnImageMouseDown(tag);
        break;
    case form::ControlClass::Shape:
        OnShapeMouseDown(tag);
        break;
    default:
        break;
    }
}

void TAudioMainForm::FormMouseUp(int x, int y)
{
    const form::Control* control = form_.ControlAt(x, y);
    const form::Control* pressed = pressedControl_.empty() ? nullptr : form_.Find(pressedControl_);
    const bool click = control != nullptr && pressed != nullptr && control == pressed;
    pressedControl_.clear();
    if (pressed != nullptr && pressed->enabled) {
        // The release goes to the pressed control wherever the cursor is, as the mouse capture has it.
        if (std::exchange(pressAccepted_, false))
            OnImageMouseUp(pressed->tag);
        else if (IsSpeaker(pressed->tag) && state_.deviceActive)
            OnImageMouseUp(pressed->tag);
    }
    if (click && control->enabled)
        ControlClick(*control);
}

void TAudioMainForm::OnCheckBoxClick(const std::wstring& name)
{
    if (const form::Control* box = form_.Find(name); box != nullptr && box->kind == form::ControlClass::CheckBox)
        std::ranges::any_of(pages_.All(), [box](panel::PagePresenter* page) { return page->ControlClick(*box); });
}

void TAudioMainForm::ControlClick(const form::Control& control)
{
    // A button's label lies on its picture and clicks as the picture does (EQResetLabelClick, say).
    if (control.kind != form::ControlClass::Image && control.kind != form::ControlClass::Label)
        return;
    const auto tag = static_cast<Tag>(control.tag);
    if (tag == Tag::CloseImage)
        CloseImageClick();
    else if (tag == Tag::PageLed)
        LedTabClick(control.kind == form::ControlClass::Label);
    else if (tag == Tag::MinimizeImage)
        MinimizeImageClick();
    else if (control.tag == form::kNoTag)
        std::ranges::any_of(pages_.All(), [&control](panel::PagePresenter* page) { return page->ControlClick(control); });
    else
        std::ranges::any_of(pages_.All(), [tag](panel::PagePresenter* page) { return page->ImageClick(tag); });
}

// --- Image buttons.
bool TAudioMainForm::DeviceGuardRefuses(int tag)
{
    if (state_.deviceActive || tag <= 1 ||
        std::ranges::find(kGuardFreeTags, static_cast<Tag>(tag)) != std::end(kGuardFreeTags))
        return false;
    ShowWarning(L"LabelWarning");
    return true;
}

void TAudioMainForm::ShowWarning(const wchar_t* labelKey)
{
    window_.messageBoxes.Show(language_.Label(labelKey).text, title_, ports::MessageBoxIcon::Exclamation);
}

void TAudioMainForm::ShowMessage(const std::wstring& text)
{
    window_.messageBoxes.Show(text, title_, ports::MessageBoxIcon::Exclamation);
}

void TAudioMainForm::Redraw()
{
    window_.window.Redraw();
}

void TAudioMainForm::ShowPressed(Tag tag, bool pressed)
{
    const int value = form::TagValue(tag);
    if (pressed)
        states_.pressedTags.insert(value);
    else
        states_.pressedTags.erase(value);
    form::Control* image = form_.FindImageByTag(value);
    if (image == nullptr)
        return;
    if (const panel::SkinnedImage* skinned = panel::FindSkinnedImage(image->name))
        panel::ShowSkinEntry(platform_.files, *panel::EntryFor(skin_, states_, *skinned).entry, *image, SkinFolder());
    // The menu and reset buttons' labels darken with them.
    if (value >= form::TagValue(Tag::Save))
        if (form::Control* label = form_.FindLabelByTag(value))
            if (const panel::LabelBinding* binding = panel::FindLabelBinding(label->name))
                panel::ApplyLabelColour(language_.Label(binding->key), *label, !pressed, language_.font);
    window_.window.Redraw();
}

void TAudioMainForm::OnImageMouseDown(int tag)
{
    if (DeviceGuardRefuses(tag))
        return;
    pressAccepted_ = true;
    const auto named = static_cast<Tag>(tag);
    switch (named) {
    case Tag::CloseImage:
    case Tag::MinimizeImage:
    case Tag::About:
        ShowPressed(named, true);
        break;
    case Tag::PageEq:
    case Tag::PageEffect:
    case Tag::PageMic:
    case Tag::PageVirtual:
    case Tag::PageVoice:
    case Tag::PageEnc:
    case Tag::PageLed:
        OnLabelPageMouseDown(tag);
        break;
    case Tag::Sync:
        if (state_.deviceActive) {
            state_.synchronization = !state_.synchronization;
            states_.cells.sync = state_.synchronization ? 1 : 0;
        }
        break;
    default:
        if (std::ranges::none_of(pages_.All(),
                                 [named](panel::PagePresenter* page) { return page->ImageMouseDown(named); })) {
            pressAccepted_ = false;
            return;
        }
        break;
    }
    window_.window.Redraw();
}

void TAudioMainForm::OnImageMouseUp(int tag)
{
    const auto named = static_cast<Tag>(tag);
    switch (named) {
    case Tag::CloseImage:
    case Tag::MinimizeImage:
        ShowPressed(named, false);
        break;
    case Tag::About:
        ShowPressed(named, false);
        if (state_.deviceActive)
            ShowAbout();
        break;
    case Tag::PageVoice:
    case Tag::PageEnc:
    case Tag::PageLed:
        if (named != Tag::PageLed || states_.ledPageEnabled)
            LayOutCurrentPage();
        break;
    default:
        std::ranges::any_of(pages_.All(), [named](panel::PagePresenter* page) { return page->ImageMouseUp(named); });
        break;
    }
}

void TAudioMainForm::LedTabClick(bool label)
{
    if (!state_.deviceActive)
        return; // the tab's press has shown the no-device warning
    const int mode = features_.led.Settings().pageMode;
    if (mode == 1) {
        pages_.led.ApplyPage();
        return;
    }
    if ((label || mode != 0) && ledForm_ != nullptr)
        ledForm_->ShowModal();
}

void TAudioMainForm::OnShapeMouseDown(int tag)
{
    if (DeviceGuardRefuses(tag))
        return;
    pages_.led.ShapeMouseDown(tag);
}

// --- Pages.
void TAudioMainForm::OnLabelPageMouseDown(int tag)
{
    if (!state_.deviceActive) {
        ShowWarning(L"LabelWarning");
        return;
    }
    const auto page = panel::PageOfTab(tag);
    if (!page || (tag == form::TagValue(Tag::PageLed) && !states_.ledPageEnabled))
        return;
    states_.page = *page;
    // The tabs and the status area's picture show the new page at once, before the page itself.
    LayOutCurrentPage();
    if (*page == panel::kPageMic) {
        window_.pump.ProcessPendingMessages();
        features_.endpoints.StartCapture();
    } else if (features_.endpoints.CaptureRunning()) {
        features_.endpoints.StopCapture();
    }
    if (*page == panel::kPageEnc)
        pages_.noiseAndVoice.ShowNoiseCancellationPage();
    else if (*page == panel::kPageVoiceMagic)
        pages_.noiseAndVoice.ShowVoiceEffectPage();
    window_.pump.ProcessPendingMessages();
    LayOutCurrentPage();
}

// --- Slider drags through the application hook.
void TAudioMainForm::ApplicationMouseHook(const HookedMouse& mouse)
{
    if (LedDialogOpen())
        return;
    switch (mouse.kind) {
    case HookedMouse::Kind::LeftDown:
        DragPress(mouse);
        break;
    case HookedMouse::Kind::Move:
        DragMove(mouse);
        break;
    case HookedMouse::Kind::LeftUp:
        if (press_.dragging && press_.mode == panel::DragMode::NoiseCancellation)
            pages_.noiseAndVoice.EncSliderReleased();
        if (press_.dragging && press_.mode == panel::DragMode::LedSpeed)
            pages_.led.KnobReleased(press_.control);
        press_ = {};
        break;
    }
}

void TAudioMainForm::DragPress(const HookedMouse& mouse)
{
    const form::Control* control = form_.ControlAt(mouse.clientX, mouse.clientY);
    press_ = {true,          control ? control->name : std::wstring(), mouse.screenX,
              mouse.screenY, control ? control->bounds.left : 0,       control ? control->bounds.top : 0};
    if (control == nullptr)
        return;

    panel::DragMode mode = panel::DragModeOf(control->name);
    form::Control* slider = form_.Find(control->name);
    if (mode == panel::DragMode::None) {
        const panel::TrackOfSlider* track = panel::FindTrack(control->name);
        if (track == nullptr)
            return;
        slider = form_.Find(track->slider);
        mode = panel::DragModeOf(track->slider);
    }
    if (!state_.deviceActive) {
        ShowWarning(L"LabelWarning");
        return;
    }
    if (mode == panel::DragMode::NoiseCancellation && !pages_.noiseAndVoice.NoiseCancellationAvailable()) {
        ShowWarning(L"LabelWarning1");
        return;
    }
    if (slider->name == control->name) {
        press_.dragging = true;
        press_.mode = mode;
        if (mode == panel::DragMode::NoiseCancellation)
            pages_.noiseAndVoice.EncSliderPressed(mouse.screenY);
        return;
    }
    // A click on a track puts the knob's middle where the click is, within the knob's range.
    MoveSliderTo(*slider, mode, mouse.clientY - slider->bounds.height / 2);
}

void TAudioMainForm::DragMove(const HookedMouse& mouse)
{
    if (!press_.dragging)
        return;
    form::Control* slider = form_.Find(press_.control);
    if (slider == nullptr)
        return;
    if (press_.mode == panel::DragMode::LedSpeed) {
        pages_.led.KnobDragged(press_.control, press_.controlLeft, mouse.screenX - press_.screenX);
        return;
    }
    const int top = press_.controlTop + (mouse.screenY - press_.screenY);
    if (press_.mode == panel::DragMode::Speaker) {
        const int left = press_.controlLeft + (mouse.screenX - press_.screenX);
        const form::Control& ring = *form_.Find(L"VirtualPicImage");
        slider->bounds = panel::ClampSpeaker(slider->bounds, left, top, skin_.ring, ring.bounds);
        timers_.SetEnabled(panel::kRingTimer, false);
        SliderMoved(*slider, press_.mode);
        return;
    }
    MoveSliderTo(*slider, press_.mode, top);
    if (press_.mode == panel::DragMode::NoiseCancellation)
        pages_.noiseAndVoice.EncSliderDragged(mouse.screenY);
}

void TAudioMainForm::MoveSliderTo(form::Control& slider, panel::DragMode mode, int top)
{
    panel::TopRange range;
    switch (mode) {
    case panel::DragMode::EqBand:
        range = panel::TravelRange(skin_.eqSlider);
        break;
    case panel::DragMode::MicGain:
        range = panel::TravelRange(skin_.micSlider);
        break;
    case panel::DragMode::D3:
        range = panel::kD3SliderRange;
        break;
    case panel::DragMode::NoiseCancellation:
        range = panel::NoiseCancellationRange(form_.Find(L"ENCBarImage")->bounds, slider.bounds.height);
        break;
    case panel::DragMode::Speaker:
    case panel::DragMode::LedSpeed:
    case panel::DragMode::None:
        return;
    }
    slider.bounds.top = range.Clamp(top);
    SliderMoved(slider, mode);
}

void TAudioMainForm::SliderMoved(const form::Control& slider, panel::DragMode mode)
{
    std::ranges::any_of(pages_.All(), [&](panel::PagePresenter* page) { return page->SliderMoved(slider, mode); });
    window_.window.Redraw();
}

// --- Device state.
void TAudioMainForm::ShowOutcome(device::DeviceOutcome outcome)
{
    outcome_ = outcome;
    const bool active = outcome == device::DeviceOutcome::Active;
    // Active shows the "in" picture up and the "out" picture down; otherwise the other way round.
    states_.cells.deviceIn = active ? 0 : 1;
    states_.cells.deviceOut = active ? 1 : 0;
    const panel::SwitchLook look = Look();
    panel::ShowTwoState(form_, look, 54, states_.cells.deviceIn);
    panel::ShowTwoState(form_, look, 55, states_.cells.deviceOut);
    ApplyDeviceStateLabel();
    LayOutCurrentPage();
}

void TAudioMainForm::ReturnControlsToDeviceAbsentLook()
{
    for (panel::PagePresenter* page : pages_.All())
        page->ShowDeviceAbsent();
}

// --- About box.
void TAudioMainForm::ShowAbout()
{
    if (aboutForm_ == nullptr)
        return;
    form::Form& about = aboutForm_->Form();
    about.SetCaption(language_.Label(L"LabelMenu3").text);
    const double scale = FontScale();
    panel::ApplyLabel(language_.Label(L"LabelAbout"), *about.Find(L"AboutLabel"), true, language_.font, scale);
    panel::ShowSkinEntry(platform_.files, skin_.Image(L"About", L"LogoImage"), *about.Find(L"LOGOQZImage"),
                         SkinFolder());
    panel::ApplyLabel(language_.Label(L"LabelWeb"), *about.Find(L"WebLabel"), true, language_.font, scale);
    window_.modal.ShowModal(about, [this](const form::Control& control) {
        if (control.name == L"WebLabel")
            WebLabelClick();
    });
}

void TAudioMainForm::WebLabelClick()
{
    if (aboutForm_ == nullptr)
        return;
    const std::wstring address = CutText(aboutForm_->Form().Find(L"WebLabel")->caption, kWebAddressChars);
    // Only a web address goes to the shell: a language file must not be able to start a program.
    if (HasScheme(address, L"http://") || HasScheme(address, L"https://"))
        window_.shell.Open(address);
}

} // namespace shell
