#pragma once
// Sound profiles: "DefaultProfile.ini", "LastProfile.ini" and the user's own, through the Save and
// Load buttons.

#include "sound/FeatureDevice.h"

namespace sound {

class Profiles {
public:
    explicit Profiles(const FeatureDevice& device) : device_(device) {}

    void Save();
    void Load();
    void RestoreDefaultProfile();
    // False when there was no "LastProfile.ini" to restore.
    bool RestoreLastProfile();
    void SaveLastProfile();

private:
    [[maybe_unused]] const FeatureDevice& device_; // the device work comes with the feature
};

} // namespace sound
