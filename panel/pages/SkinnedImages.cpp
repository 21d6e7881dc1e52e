#include "panel/pages/SkinnedImages.h"

#include <algorithm>
#include <array>

namespace panel {

namespace {

using K = LookKind;

// Entry names of the controls that pick one of several pictures.
// Effects 1-5 are Nothing, Theater, Bathroom, Living room and Stone gallery, whichever button shows them.
constexpr std::array kEffectPictures = {L"EffectPicNonImage", L"EffectPicTheaterImage", L"EffectPicBathroomImage",
                                        L"EffectPicLivingroomImage", L"EffectPicStoneGalleryImage"};
constexpr std::array kLeftPictures = {L"MainLeftImage1", L"MainLeftImage2", L"MainLeftImage3", L"MainLeftImage4"};
constexpr std::array kAlphaPictures = {L"D3AlphaIndepImage", L"D3AlphaDepImage", L"D3AlphaInvImage"};
constexpr std::array kBetaPictures = {L"D3BetaIndepImage", L"D3BetaDepImage", L"D3BetaInvImage"};

constexpr SkinnedImage kImages[] = {
    // Main
    {L"MainFormImage", L"Main", L"MainFormImage", nullptr},
    {L"MainLeftImage", L"Main", L"MainLeftImage1", nullptr, K::Choice},
    {L"CloseImage", L"Main", L"CloseImageUp", L"CloseImageDown", K::Pressed, 0},
    {L"MinimizeImage", L"Main", L"MinimizeImageUp", L"MinimizeImageDown", K::Pressed, 1},
    {L"DeviceActiveImage", L"Main", L"DeviceActiveImage", nullptr},
    {L"Menu1Image", L"Main", L"Menu1ImageUp", L"Menu1ImageDown", K::Pressed, 2},
    {L"Menu2Image", L"Main", L"Menu2ImageUp", L"Menu2ImageDown", K::Pressed, 3},
    {L"Menu3Image", L"Main", L"Menu3ImageUp", L"Menu3ImageDown", K::Pressed, 4},
    {L"LogoImage", L"Main", L"LogoImage", nullptr},
    {L"LEDImage", L"Main", L"LedImageUp", L"LedImageDown", K::Cell, 0, &SwitchCells::ledOn},
    {L"DeviceInImage", L"Main", L"DeviceActiveUpImage", L"DeviceActiveDownImage", K::Cell, 0, &SwitchCells::deviceIn},
    {L"DeviceOutImage", L"Main", L"DeviceUnActiveUpImage", L"DeviceUnActiveDownImage", K::Cell, 0,
     &SwitchCells::deviceOut},
    {L"PageEQImage", L"Main", L"PageEQUpImage", L"PageEQDownImage", K::Page, 1},
    {L"PageEffectImage", L"Main", L"PageEffectUpImage", L"PageEffectDownImage", K::Page, 2},
    {L"PageMicImage", L"Main", L"PageMicUpImage", L"PageMicDownImage", K::Page, 3},
    {L"PageVirtual7p1Image", L"Main", L"PageVirtual7p1UpImage", L"PageVirtual7p1DownImage", K::Page, 4},
    {L"PageLEDImage", L"Main", L"PageLEDUpImage", L"PageLEDDownImage", K::Page, 6},
    {L"PageENCImage", L"Main", L"PageENCUpImage", L"PageENCDownImage", K::Page, 7},
    {L"PageVMEffectImage", L"Main", L"PageVMEffectUpImage", L"PageVMEffectDownImage", K::Page, 8},

    // EQ
    {L"Back_EQImage", L"EQ", L"Back_EQImage", nullptr},
    {L"EQEQENImage", L"EQ", L"EQEQENImageUp", L"EQEQENImageDown", K::Cell, 0, &SwitchCells::eqEnable},
    {L"EQ3DENImage", L"EQ", L"EQ3DENImageUp", L"EQ3DENImageDown", K::Cell, 0, &SwitchCells::d3Enable},
    {L"EQResetImage", L"EQ", L"EQResetImageUp", L"EQResetImageDown", K::Pressed, 5},
    {L"EQS1Image", L"EQ", L"EQS1ImageUp", L"EQS1ImageDown", K::Preset, 1},
    {L"EQS2Image", L"EQ", L"EQS2ImageUp", L"EQS2ImageDown", K::Preset, 2},
    {L"EQS3Image", L"EQ", L"EQS3ImageUp", L"EQS3ImageDown", K::Preset, 3},
    {L"EQS4Image", L"EQ", L"EQS4ImageUp", L"EQS4ImageDown", K::Preset, 4},
    {L"EQButtonLineImage1", L"EQ", L"EQButtonLineImage1", nullptr},
    {L"EQButtonLineImage2", L"EQ", L"EQButtonLineImage2", nullptr},
    {L"EQButtonLineImage3", L"EQ", L"EQButtonLineImage3", nullptr},
    {L"EQButtonLineImage4", L"EQ", L"EQButtonLineImage4", nullptr},
    {L"EQButtonLineImage5", L"EQ", L"EQButtonLineImage5", nullptr},
    {L"EQGraduationImage", L"EQ", L"EQGraduationImage", nullptr},
    {L"EQ60HzBarImage", L"EQ", L"EQ60HzBarImage", nullptr},
    {L"EQ300HzBarImage", L"EQ", L"EQ300HzBarImage", nullptr},
    {L"EQ1200HzBarImage", L"EQ", L"EQ1200HzBarImage", nullptr},
    {L"EQ3600HzBarImage", L"EQ", L"EQ3600HzBarImage", nullptr},
    {L"EQ12000HzBarImage", L"EQ", L"EQ12000HzBarImage", nullptr},
    {L"EQ60HzBarDownImage", L"EQ", L"EQ60HzBarDownImage", nullptr},
    {L"EQ300HzBarDownImage", L"EQ", L"EQ300HzBarDownImage", nullptr},
    {L"EQ1200HzBarDownImage", L"EQ", L"EQ1200HzBarDownImage", nullptr},
    {L"EQ3600HzBarDownImage", L"EQ", L"EQ3600HzBarDownImage", nullptr},
    {L"EQ12000HzBarDownImage", L"EQ", L"EQ12000HzBarDownImage", nullptr},
    {L"EQ60HzSliderImage", L"EQ", L"EQ60HzSliderImage", nullptr},
    {L"EQ300HzSliderImage", L"EQ", L"EQ300HzSliderImage", nullptr},
    {L"EQ1200HzSliderImage", L"EQ", L"EQ1200HzSliderImage", nullptr},
    {L"EQ3600HzSliderImage", L"EQ", L"EQ3600HzSliderImage", nullptr},
    {L"EQ12000HzSliderImage", L"EQ", L"EQ12000HzSliderImage", nullptr},

    // 3D
    {L"Back_3DImage", L"3D", L"Back_3DImage", nullptr},
    {L"D33DENImage", L"3D", L"D33DENImageUp", L"D33DENImageDown", K::Cell, 0, &SwitchCells::d3Enable},
    {L"D3FBMImage", L"3D", L"D3FBMImageUp", L"D3FBMImageDown", K::Cell, 0, &SwitchCells::fbm},
    {L"D3ResetImage", L"3D", L"D3ResetImageUp", L"D3ResetImageDown", K::Pressed, 6},
    {L"D3LChannelImage", L"3D", L"D3LChannelImage", nullptr},
    {L"D3RChannelImage", L"3D", L"D3RChannelImage", nullptr},
    {L"D3ConnectionImage", L"3D", L"D3ConnectionImage", nullptr},
    {L"D3AlphaImage", L"3D", L"D3AlphaIndepImage", nullptr, K::Choice},
    {L"D3BetaImage", L"3D", L"D3BetaIndepImage", nullptr, K::Choice},
    {L"D3ButtonLineImage1", L"3D", L"D3ButtonLineImage1", nullptr},
    {L"D3ButtonLineImage2", L"3D", L"D3ButtonLineImage2", nullptr},
    {L"D3LAlphaGraduationImage", L"3D", L"D3LAlphaGraduationImage", nullptr},
    {L"D3LBetaGraduationImage", L"3D", L"D3LBetaGraduationImage", nullptr},
    {L"D3RAlphaGraduationImage", L"3D", L"D3RAlphaGraduationImage", nullptr},
    {L"D3RBetaGraduationImage", L"3D", L"D3RBetaGraduationImage", nullptr},
    {L"D3LAlphaBarImage", L"3D", L"D3LAlphaBarImage", nullptr},
    {L"D3LBetaBarImage", L"3D", L"D3LBetaBarImage", nullptr},
    {L"D3RAlphaBarImage", L"3D", L"D3RAlphaBarImage", nullptr},
    {L"D3RBetaBarImage", L"3D", L"D3RBetaBarImage", nullptr},
    {L"D3LAlphaSliderImage", L"3D", L"D3LAlphaSliderImage", nullptr},
    {L"D3LBetaSliderImage", L"3D", L"D3LBetaSliderImage", nullptr},
    {L"D3RAlphaSliderImage", L"3D", L"D3RAlphaSliderImage", nullptr},
    {L"D3RBetaSliderImage", L"3D", L"D3RBetaSliderImage", nullptr},

    // Effect: the buttons follow the effect numbers.
    {L"Back_EffectImage", L"Effect", L"Back_EffectImage", nullptr},
    {L"EffectButtonNonImage", L"Effect", L"EffectButtonNonImageUp", L"EffectButtonNonImageDown", K::Effect, 1},
    {L"EffectButtonTheaterImage", L"Effect", L"EffectButtonTheaterImageUp", L"EffectButtonTheaterImageDown", K::Effect,
     2},
    {L"EffectButtonStoneGalleryImage", L"Effect", L"EffectButtonStoneGalleryImageUp",
     L"EffectButtonStoneGalleryImageDown", K::Effect, 3},
    {L"EffectButtonLivingroomImage", L"Effect", L"EffectButtonLivingroomImageUp", L"EffectButtonLivingroomImageDown",
     K::Effect, 4},
    {L"EffectButtonBathroomImage", L"Effect", L"EffectButtonBathroomImageUp", L"EffectButtonBathroomImageDown",
     K::Effect, 5},
    {L"EffectButtonLineImage1", L"Effect", L"EffectButtonLineImage1", nullptr},
    {L"EffectButtonLineImage2", L"Effect", L"EffectButtonLineImage2", nullptr},
    {L"EffectButtonLineImage3", L"Effect", L"EffectButtonLineImage3", nullptr},
    {L"EffectButtonLineImage4", L"Effect", L"EffectButtonLineImage4", nullptr},
    {L"EffectPicImage", L"Effect", L"EffectPicNonImage", nullptr, K::Choice},

    // Mic
    {L"Back_MicImage", L"Mic", L"Back_MicImage", nullptr},
    {L"MicBoostImage", L"Mic", L"MicBoostImageUp", L"MicBoostImageDown", K::Cell, 0, &SwitchCells::micBoost},
    {L"MicMuteImage", L"Mic", L"MicMuteImageUp", L"MicMuteImageDown", K::Cell, 0, &SwitchCells::micMute},
    {L"MicMonitorImage", L"Mic", L"MicMonitorImageUp", L"MicMonitorImageDown", K::Cell, 0, &SwitchCells::micMonitor},
    {L"MicButtonLineImage", L"Mic", L"MicButtonLineImage", nullptr},
    {L"MicPicImage", L"Mic", L"MicPicImage", nullptr},
    {L"MicProgressImage", L"Mic", L"MicProgressImage", nullptr},
    {L"MicGainImage", L"Mic", L"MicGainImage", nullptr},
    {L"MicGraduationImage", L"Mic", L"MicGraduationImage", nullptr},
    {L"MicBarImage", L"Mic", L"MicBarImage", nullptr},
    {L"MicBarDownImage", L"Mic", L"MicBarDownImage", nullptr},
    {L"MicSliderImage", L"Mic", L"MicSliderImage", nullptr},
    {L"MicValueImage", L"Mic", L"MicValueImage", nullptr},

    // Virtual 7.1
    {L"Back_Virtual7p1Image", L"Virtual7ch1", L"Back_Virtual7p1Image", nullptr},
    {L"VirtualEnableImage", L"Virtual7ch1", L"VirtualEnableImageUp", L"VirtualEnableImageDown", K::Cell, 0,
     &SwitchCells::virtualEnable},
    {L"VirtualClockwiseImage", L"Virtual7ch1", L"VirtualClockwiseUpImage", L"VirtualClockwiseDownImage", K::Cell, 0,
     &SwitchCells::clockwise},
    {L"VirtualCounterclockwiseImage", L"Virtual7ch1", L"VirtualCounterclockwiseUpImage",
     L"VirtualCounterclockwiseDownImage", K::Cell, 0, &SwitchCells::counterclockwise},
    {L"VirtualEnlargeImage", L"Virtual7ch1", L"VirtualEnlargeUpImage", L"VirtualEnlargeDownImage", K::Cell, 0,
     &SwitchCells::enlarge},
    {L"VirtualNarrowImage", L"Virtual7ch1", L"VirtualNarrowUpImage", L"VirtualNarrowDownImage", K::Cell, 0,
     &SwitchCells::narrow},
    {L"VirtualResetImage", L"Virtual7ch1", L"VirtualResetUpImage", L"VirtualResetDownImage", K::Pressed, 48},
    {L"VirtualPicImage", L"Virtual7ch1", L"VirtualPicImage", nullptr},
    {L"VirtualCImage", L"Virtual7ch1", L"VirtualCImage", nullptr},
    {L"VirtualLImage", L"Virtual7ch1", L"VirtualLImage", nullptr},
    {L"VirtualLSImage", L"Virtual7ch1", L"VirtualLSImage", nullptr},
    {L"VirtualLBImage", L"Virtual7ch1", L"VirtualLBImage", nullptr},
    {L"VirtualRBImage", L"Virtual7ch1", L"VirtualRBImage", nullptr},
    {L"VirtualRSImage", L"Virtual7ch1", L"VirtualRSImage", nullptr},
    {L"VirtualRImage", L"Virtual7ch1", L"VirtualRImage", nullptr},
    {L"VirtualSUBImage", L"Virtual7ch1", L"VirtualSUBImage", nullptr},
    {L"VirtualButtonLineImage1", L"Virtual7ch1", L"VirtualButtonLineImage1", nullptr},
    {L"VirtualButtonLineImage2", L"Virtual7ch1", L"VirtualButtonLineImage2", nullptr},
    {L"VirtualButtonLineImage3", L"Virtual7ch1", L"VirtualButtonLineImage3", nullptr},

    // LED page
    {L"ColorBreatheBarImage", L"LED", L"ColorBreatheBarImage", nullptr, K::Fixed, 0, nullptr, true},
    {L"ColorRainbowBarImage", L"LED", L"ColorRainbowBarImage", nullptr, K::Fixed, 0, nullptr, true},
    {L"ColorPulsatingBarImage", L"LED", L"ColorPulsatingBarImage", nullptr, K::Fixed, 0, nullptr, true},
    {L"ColorBreatheSliderImage", L"LED", L"ColorBreatheSliderUpImage", L"ColorBreatheSliderDownImage", K::LedMode, 1,
     nullptr, true},
    {L"ColorRainbowSliderImage", L"LED", L"ColorRainbowSliderUpImage", L"ColorRainbowSliderDownImage", K::LedMode, 2,
     nullptr, true},
    {L"ColorPulsatingSliderImage", L"LED", L"ColorPulsatingSliderUpImage", L"ColorPulsatingSliderDownImage", K::LedMode,
     3, nullptr, true},
    {L"ColorBreatheCheckImage", L"LED", L"ColorBreatheCheckUpImage", L"ColorBreatheCheckDownImage", K::LedMode, 1,
     nullptr, true},
    {L"ColorRainbowCheckImage", L"LED", L"ColorRainbowCheckUpImage", L"ColorRainbowCheckDownImage", K::LedMode, 2,
     nullptr, true},
    {L"ColorPulsatingCheckImage", L"LED", L"ColorPulsatingCheckUpImage", L"ColorPulsatingCheckDownImage", K::LedMode, 3,
     nullptr, true},
    {L"ColorLEDOffCheckImage", L"LED", L"ColorLEDOffCheckUpImage", L"ColorLEDOffCheckDownImage", K::LedOff, 0, nullptr,
     true},
    {L"ColorSingleCheckImage", L"LED", L"ColorSingleCheckUpImage", L"ColorSingleCheckDownImage", K::LedSingle, 0,
     nullptr, true},

    // Noise cancellation and voice effects
    {L"ENCFunctionImage", L"ENC", L"ENCFunctionUpImage", L"ENCFunctionDownImage", K::Enc},
    {L"ENCBarImage", L"ENC", L"ENCBarImage", nullptr},
    {L"ENCSliderImage", L"ENC", L"ENCSliderImage", nullptr},
    {L"ENCValueImage", L"ENC", L"ENCValueImage", nullptr},
    {L"VMEffectNoneImage", L"VoiceMagic", L"VMEffectNoneUpImage", L"VMEffectNoneDownImage", K::VoiceEffect, 0},
    {L"VMEffect1Image", L"VoiceMagic", L"VMEffect1UpImage", L"VMEffect1DownImage", K::VoiceEffect, 1},
    {L"VMEffect2Image", L"VoiceMagic", L"VMEffect2UpImage", L"VMEffect2DownImage", K::VoiceEffect, 2},
    {L"VMEffect3Image", L"VoiceMagic", L"VMEffect3UpImage", L"VMEffect3DownImage", K::VoiceEffect, 3},
    {L"VMEffect4Image", L"VoiceMagic", L"VMEffect4UpImage", L"VMEffect4DownImage", K::VoiceEffect, 4},
    {L"VMFunctionImage", L"VoiceMagic", L"VMFunctionUpImage", L"VMFunctionDownImage", K::VoiceOn},
};

template <std::size_t N> const wchar_t* Pick(const std::array<const wchar_t*, N>& names, int index)
{
    return names[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(N) - 1))];
}

