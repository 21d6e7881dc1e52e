#include "panel/pages/ProfilesPage.h"

namespace panel {

using form::Tag;

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
        profiles_.Save();
    else
        profiles_.Load();
    return true;
}

} // namespace panel
