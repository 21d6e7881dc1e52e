// TAudioMainForm: skins, languages and the menus that choose them.

#include "panel/shell/TonvioMain.h"

#include "common/Text.h"
#include "panel/form/MainFormComponents.h"
#include "panel/pages/LabelBindings.h"
#include "panel/pages/SkinnedImages.h"
#include "panel/shell/SmallForms.h"
#include "panel/skin/SkinFolders.h"

#include <algorithm>

namespace shell {

namespace {

// A menu caption without the "&" marks of keyboard access: each "&" goes, the character after it stays.
std::wstring WithoutAccelerators(const std::wstring& caption)
{
    std::wstring name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size())
            break;
        name.push_back(caption[i]);
    }
    return name;
}

// The subfolders of `folder` that hold `fileName`, sorted by name: a folder without it is no skin or
// language, whatever else lies beside them.
std::vector<std::wstring> FoldersHolding(const ports::FileSystem& files, const std::wstring& folder,
                                         const wchar_t* fileName)
{
    std::vector<std::wstring> names;
    for (std::wstring& name : files.Subfolders(folder))
        if (files.FileExists(folder + name + L"\\" + fileName))
            names.push_back(std::move(name));
    std::ranges::sort(names,
                      [](const std::wstring& a, const std::wstring& b) { return ToLowerAscii(a) < ToLowerAscii(b); });
    return names;
}

void CheckOnly(form::MenuItem& menu, int id)
{
    for (form::MenuItem& item : menu.items)
        item.checked = item.id == id;
}

constexpr struct {
    int id;
    const wchar_t* key;
    const wchar_t* builtIn;
} kMenuCaptions[] = {
    {form::kLanguageMenuId, L"LabelLanguage", L"Language"},
    {form::kSkinMenuId, L"LabelSkin", L"Skin"},
    {form::kCloseMenuId, L"LabelClose", L"Close"},
    {form::kPluginMenuId, L"LabelPlugin", L"Plugin"},
};

const wchar_t* DeviceStateKey(device::DeviceOutcome outcome)
{
    switch (outcome) {
    case device::DeviceOutcome::Active:
        return L"LabelActive";
    case device::DeviceOutcome::MissingDriver:
        return L"LabelUnDriver";
    case device::DeviceOutcome::NoHid:
        break;
    }
    return L"LabelUnactive";
}

} // namespace

std::wstring TAudioMainForm::SkinsFolder() const
{
    return state_.programFolder + config_.SkinFolderName + L"\\" + resolutionFolder_;
}

std::wstring TAudioMainForm::SkinFolder() const
{
    return panel::SkinFolderPath(state_.programFolder, config_.SkinFolderName, resolutionFolder_, skinName_);
}

std::wstring TAudioMainForm::LanguagesFolder() const
{
    return state_.programFolder + config_.LanguageFolderName + L"\\" + resolutionFolder_;
}

double TAudioMainForm::FontScale() const
{
    return panel::FontScale(window_.screen.Facts().pixelsPerInch, state_.osKind);
}

panel::SwitchLook TAudioMainForm::Look() const
{
    return {platform_.files, skin_, language_, SkinFolder()};
}

panel::PageLayoutInputs TAudioMainForm::LayoutInputs() const
{
    return {platform_.files, skin_, language_, states_, SkinFolder(), FontScale(), startup_.bee == 1};
}

void TAudioMainForm::LayOutCurrentPage()
{
    panel::LayOutPage(form_, LayoutInputs(), states_.page);
    for (panel::PagePresenter* page : pages_.All())
        page->PageLaidOut();
    window_.window.Redraw();
}

