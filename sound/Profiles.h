#pragma once
// Sound profiles: "DefaultProfile.ini", "LastProfile.ini" and the user's own, through the Save and
// Load buttons.

#include "sound/FeatureContext.h"

namespace sound {

class Profiles {
public:
    explicit Profiles(FeatureContext& context) : context_(context) {}

    void SaveClick();
    void LoadClick();
    void RestoreDefaultProfile();
    // False when there was no "LastProfile.ini" to restore.
    bool RestoreLastProfile();
    void SaveLastProfile();

private:
    FeatureContext& context_;
};

} // namespace sound
