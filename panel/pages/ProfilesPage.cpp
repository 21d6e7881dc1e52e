#include "panel/pages/ProfilesPage.h"

namespace panel {

using form::Tag;

namespace {

// No default extension: the profile adds ".ini" by its own rule.
ports::FileDialogRequest Request(std::wstring initialFolder)
{
    return {.filter = sound::kProfileFileFilter,
            .defaultExtension = L"",
            .initialFolder = std::move(initialFolder),
            .fileName = L""};
}

} // namespace

bool ProfilesPage::ImageMouseDown(Tag tag)
{
    if (tag != Tag::Save && tag != Tag::Load)
        return false;
    view_.ShowPressed(tag, true);
    return true;
}

// The dialogs open on the release, as a button's click would.
bool ProfilesPage::ImageMouseUp(Tag tag)
{
    if (tag != Tag::Save && tag != Tag::Load)
        return false;
    view_.ShowPressed(tag, false);
    if (tag == Tag::Save)
        Save();
    else
        Load();
    return true;
}

void ProfilesPage::Save()
{
    if (!profiles_.DeviceReachable())
        return;
    const auto chosen = view_.FileDialogs().ChooseFileToSave(Request(profiles_.SaveFolder()));
    if (chosen)
        profiles_.SaveAs(*chosen);
}

void ProfilesPage::Load()
{
    if (!profiles_.DeviceReachable())
        return;
    const auto chosen = view_.FileDialogs().ChooseFileToOpen(Request(profiles_.LoadFolder()));
    if (!chosen)
        return;
    const sound::ProfileReadResult result = profiles_.ReadProfile(*chosen);
    ShowProfile();
    if (!result.complete)
        view_.ShowMessage(StoppedReadText(*chosen, result));
}

void ProfilesPage::ShowProfile()
{
    pages_.equalizer.ShowSliders();
    pages_.equalizer.ShowValues();
    pages_.sound3D.ShowControls();
    pages_.virtual71.PlaceSpeakers();
    pages_.virtual71.ShowSwitch();
    pages_.effects.ShowEffect();
    pages_.led.ShowState();
    view_.LayOutCurrentPage();
}

std::wstring ProfilesPage::StoppedReadText(const std::wstring& path, const sound::ProfileReadResult& result)
{
    return L"The profile \"" + path + L"\" was read only up to the value \"" + result.key + L"\" of section [" +
           result.section + L"], which is missing or not a number. The settings before it were applied.";
}

} // namespace panel