// --- Skins.
void TAudioMainForm::BuildSkinMenu()
{
    form::MenuItem& menu = *popupMenu_.Find(form::kSkinMenuId);
    menu.items.clear();
    const std::vector<std::wstring> skins = FoldersHolding(platform_.files, SkinsFolder(), panel::kSkinSettingFileName);
    for (std::size_t i = 0; i < skins.size() && i < form::kMenuItemRange; ++i) {
        form::MenuItem item = form::MakeMenuItem(form::kFirstSkinItemId + static_cast<int>(i), L"", skins[i]);
        item.radio = true;
        item.checked = skins[i] == skinName_;
        menu.items.push_back(std::move(item));
    }
    if (!menu.items.empty() && std::ranges::none_of(menu.items, &form::MenuItem::checked))
        menu.items.front().checked = true;
}

void TAudioMainForm::LoadSkin()
{
    panel::LoadSkinSetting(platform_.profile, SkinFolder() + panel::kSkinSettingFileName, startup_.oldVersion != 0,
                           skin_);
    states_.ledPageEnabled = skin_.ledPageMode == 1;
}

void TAudioMainForm::ApplySkin()
{
    const std::wstring folder = SkinFolder();
    for (const panel::SkinnedImage& image : panel::SkinnedImages())
        if (form::Control* control = form_.Find(image.control))
            panel::ShowSkinEntry(platform_.files, *panel::EntryFor(skin_, states_, image).entry, *control, folder);

    static constexpr const wchar_t* kBevels[] = {L"Bevel2", L"Bevel3", L"Bevel4", L"Bevel5", L"Bevel6", L"Bevel7"};
    for (std::size_t i = 0; i < std::size(kBevels); ++i)
        form_.Find(kBevels[i])->visible = i < 3 ? skin_.bevelLine : skin_.bevelLine2;

    for (const panel::SwatchSetting& swatch : skin_.swatches) {
        form::Control* shape = form_.Find(swatch.name);
        if (shape == nullptr)
            continue;
        if (swatch.placed) {
            shape->bounds = {swatch.left, swatch.top, swatch.width, swatch.height};
            shape->shape = static_cast<form::ShapeKind>(std::clamp(swatch.shape, 0, 5));
        }
        shape->brush.colour = swatch.colour;
    }

    if (aboutForm_ != nullptr)
        aboutForm_->TakeSkinColour(skin_.aboutColour);

    if (ReadRegionCut(platform_.profile, ConfigPath()) != 0)
        CutWindowToSkinRegion();
    const form::Control& background = *form_.Find(L"MainFormImage");
    if (background.picture.width > 0 && background.picture.height > 0)
        form_.SetClientSize(background.picture.width, background.picture.height);
}

void TAudioMainForm::CutWindowToSkinRegion()
{
    const ports::FileBytes region = platform_.files.ReadAll(SkinFolder() + panel::kRegionFileName);
    if (region.status == ports::ReadStatus::Ok)
        window_.window.ApplyRegion(region.bytes);
}

void TAudioMainForm::SkinMenuClick(int id)
{
    form::MenuItem& menu = *popupMenu_.Find(form::kSkinMenuId);
    const form::MenuItem* item = menu.Find(id);
    if (item == nullptr)
        return;
    CheckOnly(menu, id);
    skinName_ = WithoutAccelerators(item->caption);
    LoadSkin();
    ApplySkin();
    ApplyMenuCaptions();
    for (panel::PagePresenter* page : pages_.All())
        page->SkinChanged();
    LayOutCurrentPage();
    pages_.virtual71.RescaleSpeakers(skin_.previousRadius);
    SaveUserChoices(platform_, config_, languageName_, skinName_);
}

// --- Languages.
void TAudioMainForm::BuildLanguageMenu()
{
    languageMenu_ = panel::BuildLanguageMenu(
        platform_.profile, ConfigPath(), FoldersHolding(platform_.files, LanguagesFolder(), panel::kLanguageFileName),
        languageName_);
    form::MenuItem& menu = *popupMenu_.Find(form::kLanguageMenuId);
    menu.items.clear();
    for (std::size_t i = 0; i < languageMenu_.items.size() && i < form::kMenuItemRange; ++i) {
        form::MenuItem item =
            form::MakeMenuItem(form::kFirstLanguageItemId + static_cast<int>(i), L"", languageMenu_.items[i].caption);
        item.radio = true;
        item.checked = languageMenu_.items[i].checked;
        menu.items.push_back(std::move(item));
    }
}

