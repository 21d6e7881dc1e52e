#pragma once
// Every sound feature's model, built on the one device view the main window lends them.

#include "sound/AudioEndpoints.h"
#include "sound/EffectsAndMic.h"
#include "sound/Equalizer.h"
#include "sound/FeatureDevice.h"
#include "sound/LedDialogControl.h"
#include "sound/LedLighting.h"
#include "sound/NoiseAndVoice.h"
#include "sound/Profiles.h"
#include "sound/Sound3D.h"
#include "sound/Virtual71.h"

namespace sound {

struct SoundFeatures {
    SoundFeatures(const FeatureDevice& device, ports::WindowsAudio& audio)
        : endpoints(device, audio), equalizer(device), virtual71(device), sound3D(device, equalizer, virtual71),
          effectsAndMic(device, endpoints), noiseAndVoice(device), led(device), ledDialog(device),
          profiles(device, {equalizer, sound3D, effectsAndMic, virtual71, led, noiseAndVoice})
    {
    }

    AudioEndpoints endpoints; // the microphone's Windows side, which the Mic page's model drives
    Equalizer equalizer;
    Virtual71 virtual71;
    Sound3D sound3D; // shares the equalizer's configuration image and excludes virtual 7.1
    EffectsAndMic effectsAndMic;
    NoiseAndVoice noiseAndVoice;
    LedLighting led;
    LedDialogControl ledDialog;
    Profiles profiles;
};

} // namespace sound
