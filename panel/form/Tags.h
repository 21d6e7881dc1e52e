#pragma once
// The tags of the main window's controls, by name. An image and its label share a tag; a slider's track
// carries the slider's tag + 100 and its lower track the slider's tag + 200. The page presenters and the
// button dispatch find their controls through these names, never through bare numbers.

namespace form {

enum class Tag : int {
    CloseImage = 0,
    MinimizeImage = 1,
    Save = 2,  // Menu1
    Load = 3,  // Menu2
    About = 4, // Menu3
    EqReset = 5,
    D3Reset = 6,
    EqEnable = 7,
    D3Enable = 8,
    EqPreset1 = 9, // to EqPreset1 + 3
    D3Fbm = 13,
    D3AlphaLink = 14,
    D3BetaLink = 15,
    Effect1 = 16, // to Effect1 + 4, in effect order
    MicBoost = 21,
    MicMute = 22,
    PageEq = 23,
    Page3D = 24,
    PageEffect = 25,
    PageMic = 26,
    PageVirtual = 27,
    Sync = 28,
    EqBand1Slider = 29, // to EqBand1Slider + 4
    D3LBetaSlider = 34,
    D3LAlphaSlider = 35,
    D3RBetaSlider = 36,
    D3RAlphaSlider = 37,
    MicSlider = 38,
    SpeakerL = 39, // to SpeakerL + 7: L, R, C, SUB, LS, RS, LB, RB
    VirtualEnable = 47,
    VirtualReset = 48,
    Clockwise = 49,
    Counterclockwise = 50,
    Led = 51,
    Narrow = 52,
    Enlarge = 53,
    DeviceIn = 54,
    DeviceOut = 55,
    EncSlider = 88,
    MicMonitor = 89,
    ColourShape1 = 151, // to ColourShape1 + 6
    ColourBreatheShape = 183,
    ColourSingleShape = 184,
    PageVoice = 226,
    PageEnc = 227,
    PageLed = 228,
};

inline constexpr int kEqPresetCount = 4;
inline constexpr int kEqBandCount = 5;
inline constexpr int kEffectCount = 5;
inline constexpr int kSpeakerCount = 8;
inline constexpr int kColourShapeCount = 7;

constexpr int TagValue(Tag tag)
{
    return static_cast<int>(tag);
}

// The n-th (0-based) of a run of tags that starts at `first`.
constexpr Tag Nth(Tag first, int n)
{
    return static_cast<Tag>(TagValue(first) + n);
}

// Whether `tag` lies in the run of `count` tags from `first`; `index` receives its place.
constexpr bool InRun(int tag, Tag first, int count, int& index)
{
    index = tag - TagValue(first);
    return index >= 0 && index < count;
}

constexpr int TrackTag(Tag slider)
{
    return TagValue(slider) + 100;
}

constexpr int LowerTrackTag(Tag slider)
{
    return TagValue(slider) + 200;
}

} // namespace form