void TAudioMainForm::LoadCurrentLanguage()
{
    panel::LoadLanguage(
        platform_.profile,
        panel::LanguageFilePath(state_.programFolder, config_.LanguageFolderName, resolutionFolder_, languageName_),
        startup_.oldVersion != 0, language_);
}

void TAudioMainForm::ApplyLanguage()
{
    const double scale = FontScale();
    for (const panel::LabelBinding& binding : panel::LabelBindings()) {
        form::Control* control = form_.Find(binding.control);
        if (control == nullptr)
            continue;
        const bool down = panel::LabelDown(form_, skin_, states_, control->tag);
        panel::ApplyLabel(language_.Label(binding.key), panel::LabelColours(language_, binding.key, control->tag),
                          *control, !down, language_.font, scale);
    }
    // The status area names the selected preset in the place and colours of "LabelSX".
    form::Control& presetLabel = *form_.Find(L"SXLabel");
    panel::ApplyLabel(language_.Label(L"LabelSX"), presetLabel, true, language_.font, scale);
    const panel::LabelRecord& preset = language_.Label(FormatText(15, L"LabelEQS%d", states_.selectedPreset));
    if (preset.Visible())
        presetLabel.caption = preset.text;
    // The value labels show the settings, not the language file's sample texts.
    pages_.equalizer.ShowValues();
    pages_.sound3D.ShowValues();
    ApplyDeviceStateLabel();
    ApplyMenuCaptions();
}

void TAudioMainForm::ApplyDeviceStateLabel()
{
    form::Control& label = *form_.Find(L"DeviceActiveLabel");
    panel::ApplyLabel(language_.Label(DeviceStateKey(outcome_)), label, true, language_.font, FontScale());
    // A panel driving the emulated device says so where it says that the device is ready.
    if (devices_.emulated && outcome_ == device::DeviceOutcome::Active && label.visible)
        label.caption += L" (emulated)";
}

void TAudioMainForm::ApplyMenuCaptions()
{
    for (const auto& caption : kMenuCaptions)
        popupMenu_.Find(caption.id)->caption = language_.TextOr(caption.key, caption.builtIn);
}

void TAudioMainForm::LanguageMenuClick(int id)
{
    form::MenuItem& menu = *popupMenu_.Find(form::kLanguageMenuId);
    if (menu.Find(id) == nullptr)
        return;
    CheckOnly(menu, id);
    const auto folder =
        panel::LanguageForItem(languageMenu_, static_cast<std::size_t>(id - form::kFirstLanguageItemId));
    if (!folder)
        return;
    languageName_ = *folder;
    LoadCurrentLanguage();
    ApplyLanguage();
    LayOutCurrentPage();
    SaveUserChoices(platform_, config_, languageName_, skinName_);
}

// --- Plug-ins.
void TAudioMainForm::ScanPlugins()
{
    const std::wstring root = state_.programFolder + config_.PluginFolderName + L"\\";
    std::vector<std::wstring> names = platform_.files.Subfolders(root);
    std::ranges::sort(names,
                      [](const std::wstring& a, const std::wstring& b) { return ToLowerAscii(a) < ToLowerAscii(b); });
    form::MenuItem& menu = PluginMenu();
    menu.items.clear();
    for (const std::wstring& name : names) {
        if (menu.items.size() >= form::kMenuItemRange || !PluginOffered(platform_.profile, ConfigPath(), name))
            continue;
        form::MenuItem item =
            form::MakeMenuItem(form::kFirstPluginItemId + static_cast<int>(menu.items.size()), L"", name);
        item.radio = true;
        menu.items.push_back(std::move(item));
    }
    state_.pluginCount = static_cast<int>(menu.items.size());
}

} // namespace shell
