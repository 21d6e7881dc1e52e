#pragma once
// The wizard's texts and looks from the [Setup] section of a language's "Language.ini": one record per
// key, each value a comma-separated list of up to nine items (text, colour, spare, font name, font size,
// left, top, width, height). Items once given stay in force until another language gives them anew.

#include "common/ports/PrivateProfile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace setup {

inline constexpr std::size_t kSetupLabelTextChars = 127;
inline constexpr std::size_t kSetupFontNameChars = 63;
inline constexpr wchar_t kHiddenText[] = L"(null)";

struct SetupLabelRecord {
    std::wstring text;
    std::optional<int> colour; // 0x00BBGGRR
    std::optional<int> spare;  // read, not applied
    std::optional<std::wstring> fontName;
    std::optional<int> fontSize; // points
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

// The [Setup] keys in reading order; the records are indexed by this order.
enum SetupLabel : std::size_t {
    LabelBackBtn,
    LabelNextBtn,
    LabelFinishBtn,
    LabelCancelBtn,
    LabelSelectLang,
    LabelVersion,
    LabelAudioExt,
    LabelInstall,
    LabelReboot,
    LabelRebootRadioBtn,
    LabelNoRebootRadioBtn,
    LabelTitle,
    LabelWarning1,
    LabelWarning2,
    LabelWarning3,
    LabelWarning4,
    AntivirusTip,
    KB3033929Tip,
    kSetupLabelCount
};

inline constexpr std::array<const wchar_t*, kSetupLabelCount> kSetupLabelKeys{
    L"LabelBackBtn",   L"LabelNextBtn",        L"LabelFinishBtn",        L"LabelCancelBtn",   L"LabelSelectLang",
    L"LabelVersion",   L"LabelAudioExt",       L"LabelInstall",          L"LabelReboot",      L"LabelRebootRadioBtn",
    L"LabelNoRebootRadioBtn", L"LabelTitle",   L"LabelWarning1",         L"LabelWarning2",    L"LabelWarning3",
    L"LabelWarning4",  L"AntivirusTip",        L"KB3033929Tip"};

using SetupLabelRecords = std::array<SetupLabelRecord, kSetupLabelCount>;

// The strict integer conversion: optional sign, then decimal digits, or hexadecimal digits after "$" or
// "0x"; nothing else, and within 32 bits. nullopt for anything else.
std::optional<int> StrictInteger(const std::wstring& text);

// The message the wizard shows for an item that is not a number.
std::wstring ConversionErrorText(const std::wstring& item);

// Stores one value into its record. Returns the first item that is not a valid integer (the record keeps
// what was stored before it), or nullopt.
std::optional<std::wstring> StoreLabelValue(const std::wstring& value, SetupLabelRecord& record);

// Reads every key of section [Setup] of the file into its record, in order. Stops at the first item that
// is not a number and returns it.
std::optional<std::wstring> LoadSetupLabels(const ports::PrivateProfile& profile, const std::wstring& languageFile,
                                            SetupLabelRecords& records);

} // namespace setup
