#include "panel/form/MainFormComponents.h"

namespace form {

namespace {

constexpr ControlClass I = ControlClass::Image;
constexpr ControlClass L = ControlClass::Label;
constexpr ControlClass S = ControlClass::Shape;
constexpr ControlClass B = ControlClass::Bevel;
constexpr ControlClass C = ControlClass::CheckBox;
constexpr int N = kNoTag;

constexpr int T(Tag tag)
{
    return TagValue(tag);
}

constexpr ComponentEntry kComponents[] = {
    // Backgrounds of the window and of every page.
    {L"MainFormImage", I, N},
    {L"MainLeftImage", I, N},
    {L"Back_EQImage", I, N},
    {L"Back_3DImage", I, N},
    {L"Back_EffectImage", I, N},
    {L"Back_MicImage", I, N},
    {L"Back_Virtual7p1Image", I, N},
    {L"LogoImage", I, N},
    {L"DeviceActiveImage", I, N},
    {L"Bevel2", B, N},
    {L"Bevel3", B, N},
    {L"Bevel4", B, N},
    {L"Bevel5", B, N},
    {L"Bevel6", B, N},
    {L"Bevel7", B, N},

    // Title bar and status area.
    {L"CloseImage", I, T(Tag::CloseImage)},
    {L"MinimizeImage", I, T(Tag::MinimizeImage)},
    {L"Menu1Image", I, T(Tag::Save)},
    {L"Menu2Image", I, T(Tag::Load)},
    {L"Menu3Image", I, T(Tag::About)},
    {L"SyncImage", I, T(Tag::Sync)},
    {L"LEDImage", I, T(Tag::Led)},
    {L"DeviceInImage", I, T(Tag::DeviceIn)},
    {L"DeviceOutImage", I, T(Tag::DeviceOut)},
    {L"BeeImage", I, N},

    // Page tabs.
    {L"PageEQImage", I, T(Tag::PageEq)},
    {L"Page3DImage", I, T(Tag::Page3D)},
    {L"PageEffectImage", I, T(Tag::PageEffect)},
    {L"PageMicImage", I, T(Tag::PageMic)},
    {L"PageVirtual7p1Image", I, T(Tag::PageVirtual)},
    {L"PageVMEffectImage", I, T(Tag::PageVoice)},
    {L"PageENCImage", I, T(Tag::PageEnc)},
    {L"PageLEDImage", I, T(Tag::PageLed)},

    // Equalizer page: tracks under their sliders.
    {L"EQEQENImage", I, T(Tag::EqEnable)},
    {L"EQ3DENImage", I, T(Tag::D3Enable)},
    {L"EQResetImage", I, T(Tag::EqReset)},
    {L"EQS1Image", I, T(Tag::EqPreset1)},
    {L"EQS2Image", I, T(Nth(Tag::EqPreset1, 1))},
    {L"EQS3Image", I, T(Nth(Tag::EqPreset1, 2))},
    {L"EQS4Image", I, T(Nth(Tag::EqPreset1, 3))},
    {L"EQButtonLineImage1", I, N},
    {L"EQButtonLineImage2", I, N},
    {L"EQButtonLineImage3", I, N},
    {L"EQButtonLineImage4", I, N},
    {L"EQButtonLineImage5", I, N},
    {L"EQGraduationImage", I, N},
    {L"EQ60HzBarImage", I, TrackTag(Tag::EqBand1Slider)},
    {L"EQ300HzBarImage", I, TrackTag(Nth(Tag::EqBand1Slider, 1))},
    {L"EQ1200HzBarImage", I, TrackTag(Nth(Tag::EqBand1Slider, 2))},
    {L"EQ3600HzBarImage", I, TrackTag(Nth(Tag::EqBand1Slider, 3))},
    {L"EQ12000HzBarImage", I, TrackTag(Nth(Tag::EqBand1Slider, 4))},
    {L"EQ60HzBarDownImage", I, LowerTrackTag(Tag::EqBand1Slider)},
    {L"EQ300HzBarDownImage", I, LowerTrackTag(Nth(Tag::EqBand1Slider, 1))},
    {L"EQ1200HzBarDownImage", I, LowerTrackTag(Nth(Tag::EqBand1Slider, 2))},
    {L"EQ3600HzBarDownImage", I, LowerTrackTag(Nth(Tag::EqBand1Slider, 3))},
    {L"EQ12000HzBarDownImage", I, LowerTrackTag(Nth(Tag::EqBand1Slider, 4))},
    {L"EQ60HzSliderImage", I, T(Tag::EqBand1Slider)},
    {L"EQ300HzSliderImage", I, T(Nth(Tag::EqBand1Slider, 1))},
    {L"EQ1200HzSliderImage", I, T(Nth(Tag::EqBand1Slider, 2))},
    {L"EQ3600HzSliderImage", I, T(Nth(Tag::EqBand1Slider, 3))},
    {L"EQ12000HzSliderImage", I, T(Nth(Tag::EqBand1Slider, 4))},

    // 3D page.
    {L"D33DENImage", I, N},
    {L"D3FBMImage", I, T(Tag::D3Fbm)},
    {L"D3ResetImage", I, T(Tag::D3Reset)},
    {L"D3AlphaImage", I, T(Tag::D3AlphaLink)},
    {L"D3BetaImage", I, T(Tag::D3BetaLink)},
    {L"D3LChannelImage", I, N},
    {L"D3RChannelImage", I, N},
    {L"D3ConnectionImage", I, N},
    {L"D3ButtonLineImage1", I, N},
    {L"D3ButtonLineImage2", I, N},
    {L"D3LAlphaGraduationImage", I, N},
    {L"D3LBetaGraduationImage", I, N},
    {L"D3RAlphaGraduationImage", I, N},
    {L"D3RBetaGraduationImage", I, N},
    {L"D3LBetaBarImage", I, TrackTag(Tag::D3LBetaSlider)},
    {L"D3LAlphaBarImage", I, TrackTag(Tag::D3LAlphaSlider)},
    {L"D3RBetaBarImage", I, TrackTag(Tag::D3RBetaSlider)},
    {L"D3RAlphaBarImage", I, TrackTag(Tag::D3RAlphaSlider)},
    {L"D3LBetaSliderImage", I, T(Tag::D3LBetaSlider)},
    {L"D3LAlphaSliderImage", I, T(Tag::D3LAlphaSlider)},
    {L"D3RBetaSliderImage", I, T(Tag::D3RBetaSlider)},
    {L"D3RAlphaSliderImage", I, T(Tag::D3RAlphaSlider)},

    // Environment effect page: the buttons' tags follow the effect numbers, not their names.
    {L"EffectButtonNonImage", I, T(Tag::Effect1)},
    {L"EffectButtonTheaterImage", I, T(Nth(Tag::Effect1, 1))},
    {L"EffectButtonStoneGalleryImage", I, T(Nth(Tag::Effect1, 2))},
    {L"EffectButtonLivingroomImage", I, T(Nth(Tag::Effect1, 3))},
    {L"EffectButtonBathroomImage", I, T(Nth(Tag::Effect1, 4))},
    {L"EffectButtonLineImage1", I, N},
    {L"EffectButtonLineImage2", I, N},
    {L"EffectButtonLineImage3", I, N},
    {L"EffectButtonLineImage4", I, N},
    {L"EffectPicImage", I, N},

    // Microphone page.
    {L"MicBoostImage", I, T(Tag::MicBoost)},
    {L"MicMuteImage", I, T(Tag::MicMute)},
    {L"MicMonitorImage", I, T(Tag::MicMonitor)},
    {L"MicButtonLineImage", I, N},
    {L"MicPicImage", I, N},
    {L"MicProgressImage", I, N},
    {L"MicGainImage", I, N},
    {L"MicGraduationImage", I, N},
    {L"MicValueImage", I, N},
    {L"MicBarImage", I, TrackTag(Tag::MicSlider)},
    {L"MicBarDownImage", I, LowerTrackTag(Tag::MicSlider)},
    {L"MicSliderImage", I, T(Tag::MicSlider)},

    // Virtual 7.1 page: the room picture, then the eight speakers on it.
    {L"VirtualEnableImage", I, T(Tag::VirtualEnable)},
    {L"VirtualResetImage", I, T(Tag::VirtualReset)},
    {L"VirtualClockwiseImage", I, T(Tag::Clockwise)},
    {L"VirtualCounterclockwiseImage", I, T(Tag::Counterclockwise)},
    {L"VirtualNarrowImage", I, T(Tag::Narrow)},
    {L"VirtualEnlargeImage", I, T(Tag::Enlarge)},
    {L"VirtualButtonLineImage1", I, N},
    {L"VirtualButtonLineImage2", I, N},
    {L"VirtualButtonLineImage3", I, N},
    {L"VirtualPicImage", I, N},
    {L"VirtualLImage", I, T(Tag::SpeakerL)},
    {L"VirtualRImage", I, T(Nth(Tag::SpeakerL, 1))},
    {L"VirtualCImage", I, T(Nth(Tag::SpeakerL, 2))},
    {L"VirtualSUBImage", I, T(Nth(Tag::SpeakerL, 3))},
    {L"VirtualLSImage", I, T(Nth(Tag::SpeakerL, 4))},
    {L"VirtualRSImage", I, T(Nth(Tag::SpeakerL, 5))},
    {L"VirtualLBImage", I, T(Nth(Tag::SpeakerL, 6))},
    {L"VirtualRBImage", I, T(Nth(Tag::SpeakerL, 7))},
    {L"BeeCheckBox", C, N},

    // LED page: bars under their knobs, check images, the palette.
    {L"ColorBreatheBarImage", I, N},
    {L"ColorRainbowBarImage", I, N},
    {L"ColorPulsatingBarImage", I, N},
    {L"ColorBreatheSliderImage", I, N},
    {L"ColorRainbowSliderImage", I, N},
    {L"ColorPulsatingSliderImage", I, N},
    {L"ColorBreatheCheckImage", I, N},
    {L"ColorRainbowCheckImage", I, N},
    {L"ColorPulsatingCheckImage", I, N},
    {L"ColorLEDOffCheckImage", I, N},
    {L"ColorSingleCheckImage", I, N},
    {L"Color01Shape", S, T(Tag::ColourShape1)},
    {L"Color02Shape", S, T(Nth(Tag::ColourShape1, 1))},
    {L"Color03Shape", S, T(Nth(Tag::ColourShape1, 2))},
    {L"Color04Shape", S, T(Nth(Tag::ColourShape1, 3))},
    {L"Color05Shape", S, T(Nth(Tag::ColourShape1, 4))},
    {L"Color06Shape", S, T(Nth(Tag::ColourShape1, 5))},
    {L"Color07Shape", S, T(Nth(Tag::ColourShape1, 6))},
    {L"ColorBreatheShape", S, T(Tag::ColourBreatheShape)},
    {L"ColorSingleShape", S, T(Tag::ColourSingleShape)},

    // Noise cancellation and voice effect pages.
    {L"ENCFunctionImage", I, N},
    {L"ENCBarImage", I, TrackTag(Tag::EncSlider)},
    {L"ENCSliderImage", I, T(Tag::EncSlider)},
    {L"ENCValueImage", I, N},
    {L"VMEffectNoneImage", I, N},
    {L"VMEffect1Image", I, N},
    {L"VMEffect2Image", I, N},
    {L"VMEffect3Image", I, N},
    {L"VMEffect4Image", I, N},
    {L"VMFunctionImage", I, N},

    // Labels lie on top of the pictures.
    {L"Menu1Label", L, T(Tag::Save)},
    {L"Menu2Label", L, T(Tag::Load)},
    {L"Menu3Label", L, T(Tag::About)},
    {L"PageEQLabel", L, T(Tag::PageEq)},
    {L"Page3DLabel", L, T(Tag::Page3D)},
    {L"PageEffectLabel", L, T(Tag::PageEffect)},
    {L"PageMicLabel", L, T(Tag::PageMic)},
    {L"PageVirtual7p1Label", L, T(Tag::PageVirtual)},
    {L"PageVMEffectLabel", L, T(Tag::PageVoice)},
    {L"PageENCLabel", L, T(Tag::PageEnc)},
    {L"PageLEDLabel", L, T(Tag::PageLed)},
    {L"DeviceActiveLabel", L, N},
    {L"SyncLabel", L, T(Tag::Sync)},
    {L"SettingLabel", L, N},
    {L"SXLabel", L, N},
    {L"FeaturesLabel", L, N},
    {L"CompanyNameLabel", L, N},
    {L"DeviceInLabel", L, T(Tag::DeviceIn)},
    {L"DeviceOutLabel", L, T(Tag::DeviceOut)},
    {L"EQEQENLabel", L, T(Tag::EqEnable)},
    {L"EQ3DENLabel", L, T(Tag::D3Enable)},
    {L"EQResetLabel", L, T(Tag::EqReset)},
    {L"EQS1Label", L, T(Tag::EqPreset1)},
    {L"EQS2Label", L, T(Nth(Tag::EqPreset1, 1))},
    {L"EQS3Label", L, T(Nth(Tag::EqPreset1, 2))},
    {L"EQS4Label", L, T(Nth(Tag::EqPreset1, 3))},
    {L"EQ60HzLabel", L, N},
    {L"EQ300HzLabel", L, N},
    {L"EQ1200HzLabel", L, N},
    {L"EQ3600HzLabel", L, N},
    {L"EQ12000HzLabel", L, N},
    {L"EQ60HzValueLabel", L, T(Tag::EqBand1Slider)},
    {L"EQ300HzValueLabel", L, T(Nth(Tag::EqBand1Slider, 1))},
    {L"EQ1200HzValueLabel", L, T(Nth(Tag::EqBand1Slider, 2))},
    {L"EQ3600HzValueLabel", L, T(Nth(Tag::EqBand1Slider, 3))},
    {L"EQ12000HzValueLabel", L, T(Nth(Tag::EqBand1Slider, 4))},
    {L"D33DENLabel", L, N},
    {L"D3FBMLabel", L, T(Tag::D3Fbm)},
    {L"D3ResetLabel", L, T(Tag::D3Reset)},
    {L"D3LChannelLabel", L, N},
    {L"D3RChannelLabel", L, N},
    {L"D3ConnectLabel", L, N},
    {L"D3LBetaValueLabel", L, T(Tag::D3LBetaSlider)},
    {L"D3LAlphaValueLabel", L, T(Tag::D3LAlphaSlider)},
    {L"D3RBetaValueLabel", L, T(Tag::D3RBetaSlider)},
    {L"D3RAlphaValueLabel", L, T(Tag::D3RAlphaSlider)},
    {L"EffectNonLabel", L, T(Tag::Effect1)},
    {L"EffectTheaterLabel", L, T(Nth(Tag::Effect1, 1))},
    {L"EffectBathroomLabel", L, T(Nth(Tag::Effect1, 2))},
    {L"EffectLivingroomLabel", L, T(Nth(Tag::Effect1, 3))},
    {L"EffectStoneGalleryLabel", L, T(Nth(Tag::Effect1, 4))},
    {L"MicBoostLabel", L, T(Tag::MicBoost)},
    {L"MicMuteLabel", L, T(Tag::MicMute)},
    {L"MicMonitorLabel", L, T(Tag::MicMonitor)},
    {L"MicGainLabel", L, N},
    {L"MicValueLabel", L, N},
    {L"VirtualENLabel", L, T(Tag::VirtualEnable)},
    {L"VirtualResetLabel", L, T(Tag::VirtualReset)},
    {L"VirtualClockwiseLabel", L, T(Tag::Clockwise)},
    {L"VirtualCounterclockwiseLabel", L, T(Tag::Counterclockwise)},
    {L"VirtualNarrowLabel", L, T(Tag::Narrow)},
    {L"VirtualEnlargeLabel", L, T(Tag::Enlarge)},
    {L"ColorBreatheLabel", L, N},
    {L"ColorRainbowLabel", L, N},
    {L"ColorPulsatingLabel", L, N},
    {L"ColorSelectLabel", L, N},
    {L"ColorEffectLabel", L, N},
    {L"ColorLEDOffLabel", L, N},
    {L"ColorSingleLabel", L, N},
    {L"ColorSlowLabel", L, N},
    {L"ColorFastLabel", L, N},
    {L"ENCFunctionLabel", L, N},
    {L"ENCValueLabel", L, N},
    {L"VMEffectNoneLabel", L, N},
    {L"VMEffect1Label", L, N},
    {L"VMEffect2Label", L, N},
    {L"VMEffect3Label", L, N},
    {L"VMEffect4Label", L, N},
    {L"VMFunctionLabel", L, N},
};

} // namespace

std::span<const ComponentEntry> MainFormComponents()
{
    return kComponents;
}

Form BuildMainForm(std::wstring caption)
{
    Form form(kMainFormName, std::move(caption), kDefaultMainFormWidth, kDefaultMainFormHeight, kDefaultMainFormColour);
    for (const ComponentEntry& entry : kComponents) {
        Control control;
        control.name = entry.name;
        control.kind = entry.kind;
        control.tag = entry.tag;
        control.visible = false;
        form.Add(std::move(control));
    }
    return form;
}

} // namespace form
