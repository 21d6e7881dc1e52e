#include "panel/shell/SmallForms.h"

namespace shell {

namespace {

constexpr int kAboutWidth = 479;
constexpr int kAboutHeight = 89;
constexpr std::uint32_t kLinkBlue = 0x00FF0000; // 0x00BBGGRR
constexpr int kFifteenPixels = 11;              // points at 96 pixels per inch

form::Control AboutText(const wchar_t* name, form::Bounds bounds, const wchar_t* text)
{
    form::Control label;
    label.name = name;
    label.kind = form::ControlClass::Label;
    label.bounds = bounds;
    label.caption = text;
    label.font.size = kFifteenPixels;
    return label;
}

} // namespace

// The design texts and the empty logo are placeholders: the language and the skin replace them before
// the box is ever shown.
TAboutForm::TAboutForm() : form_(L"AboutForm", L"About", kAboutWidth, kAboutHeight, form::kSystemDialogColour)
{
    form_.Add(AboutText(L"AboutLabel", {88, 20, 265, 18}, L"Audio control panel"));
    form::Control logo;
    logo.name = L"LOGOQZImage";
    logo.bounds = {16, 20, 57, 49};
    form_.Add(logo);
    form::Control web = AboutText(L"WebLabel", {88, 51, 173, 18}, L"");
    web.font.colour = kLinkBlue;
    web.font.style = form::kFontUnderline;
    form_.Add(web);
}

} // namespace shell
