#include "panel/form/MainFormComponents.h"

namespace form {

namespace {

constexpr ControlClass I = ControlClass::Image;
constexpr ControlClass L = ControlClass::Label;
constexpr ControlClass S = ControlClass::Shape;
constexpr ControlClass B = ControlClass::Bevel;
constexpr ControlClass C = ControlClass::CheckBox;
constexpr int N = kNoTag;

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
    {L"CloseImage", I, kTagCloseImage},
    {L"MinimizeImage", I, kTagMinimizeImage},
    {L"Menu1Image", I, 2},
    {L"Menu2Image", I, 3},
    {L"Menu3Image", I, 4},
    {L"SyncImage", I, 28},
    {L"LEDImage", I, 51},
    {L"DeviceInImage", I, 54},
    {L"DeviceOutImage", I, 55},
    {L"BeeImage", I, N},

    // Page tabs.
    {L"PageEQImage", I, 23},
    {L"Page3DImage", I, 24},
    {L"PageEffectImage", I, 25},
    {L"PageMicImage", I, 26},
    {L"PageVirtual7p1Image", I, 27},
    {L"PageVMEffectImage", I, 226},
    {L"PageENCImage", I, 227},
    {L"PageLEDImage", I, 228},

    // Equalizer page: tracks under their sliders.
    {L"EQEQENImage", I, 7},
    {L"EQ3DENImage", I, 8},
    {L"EQResetImage", I, 5},
    {L"EQS1Image", I, 9},
    {L"EQS2Image", I, 10},
    {L"EQS3Image", I, 11},
    {L"EQS4Image", I, 12},
    {L"EQButtonLineImage1", I, N},
    {L"EQButtonLineImage2", I, N},
    {L"EQButtonLineImage3", I, N},
    {L"EQButtonLineImage4", I, N},
    {L"EQButtonLineImage5", I, N},
    {L"EQGraduationImage", I, N},
    {L"EQ60HzBarImage", I, 129},
    {L"EQ300HzBarImage", I, 130},
    {L"EQ1200HzBarImage", I, 131},
    {L"EQ3600HzBarImage", I, 132},
    {L"EQ12000HzBarImage", I, 133},
    {L"EQ60HzBarDownImage", I, 229},
    {L"EQ300HzBarDownImage", I, 230},
    {L"EQ1200HzBarDownImage", I, 231},
    {L"EQ3600HzBarDownImage", I, 232},
    {L"EQ12000HzBarDownImage", I, 233},
    {L"EQ60HzSliderImage", I, 29},
    {L"EQ300HzSliderImage", I, 30},
    {L"EQ1200HzSliderImage", I, 31},
    {L"EQ3600HzSliderImage", I, 32},
    {L"EQ12000HzSliderImage", I, 33},

    // 3D page.
    {L"D33DENImage", I, N},
    {L"D3FBMImage", I, 13},
    {L"D3ResetImage", I, 6},
    {L"D3AlphaImage", I, 14},
    {L"D3BetaImage", I, 15},
    {L"D3LChannelImage", I, N},
    {L"D3RChannelImage", I, N},
    {L"D3ConnectionImage", I, N},
    {L"D3ButtonLineImage1", I, N},
    {L"D3ButtonLineImage2", I, N},
    {L"D3LAlphaGraduationImage", I, N},
    {L"D3LBetaGraduationImage", I, N},
    {L"D3RAlphaGraduationImage", I, N},
    {L"D3RBetaGraduationImage", I, N},
    {L"D3LBetaBarImage", I, 134},
    {L"D3LAlphaBarImage", I, 135},
    {L"D3RBetaBarImage", I, 136},
    {L"D3RAlphaBarImage", I, 137},
    {L"D3LBetaSliderImage", I, 34},
    {L"D3LAlphaSliderImage", I, 35},
    {L"D3RBetaSliderImage", I, 36},
    {L"D3RAlphaSliderImage", I, 37},

    // Environment effect page: the buttons' tags follow the effect numbers, not their names.
    {L"EffectButtonNonImage", I, 16},
    {L"EffectButtonTheaterImage", I, 17},
    {L"EffectButtonStoneGalleryImage", I, 18},
    {L"EffectButtonLivingroomImage", I, 19},
    {L"EffectButtonBathroomImage", I, 20},
    {L"EffectButtonLineImage1", I, N},
    {L"EffectButtonLineImage2", I, N},
    {L"EffectButtonLineImage3", I, N},
    {L"EffectButtonLineImage4", I, N},
    {L"EffectPicImage", I, N},

    // Microphone page.
    {L"MicBoostImage", I, 21},
    {L"MicMuteImage", I, 22},
    {L"MicMonitorImage", I, 89},
    {L"MicButtonLineImage", I, N},
    {L"MicPicImage", I, N},
    {L"MicProgressImage", I, N},
    {L"MicGainImage", I, N},
    {L"MicGraduationImage", I, N},
    {L"MicValueImage", I, N},
    {L"MicBarImage", I, 138},
    {L"MicBarDownImage", I, 238},
    {L"MicSliderImage", I, 38},

