#include "panel/skin/SkinKeys.h"

#include "panel/skin/SkinImageEntry.h"
#include "panel/skin/SkinSwatches.h"

#include <initializer_list>
#include <vector>

namespace panel {

namespace {

std::vector<SkinKey> BuildSkinKeys()
{
    std::vector<SkinKey> keys;
    const auto images = [&keys](const wchar_t* section, int page, std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names)
            keys.push_back({section, name, SkinKeyKind::Image, page});
    };
    const auto geometry = [&keys](const wchar_t* section, const wchar_t* name, SkinKeyKind kind) {
        keys.push_back({section, name, kind, kPageMain});
    };

    images(L"Main", kPageMain,
           {L"MainFormImage",
            L"CloseImageUp",
            L"CloseImageDown",
            L"MinimizeImageUp",
            L"MinimizeImageDown",
            L"DeviceActiveImage",
            L"Menu1ImageUp",
            L"Menu1ImageDown",
            L"Menu2ImageUp",
            L"Menu2ImageDown",
            L"Menu3ImageUp",
            L"Menu3ImageDown",
            L"LogoImage",
            L"LedImageUp",
            L"LedImageDown",
            L"MainLeftImage1",
            L"MainLeftImage2",
            L"MainLeftImage3",
            L"MainLeftImage4",
            L"DeviceActiveUpImage",
            L"DeviceActiveDownImage",
            L"DeviceUnActiveUpImage",
            L"DeviceUnActiveDownImage"});
    geometry(L"Main", L"BevelLine", SkinKeyKind::BevelLine);
    geometry(L"Main", L"BevelLine2", SkinKeyKind::BevelLine2);

    images(L"EQ", kPageEq,
           {L"Back_EQImage",        L"EQEQENImageUp",       L"EQEQENImageDown",     L"EQ3DENImageUp",
            L"EQ3DENImageDown",     L"EQResetImageUp",      L"EQResetImageDown",    L"EQS1ImageUp",
            L"EQS1ImageDown",       L"EQS2ImageUp",         L"EQS2ImageDown",       L"EQS3ImageUp",
            L"EQS3ImageDown",       L"EQS4ImageUp",         L"EQS4ImageDown",       L"EQButtonLineImage1",
            L"EQButtonLineImage2",  L"EQButtonLineImage3",  L"EQButtonLineImage4",  L"EQButtonLineImage5",
            L"EQGraduationImage",   L"EQ60HzBarImage",      L"EQ300HzBarImage",     L"EQ1200HzBarImage",
            L"EQ3600HzBarImage",    L"EQ12000HzBarImage",   L"EQ60HzSliderImage",   L"EQ300HzSliderImage",
            L"EQ1200HzSliderImage", L"EQ3600HzSliderImage", L"EQ12000HzSliderImage"});
    images(L"EQ", kPageMain,
           {L"EQ60HzBarDownImage", L"EQ300HzBarDownImage", L"EQ1200HzBarDownImage", L"EQ3600HzBarDownImage",
            L"EQ12000HzBarDownImage"});
    geometry(L"EQ", L"EQSlider", SkinKeyKind::EqSlider);

    images(L"3D", kPage3D,
           {L"Back_3DImage",
            L"D33DENImageUp",
            L"D33DENImageDown",
            L"D3FBMImageUp",
            L"D3FBMImageDown",
            L"D3ResetImageUp",
            L"D3ResetImageDown",
            L"D3LChannelImage",
            L"D3RChannelImage",
            L"D3ConnectionImage",
            L"D3AlphaIndepImage",
            L"D3AlphaDepImage",
            L"D3AlphaInvImage",
            L"D3BetaIndepImage",
            L"D3BetaDepImage",
            L"D3BetaInvImage",
            L"D3ButtonLineImage1",
            L"D3ButtonLineImage2",
            L"D3LAlphaGraduationImage",
            L"D3LBetaGraduationImage",
            L"D3RAlphaGraduationImage",
            L"D3RBetaGraduationImage",
            L"D3LAlphaBarImage",
            L"D3LBetaBarImage",
            L"D3RAlphaBarImage",
            L"D3RBetaBarImage",
            L"D3LAlphaSliderImage",
            L"D3LBetaSliderImage",
            L"D3RAlphaSliderImage",
            L"D3RBetaSliderImage"});

    images(L"Effect", kPageEffect,
           {L"Back_EffectImage",
            L"EffectButtonNonImageUp",
            L"EffectButtonNonImageDown",
            L"EffectButtonTheaterImageUp",
            L"EffectButtonTheaterImageDown",
            L"EffectButtonBathroomImageUp",
            L"EffectButtonBathroomImageDown",
            L"EffectButtonLivingroomImageUp",
            L"EffectButtonLivingroomImageDown",
            L"EffectButtonStoneGalleryImageUp",
            L"EffectButtonStoneGalleryImageDown",
            L"EffectButtonLineImage1",
            L"EffectButtonLineImage2",
            L"EffectButtonLineImage3",
            L"EffectButtonLineImage4",
            L"EffectPicNonImage",
            L"EffectPicTheaterImage",
            L"EffectPicBathroomImage",
            L"EffectPicLivingroomImage",
            L"EffectPicStoneGalleryImage",
            L"EffectNonUpImage",
            L"EffectNonDownImage",
            L"EffectTheaterUpImage",
            L"EffectTheaterDownImage",
            L"EffectStoneGalleryUpImage",
            L"EffectStoneGalleryDownImage",
            L"EffectLivingroomUpImage",
            L"EffectLivingroomDownImage",
            L"EffectBathroomUpImage",
            L"EffectBathroomDownImage"});

