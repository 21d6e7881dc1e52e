#include "panel/language/LanguageKeys.h"

#include "panel/skin/SkinImageEntry.h"

#include <initializer_list>
#include <vector>

namespace panel {

namespace {

std::vector<LanguageKey> BuildLanguageKeys()
{
    std::vector<LanguageKey> keys;
    const auto labels = [&keys](const wchar_t* section, int page, std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names)
            keys.push_back({section, name, page});
    };

    labels(L"Main", kPageMain, {L"LabelMenu1",        L"LabelMenu2",      L"LabelMenu3",    L"LabelPageEQ",
                                L"LabelPage3D",       L"LabelPageEffect", L"LabelPageMic",  L"LabelPageVirtual7ch1",
                                L"LabelActive",       L"LabelUnDriver",   L"LabelUnactive", L"LabelSync",
                                L"LabelSetting",      L"LabelSX",         L"LabelFeatures", L"LabelCompanyName",
                                L"DeviceInLabel",     L"DeviceOutLabel",  L"LabelPageLED",  L"LabelPageENC",
                                L"LabelPageVMEffect", L"LabelLanguage",   L"LabelSkin",     L"LabelClose",
                                L"LabelPlugin"});
    // "LableEQ3DEnable" is spelled so in every language file in the field.
    labels(L"EQ", kPageEq,
           {L"LabelEQEnable", L"LableEQ3DEnable", L"LabelEQReset", L"LabelEQS1", L"LabelEQS2", L"LabelEQS3",
            L"LabelEQS4", L"LabelEQ60Hz", L"LabelEQ300Hz", L"LabelEQ1200Hz", L"LabelEQ3600Hz", L"LabelEQ12000Hz"});
    // The value labels under the sliders take their place and look from these; the page writes the values.
    labels(L"EQ", kPageEq,
           {L"LabelEQ60HzValue", L"LabelEQ300HzValue", L"LabelEQ1200HzValue", L"LabelEQ3600HzValue",
            L"LabelEQ12000HzValue"});
    labels(L"3D", kPage3D,
           {L"Label3DEnable", L"Label3DFBM", L"Label3DReset", L"Label3DLeftChannel", L"Label3DRightChannel",
            L"Label3DConnection", L"Label3DLBetaValue", L"Label3DLAlphaValue", L"Label3DRBetaValue",
            L"Label3DRAlphaValue"});
    labels(L"Effect", kPageEffect,
           {L"LabelEffectNothing", L"LabelEffectTheater", L"LabelEffectBathroom", L"LabelEffectLivingroom",
            L"LabelEffectStoneGallery"});
    labels(L"Mic", kPageMic,
           {L"LabelMicBoost", L"LabelMicMute", L"LabelMicMonitor", L"LabelMicGain", L"LabelMicValue"});
    labels(L"Virtual7ch1", kPageVirtual7p1,
           {L"Label7ch1Enable", L"LabelVirtualClockwise", L"LabelVirtualCounterclockwise", L"LabelVirtualEnlarge",
            L"LabelVirtualNarrow", L"Label7ch1Reset"});
    labels(L"LED", kPageLed,
           {L"ColorBreatheLabel", L"ColorRainbowLabel", L"ColorPulsatingLabel", L"ColorSelectLabel",
            L"ColorEffectLabel", L"ColorLEDOffLabel", L"ColorSingleLabel", L"ColorSlowLabel", L"ColorFastLabel"});
    labels(L"ENC", kPageEnc, {L"ENCFunctionLabel", L"LabelENCValue"});
    labels(L"VoiceMagic", kPageVoiceMagic,
           {L"VMEffectNoneLabel", L"VMEffect1Label", L"VMEffect2Label", L"VMEffect3Label", L"VMEffect4Label",
            L"VMFunctionLabel"});
    labels(L"About", kPageMain, {L"LabelAbout", L"LabelWeb"});
    labels(L"Main", kPageMain, {L"LabelWarning", L"LabelWarning1"});
    return keys;
}

} // namespace

std::span<const LanguageKey> LanguageKeys()
{
    static const std::vector<LanguageKey> keys = BuildLanguageKeys();
    return keys;
}

} // namespace panel
