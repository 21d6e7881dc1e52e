#pragma once
// What one "Language.ini" says: the global font and a label record per label key. Kept by the main
// window and applied to controls by key name.

#include "common/ports/PrivateProfile.h"
#include "panel/language/LabelRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

inline constexpr wchar_t kLanguageFileName[] = L"Language.ini";
// The keys of [GlobalFont]: up colour, down colour, face name, size.
inline constexpr std::array<const wchar_t*, 4> kGlobalFontKeys{L"ColorUp", L"ColorDown", L"Font", L"FontSize"};

struct LanguageSetting {
    struct NamedLabel {
        std::wstring section;
        std::wstring key;
        LabelRecord record;
    };

    GlobalFont font;
    std::vector<NamedLabel> labels; // one per label key, in reading order

    // The record of a label key; an empty record for a key the language format does not have.
    const LabelRecord& Label(std::wstring_view key) const;
    // The label's text when it is not empty, else `builtIn` (the menu captions' rule).
    std::wstring TextOr(std::wstring_view key, std::wstring_view builtIn) const;
};

// programFolder + languageFolderName + "\" + resolutionFolder + languageName + "\Language.ini".
std::wstring LanguageFilePath(const std::wstring& programFolder, const std::wstring& languageFolderName,
                              const std::wstring& resolutionFolder, const std::wstring& languageName);

// Reads [GlobalFont] and every label key into `language`, which is cleared first; a missing file reads
// as a file without keys. With `oldStyleLayout` the positions of page labels get the old layout's offsets.
void LoadLanguage(const ports::PrivateProfile& profile, const std::wstring& languagePath, bool oldStyleLayout,
                  LanguageSetting& language);

// One label value ("text,up,down,font,size,left,top,width,height,page") as the reader takes it.
LabelRecord ParseLabelValue(const std::wstring& value, int defaultPage);

} // namespace panel