    images(L"Mic", kPageMic,
           {L"Back_MicImage", L"MicBoostImageUp", L"MicBoostImageDown", L"MicMuteImageUp", L"MicMuteImageDown",
            L"MicMonitorImageUp", L"MicMonitorImageDown", L"MicButtonLineImage", L"MicPicImage", L"MicProgressImage",
            L"MicGainImage", L"MicGraduationImage", L"MicBarImage", L"MicSliderImage", L"MicValueImage"});
    images(L"Mic", kPageMain, {L"MicBarDownImage"});
    geometry(L"Mic", L"MicSlider", SkinKeyKind::MicSlider);
    geometry(L"Mic", L"MicProgressLength", SkinKeyKind::MicProgressLength);

    images(L"Virtual7ch1", kPageVirtual7p1,
           {L"Back_Virtual7p1Image",
            L"VirtualEnableImageUp",
            L"VirtualEnableImageDown",
            L"VirtualClockwiseUpImage",
            L"VirtualClockwiseDownImage",
            L"VirtualCounterclockwiseUpImage",
            L"VirtualCounterclockwiseDownImage",
            L"VirtualEnlargeUpImage",
            L"VirtualEnlargeDownImage",
            L"VirtualNarrowUpImage",
            L"VirtualNarrowDownImage",
            L"VirtualResetUpImage",
            L"VirtualResetDownImage",
            L"VirtualPicImage",
            L"VirtualCImage",
            L"VirtualLImage",
            L"VirtualLSImage",
            L"VirtualLBImage",
            L"VirtualRBImage",
            L"VirtualRSImage",
            L"VirtualRImage",
            L"VirtualSUBImage",
            L"VirtualButtonLineImage1",
            L"VirtualButtonLineImage2",
            L"VirtualButtonLineImage3"});
    geometry(L"Virtual7ch1", L"VirtualCenter", SkinKeyKind::VirtualCenter);

    images(L"About", kPageMain, {L"LogoImage"});
    geometry(L"About", L"Color", SkinKeyKind::AboutColour);

    images(L"Main", kPageMain,
           {L"PageEQUpImage", L"PageEffectUpImage", L"PageMicUpImage", L"PageVirtual7p1UpImage", L"PageEQDownImage",
            L"PageEffectDownImage", L"PageMicDownImage", L"PageVirtual7p1DownImage", L"PageLEDUpImage",
            L"PageLEDDownImage", L"PageENCUpImage", L"PageENCDownImage", L"PageVMEffectUpImage",
            L"PageVMEffectDownImage"});

    images(L"LED", kPageLed,
           {L"ColorBreatheBarImage", L"ColorRainbowBarImage", L"ColorPulsatingBarImage", L"ColorBreatheSliderUpImage",
            L"ColorBreatheSliderDownImage", L"ColorRainbowSliderUpImage", L"ColorRainbowSliderDownImage",
            L"ColorPulsatingSliderUpImage", L"ColorPulsatingSliderDownImage", L"ColorBreatheCheckUpImage",
            L"ColorBreatheCheckDownImage", L"ColorRainbowCheckUpImage", L"ColorRainbowCheckDownImage",
            L"ColorPulsatingCheckUpImage", L"ColorPulsatingCheckDownImage", L"ColorLEDOffCheckUpImage",
            L"ColorLEDOffCheckDownImage", L"ColorSingleCheckUpImage", L"ColorSingleCheckDownImage"});
    geometry(L"LED", L"LEDPageMode", SkinKeyKind::LedPageMode);
    geometry(L"LED", L"LEDFastRightSide", SkinKeyKind::LedFastRightSide);
    for (const SkinSwatchDefault& swatch : SkinSwatchDefaults())
        geometry(L"LED", swatch.name, SkinKeyKind::Swatch);

    images(L"ENC", kPageEnc,
           {L"ENCFunctionUpImage", L"ENCFunctionDownImage", L"ENCBarImage", L"ENCSliderImage", L"ENCValueImage"});
    geometry(L"ENC", L"ENCSlider", SkinKeyKind::EncSlider);

    images(L"VoiceMagic", kPageVoiceMagic,
           {L"VMEffectNoneUpImage", L"VMEffectNoneDownImage", L"VMEffect1UpImage", L"VMEffect1DownImage",
            L"VMEffect2UpImage", L"VMEffect2DownImage", L"VMEffect3UpImage", L"VMEffect3DownImage", L"VMEffect4UpImage",
            L"VMEffect4DownImage", L"VMFunctionUpImage", L"VMFunctionDownImage"});
    return keys;
}

} // namespace

std::span<const SkinKey> SkinKeys()
{
    static const std::vector<SkinKey> keys = BuildSkinKeys();
    return keys;
}

} // namespace panel