    // Virtual 7.1 page: the room picture, then the eight speakers on it.
    {L"VirtualEnableImage", I, 47},
    {L"VirtualResetImage", I, 48},
    {L"VirtualClockwiseImage", I, 49},
    {L"VirtualCounterclockwiseImage", I, 50},
    {L"VirtualNarrowImage", I, 52},
    {L"VirtualEnlargeImage", I, 53},
    {L"VirtualButtonLineImage1", I, N},
    {L"VirtualButtonLineImage2", I, N},
    {L"VirtualButtonLineImage3", I, N},
    {L"VirtualPicImage", I, N},
    {L"VirtualLImage", I, 39},
    {L"VirtualRImage", I, 40},
    {L"VirtualCImage", I, 41},
    {L"VirtualSUBImage", I, 42},
    {L"VirtualLSImage", I, 43},
    {L"VirtualRSImage", I, 44},
    {L"VirtualLBImage", I, 45},
    {L"VirtualRBImage", I, 46},
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
    {L"Color01Shape", S, 151},
    {L"Color02Shape", S, 152},
    {L"Color03Shape", S, 153},
    {L"Color04Shape", S, 154},
    {L"Color05Shape", S, 155},
    {L"Color06Shape", S, 156},
    {L"Color07Shape", S, 157},
    {L"ColorBreatheShape", S, 183},
    {L"ColorSingleShape", S, 184},

    // Noise cancellation and voice effect pages.
    {L"ENCFunctionImage", I, N},
    {L"ENCBarImage", I, 188},
    {L"ENCSliderImage", I, 88},
    {L"ENCValueImage", I, N},
    {L"VMEffectNoneImage", I, N},
    {L"VMEffect1Image", I, N},
    {L"VMEffect2Image", I, N},
    {L"VMEffect3Image", I, N},
    {L"VMEffect4Image", I, N},
    {L"VMFunctionImage", I, N},

    // Labels lie on top of the pictures.
    {L"Menu1Label", L, 2},
    {L"Menu2Label", L, 3},
    {L"Menu3Label", L, 4},
    {L"PageEQLabel", L, 23},
    {L"Page3DLabel", L, 24},
    {L"PageEffectLabel", L, 25},
    {L"PageMicLabel", L, 26},
    {L"PageVirtual7p1Label", L, 27},
    {L"PageVMEffectLabel", L, 226},
    {L"PageENCLabel", L, 227},
    {L"PageLEDLabel", L, 228},
    {L"DeviceActiveLabel", L, N},
    {L"SyncLabel", L, 28},
    {L"SettingLabel", L, N},
    {L"SXLabel", L, N},
    {L"FeaturesLabel", L, N},
    {L"CompanyNameLabel", L, N},
    {L"DeviceInLabel", L, 54},
    {L"DeviceOutLabel", L, 55},
    {L"EQEQENLabel", L, 7},
    {L"EQ3DENLabel", L, 8},
    {L"EQResetLabel", L, 5},
    {L"EQS1Label", L, 9},
    {L"EQS2Label", L, 10},
    {L"EQS3Label", L, 11},
    {L"EQS4Label", L, 12},
    {L"EQ60HzLabel", L, N},
    {L"EQ300HzLabel", L, N},
    {L"EQ1200HzLabel", L, N},
    {L"EQ3600HzLabel", L, N},
    {L"EQ12000HzLabel", L, N},
    {L"EQ60HzValueLabel", L, 29},
    {L"EQ300HzValueLabel", L, 30},
    {L"EQ1200HzValueLabel", L, 31},
    {L"EQ3600HzValueLabel", L, 32},
    {L"EQ12000HzValueLabel", L, 33},
    {L"D33DENLabel", L, N},
    {L"D3FBMLabel", L, 13},
    {L"D3ResetLabel", L, 6},
    {L"D3LChannelLabel", L, N},
    {L"D3RChannelLabel", L, N},
    {L"D3ConnectLabel", L, N},
    {L"D3LBetaValueLabel", L, 34},
    {L"D3LAlphaValueLabel", L, 35},
    {L"D3RBetaValueLabel", L, 36},
    {L"D3RAlphaValueLabel", L, 37},
    {L"EffectNonLabel", L, 16},
    {L"EffectTheaterLabel", L, 17},
    {L"EffectBathroomLabel", L, 18},
    {L"EffectLivingroomLabel", L, 19},
    {L"EffectStoneGalleryLabel", L, 20},
    {L"MicBoostLabel", L, 21},
    {L"MicMuteLabel", L, 22},
    {L"MicMonitorLabel", L, 89},
    {L"MicGainLabel", L, N},
    {L"MicValueLabel", L, N},
    {L"VirtualENLabel", L, 47},
    {L"VirtualResetLabel", L, 48},
    {L"VirtualClockwiseLabel", L, 49},
    {L"VirtualCounterclockwiseLabel", L, 50},
    {L"VirtualNarrowLabel", L, 52},
    {L"VirtualEnlargeLabel", L, 53},
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
