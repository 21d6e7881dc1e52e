#include "panel/language/LanguageSetting.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "panel/language/LanguageKeys.h"
#include "panel/skin/FileNumbers.h"
#include "panel/skin/SkinImageEntry.h"

#include <array>
#include <limits>

namespace panel {

namespace {

constexpr std::size_t kValueCapacity = 256;
constexpr std::size_t kMaxItems = 10;

// The old layout placed page labels relative to the content area.
constexpr int kOldLabelLeft = 196;
constexpr int kOldLabelTop = 52;

std::optional<int> ParseInt(std::wstring_view text)
{
    const auto value = ParseFileNumber(text);
    if (!value || *value > std::numeric_limits<int>::max() || *value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(*value);
}

void SetNumber(GivenValue<int>& field, const std::wstring& item)
{
    if (const auto value = ParseInt(item))
        field.Set(*value);
}

void SetColour(GivenValue<std::uint32_t>& field, const std::wstring& item)
{
    if (const auto value = ParseColour(item))
        field.Set(*value);
}

GlobalFont ReadGlobalFont(const ports::PrivateProfile& profile, const std::wstring& path)
{
    GlobalFont font;
    std::wstring value;
    GetIniKey(profile, path, L"GlobalFont", kGlobalFontKeys[0], value, kValueCapacity);
    font.upColour = ParseColour(value).value_or(0);
    GetIniKey(profile, path, L"GlobalFont", kGlobalFontKeys[1], value, kValueCapacity);
    font.downColour = ParseColour(value).value_or(0);
    GetIniKey(profile, path, L"GlobalFont", kGlobalFontKeys[2], value, kValueCapacity);
    font.faceName = CutText(value, kFontNameChars);
    GetIniKey(profile, path, L"GlobalFont", kGlobalFontKeys[3], value, kValueCapacity);
    font.size = ParseInt(value).value_or(-1);
    return font;
}

} // namespace

LabelRecord ParseLabelValue(const std::wstring& value, int defaultPage)
{
    std::array<std::wstring, kMaxItems> items;
    if (!value.empty())
        SplitIniList(value, items);
    LabelRecord record;
    record.text = CutText(items[0], kLabelTextChars);
    SetColour(record.upColour, items[1]);
    SetColour(record.downColour, items[2]);
    if (!items[3].empty())
        record.fontName.Set(CutText(items[3], kFontNameChars));
    SetNumber(record.fontSize, items[4]);
    SetNumber(record.left, items[5]);
    SetNumber(record.top, items[6]);
    SetNumber(record.width, items[7]);
    SetNumber(record.height, items[8]);
    record.page = ParseInt(items[9]).value_or(defaultPage);
    return record;
}

std::wstring LanguageFilePath(const std::wstring& programFolder, const std::wstring& languageFolderName,
                              const std::wstring& resolutionFolder, const std::wstring& languageName)
{
    return programFolder + languageFolderName + L"\\" + resolutionFolder + languageName + L"\\" + kLanguageFileName;
}

void LoadLanguage(const ports::PrivateProfile& profile, const std::wstring& languagePath, bool oldStyleLayout,
                  LanguageSetting& language)
{
    language.labels.clear();
    language.font = ReadGlobalFont(profile, languagePath);
    for (const LanguageKey& key : LanguageKeys()) {
        std::wstring value;
        GetIniKey(profile, languagePath, key.section, key.key, value, kValueCapacity);
        LabelRecord record = ParseLabelValue(value, key.defaultPage);
        if (oldStyleLayout && key.defaultPage != kPageMain) {
            if (record.left.given)
                record.left.value = ShiftedPosition(record.left.value, kOldLabelLeft);
            if (record.top.given)
                record.top.value = ShiftedPosition(record.top.value, kOldLabelTop);
        }
        language.labels.push_back({key.section, key.key, std::move(record)});
    }
}

const LabelRecord& LanguageSetting::Label(std::wstring_view key) const
{
    static const LabelRecord kNone;
    for (const NamedLabel& label : labels)
        if (label.key == key)
            return label.record;
    return kNone;
}

std::wstring LanguageSetting::TextOr(std::wstring_view key, std::wstring_view builtIn) const
{
    const std::wstring& text = Label(key).text;
    return std::wstring(text.empty() ? builtIn : text);
}

} // namespace panel
