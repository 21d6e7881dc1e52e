#pragma once
// Sound profiles: INI files holding the whole sound set-up. "DefaultProfile.ini" (the factory's, only
// read), "LastProfile.ini" (written at exit, read at the next start) and the user's own, through the
// Save and Load buttons. The profile owns the file format and the order in which a read applies it; each
// feature owns what its values do.

#include "sound/EffectsAndMic.h"
#include "sound/Equalizer.h"
#include "sound/FeatureDevice.h"
#include "sound/LedLighting.h"
#include "sound/NoiseAndVoice.h"
#include "sound/Sound3D.h"
#include "sound/Virtual71.h"

#include <optional>
#include <string>

namespace sound {

inline constexpr wchar_t kProfileFileFilter[] = L"INI (*.ini)|*.ini";

// Where the profiles live; empty folders when the environment does not name them.
struct ProfileLocations {
    std::wstring defaultProfile; // %APPDATA%\<InstallFolderName>\DefaultProfile.ini
    std::wstring lastProfile;    // %APPDATA%\<InstallFolderName>\LastProfile.ini
    std::wstring userFolder;     // %USERPROFILE%\<InstallFolderName>: where Save starts
    std::wstring configFile;     // AudioConfig.cfg beside the program: "LastINI" "Path"
};

// A read stops at the first required value that is missing or no integer; what came before it stays
// applied.
struct ProfileReadResult {
    bool complete = true;
    std::wstring section; // of the value that stopped the read
    std::wstring key;
};

// The features the profile reads into and writes from.
struct ProfileFeatures {
    Equalizer& equalizer;
    Sound3D& sound3D;
    EffectsAndMic& effects;
    Virtual71& virtual71;
    LedLighting& led;
    NoiseAndVoice& noiseAndVoice;
};

class Profiles {
public:
    Profiles(const FeatureDevice& device, ProfileFeatures features) : device_(device), features_(features) {}

    void SetLocations(ProfileLocations locations) { locations_ = std::move(locations); }
    const ProfileLocations& Locations() const { return locations_; }

    // Every key of the profile, in its order, into `path`. The file is written beside it first and then
    // put in its place, so that an interrupted write leaves the previous profile whole. False when the
    // profile could not be written.
    bool WriteProfile(const std::wstring& path);
    // Applies the profile at `path` in the features' order.
    ProfileReadResult ReadProfile(const std::wstring& path);
    // The path of the profile read last; the LED keys are read from it.
    const std::wstring& RememberedPath() const { return rememberedPath_; }

    // Save and Load need the device's HID interface; without it they do nothing.
    bool DeviceReachable() const;
    // Save: the folder the dialog starts in, created when missing.
    std::wstring SaveFolder();
    // Load: the folder of the profile saved last, or the Save folder when none was.
    std::wstring LoadFolder();
    // The name the dialog gave, with ".ini" added unless it already holds it somewhere.
    static std::wstring WithIniExtension(const std::wstring& chosen);
    // Writes the chosen profile and remembers it as the one saved last.
    bool SaveAs(const std::wstring& chosen);

    // Start-up when "DefaultIni" is set: the factory profile, then its arrival defaults. Both return
    // nullopt when there is no factory profile.
    std::optional<ProfileReadResult> LoadDefaultProfile();
    bool ReadArrivalDefaults();
    // Start-up: "LastProfile.ini", nullopt when there is none.
    std::optional<ProfileReadResult> LoadLastProfile();
    // Exit: "LastProfile.ini", its folder created when missing.
    bool SaveLastProfile();

private:
    const FeatureDevice& device_;
    ProfileFeatures features_;
    ProfileLocations locations_;
    std::wstring rememberedPath_;
};

} // namespace sound
