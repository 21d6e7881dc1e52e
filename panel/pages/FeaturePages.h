#pragma once
// Every sound feature's presenter on the main window, in the order in which a press, a release or a
// slider move is offered to them and in which they return to the device-absent look.

#include "panel/pages/EffectsAndMicPage.h"
#include "panel/pages/EqualizerPage.h"
#include "panel/pages/LedPage.h"
#include "panel/pages/NoiseAndVoicePage.h"
#include "panel/pages/PageView.h"
#include "panel/pages/ProfilesPage.h"
#include "panel/pages/Sound3DPage.h"
#include "panel/pages/TestSoundPage.h"
#include "panel/pages/Virtual71Page.h"
#include "sound/SoundFeatures.h"

#include <array>

namespace panel {

struct FeaturePages {
    FeaturePages(PageView& view, sound::SoundFeatures& features)
        : equalizer(view, features.equalizer, features.sound3D), sound3D(view, features.sound3D),
          virtual71(view, features.virtual71, features.sound3D, features.endpoints),
          effectsAndMic(view, features.effectsAndMic, features.endpoints), noiseAndVoice(view, features.noiseAndVoice),
          led(view, features.led), profiles(view, features.profiles, {equalizer, sound3D, virtual71, effectsAndMic, led}),
          testSound(view, features.virtual71, features.endpoints)
    {
    }
    FeaturePages(const FeaturePages&) = delete;
    FeaturePages& operator=(const FeaturePages&) = delete;

    EqualizerPage equalizer;
    Sound3DPage sound3D;
    Virtual71Page virtual71;
    EffectsAndMicPage effectsAndMic;
    NoiseAndVoicePage noiseAndVoice;
    LedPage led;
    ProfilesPage profiles;
    TestSoundPage testSound;

    std::array<PagePresenter*, 8> All()
    {
        return {&equalizer, &sound3D, &virtual71, &effectsAndMic, &noiseAndVoice, &led, &profiles, &testSound};
    }
};

} // namespace panel
