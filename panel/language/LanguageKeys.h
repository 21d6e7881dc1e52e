#pragma once
// Every label key of "Language.ini", in reading order, with the page the label belongs to unless the
// file says otherwise.

#include <span>

namespace panel {

struct LanguageKey {
    const wchar_t* section;
    const wchar_t* key;
    int defaultPage;
};

std::span<const LanguageKey> LanguageKeys();

} // namespace panel
