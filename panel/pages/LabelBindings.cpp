#include "panel/pages/LabelBindings.h"

namespace panel {

namespace {

constexpr LabelBinding kBindings[] = {
    {L"Menu1Label", L"LabelMenu1"},
    {L"Menu2Label", L"LabelMenu2"},
    {L"Menu3Label", L"LabelMenu3"},
    {L"PageEQLabel", L"LabelPageEQ"},
    {L"Page3DLabel", L"LabelPage3D"},
    {L"PageEffectLabel", L"LabelPageEffect"},
    {L"PageMicLabel", L"LabelPageMic"},
    {L"PageVirtual7p1Label", L"LabelPageVirtual7ch1"},
    {L"SyncLabel", L"LabelSync"},
    {L"SettingLabel", L"LabelSetting"},
    {L"FeaturesLabel", L"LabelFeatures"},
    {L"CompanyNameLabel", L"LabelCompanyName"},
    {L"DeviceInLabel", L"DeviceInLabel"},
    {L"DeviceOutLabel", L"DeviceOutLabel"},
    {L"PageLEDLabel", L"LabelPageLED"},
    {L"PageENCLabel", L"LabelPageENC"},
    {L"PageVMEffectLabel", L"LabelPageVMEffect"},
    {L"EQEQENLabel", L"LabelEQEnable"},
    {L"EQ3DENLabel", L"LableEQ3DEnable"},
    {L"EQResetLabel", L"LabelEQReset"},
    {L"EQS1Label", L"LabelEQS1"},
    {L"EQS2Label", L"LabelEQS2"},
    {L"EQS3Label", L"LabelEQS3"},
    {L"EQS4Label", L"LabelEQS4"},
    {L"EQ60HzLabel", L"LabelEQ60Hz"},
    {L"EQ300HzLabel", L"LabelEQ300Hz"},
    {L"EQ1200HzLabel", L"LabelEQ1200Hz"},
    {L"EQ3600HzLabel", L"LabelEQ3600Hz"},
    {L"EQ12000HzLabel", L"LabelEQ12000Hz"},
    {L"EQ60HzValueLabel", L"LabelEQ60HzValue"},
    {L"EQ300HzValueLabel", L"LabelEQ300HzValue"},
    {L"EQ1200HzValueLabel", L"LabelEQ1200HzValue"},
    {L"EQ3600HzValueLabel", L"LabelEQ3600HzValue"},
    {L"EQ12000HzValueLabel", L"LabelEQ12000HzValue"},
    {L"D33DENLabel", L"Label3DEnable"},
    {L"D3FBMLabel", L"Label3DFBM"},
    {L"D3ResetLabel", L"Label3DReset"},
    {L"D3LChannelLabel", L"Label3DLeftChannel"},
    {L"D3RChannelLabel", L"Label3DRightChannel"},
    {L"D3ConnectLabel", L"Label3DConnection"},
    {L"D3LBetaValueLabel", L"Label3DLBetaValue"},
    {L"D3LAlphaValueLabel", L"Label3DLAlphaValue"},
    {L"D3RBetaValueLabel", L"Label3DRBetaValue"},
    {L"D3RAlphaValueLabel", L"Label3DRAlphaValue"},
    {L"EffectNonLabel", L"LabelEffectNothing"},
    {L"EffectTheaterLabel", L"LabelEffectTheater"},
    {L"EffectBathroomLabel", L"LabelEffectBathroom"},
    {L"EffectLivingroomLabel", L"LabelEffectLivingroom"},
    {L"EffectStoneGalleryLabel", L"LabelEffectStoneGallery"},
    {L"MicBoostLabel", L"LabelMicBoost"},
    {L"MicMuteLabel", L"LabelMicMute"},
    {L"MicMonitorLabel", L"LabelMicMonitor"},
    {L"MicGainLabel", L"LabelMicGain"},
    {L"MicValueLabel", L"LabelMicValue"},
    {L"VirtualENLabel", L"Label7ch1Enable"},
    {L"VirtualClockwiseLabel", L"LabelVirtualClockwise"},
    {L"VirtualCounterclockwiseLabel", L"LabelVirtualCounterclockwise"},
    {L"VirtualEnlargeLabel", L"LabelVirtualEnlarge"},
    {L"VirtualNarrowLabel", L"LabelVirtualNarrow"},
    {L"VirtualResetLabel", L"Label7ch1Reset"},
    {L"ColorBreatheLabel", L"ColorBreatheLabel", true},
    {L"ColorRainbowLabel", L"ColorRainbowLabel", true},
    {L"ColorPulsatingLabel", L"ColorPulsatingLabel", true},
    {L"ColorSelectLabel", L"ColorSelectLabel", true},
    {L"ColorEffectLabel", L"ColorEffectLabel", true},
    {L"ColorLEDOffLabel", L"ColorLEDOffLabel", true},
    {L"ColorSingleLabel", L"ColorSingleLabel", true},
    {L"ColorSlowLabel", L"ColorSlowLabel", true},
    {L"ColorFastLabel", L"ColorFastLabel", true},
    {L"ENCFunctionLabel", L"ENCFunctionLabel"},
    {L"ENCValueLabel", L"LabelENCValue"},
    {L"VMEffectNoneLabel", L"VMEffectNoneLabel"},
    {L"VMEffect1Label", L"VMEffect1Label"},
    {L"VMEffect2Label", L"VMEffect2Label"},
    {L"VMEffect3Label", L"VMEffect3Label"},
    {L"VMEffect4Label", L"VMEffect4Label"},
    {L"VMFunctionLabel", L"VMFunctionLabel"},
};

} // namespace

std::span<const LabelBinding> LabelBindings()
{
    return kBindings;
}

const LabelBinding* FindLabelBinding(std::wstring_view control)
{
    for (const LabelBinding& binding : kBindings)
        if (control == binding.control)
            return &binding;
    return nullptr;
}

} // namespace panel
