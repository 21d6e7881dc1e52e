#pragma once
// The status area's "Save" and "Load" buttons, and showing what a profile read changed.

#include "panel/pages/EffectsAndMicPage.h"
#include "panel/pages/EqualizerPage.h"
#include "panel/pages/LedPage.h"
#include "panel/pages/PagePresenter.h"
#include "panel/pages/PageView.h"
#include "panel/pages/Sound3DPage.h"
#include "panel/pages/Virtual71Page.h"
#include "sound/Profiles.h"

namespace panel {

// The pages whose controls a profile read moves.
struct ProfilePages {
    EqualizerPage& equalizer;
    Sound3DPage& sound3D;
    Virtual71Page& virtual71;
    EffectsAndMicPage& effects;
    LedPage& led;
};

class ProfilesPage final : public PagePresenter {
public:
    ProfilesPage(PageView& view, sound::Profiles& profiles, ProfilePages pages)
        : view_(view), profiles_(profiles), pages_(pages)
    {
    }

    bool ImageMouseDown(form::Tag tag) override;
    bool ImageMouseUp(form::Tag tag) override;

    // "Save": the save dialog in the user's profile folder, then the profile written there.
    void Save();
    // "Load": the open dialog in the folder of the profile saved last, then the profile read and shown;
    // a read that stopped says which value stopped it.
    void Load();
    // The controls after a profile read, and the current page drawn again.
    void ShowProfile();
    // The text that tells the user why a profile read stopped.
    static std::wstring StoppedReadText(const std::wstring& path, const sound::ProfileReadResult& result);

private:
    PageView& view_;
    sound::Profiles& profiles_;
    ProfilePages pages_;
};

} // namespace panel