// The entry name of a control that chooses among several pictures.
const wchar_t* ChoiceKey(const SkinnedImage& image, const ControlStates& states)
{
    const std::wstring_view control = image.control;
    if (control == L"EffectPicImage")
        return Pick(kEffectPictures, states.selectedEffect - 1);
    if (control == L"D3AlphaImage")
        return Pick(kAlphaPictures, static_cast<int>(states.alphaLink));
    if (control == L"D3BetaImage")
        return Pick(kBetaPictures, static_cast<int>(states.betaLink));
    // The status area's left picture belongs to the first four pages; the others keep the first one.
    return Pick(kLeftPictures, states.page >= 1 && states.page <= 4 ? states.page - 1 : 0);
}

bool IsDown(const SkinnedImage& image, const ControlStates& states)
{
    switch (image.look) {
    case K::Fixed:
    case K::Choice:
        return false;
    case K::Cell:
        return states.cells.*image.cell != 0;
    case K::Pressed:
        return states.pressedTags.contains(image.which);
    case K::Page:
        return states.page == image.which;
    case K::Preset:
        return states.selectedPreset == image.which;
    case K::Effect:
        return states.selectedEffect == image.which;
    case K::Enc:
        return states.encOn;
    case K::VoiceEffect:
        return states.voiceEffect == image.which;
    case K::VoiceOn:
        return states.voiceOn;
    case K::LedMode:
        return static_cast<int>(states.ledEffectMode) == image.which;
    case K::LedOff:
        return states.ledOff;
    case K::LedSingle:
        return states.ledSingleColour;
    }
    return false;
}

} // namespace

std::span<const SkinnedImage> SkinnedImages()
{
    return kImages;
}

const SkinnedImage* FindSkinnedImage(std::wstring_view control)
{
    const auto found =
        std::ranges::find_if(kImages, [&](const SkinnedImage& image) { return control == image.control; });
    return found == std::end(kImages) ? nullptr : &*found;
}

ShownEntry EntryFor(const SkinSetting& skin, const ControlStates& states, const SkinnedImage& image)
{
    if (image.look == K::Choice)
        return {&skin.Image(image.section, ChoiceKey(image, states)), false};
    const bool down = IsDown(image, states);
    const wchar_t* key = down && image.down != nullptr ? image.down : image.up;
    return {&skin.Image(image.section, key), down};
}

} // namespace panel
