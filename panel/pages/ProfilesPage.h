#pragma once
// The status area's "Save" and "Load" buttons.

#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "sound/Profiles.h"

namespace panel {

class ProfilesPage final : public PagePresenter {
public:
    ProfilesPage(PageView& view, sound::Profiles& profiles) : view_(view), profiles_(profiles) {}

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;

private:
    PageView& view_;
    sound::Profiles& profiles_;
};

} // namespace panel
