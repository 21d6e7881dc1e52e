#pragma once
// Every language of every resolution folder: "Language.ini" with its labels, [GlobalFont] and the
// installer's [Setup] keys, and the language menu's [MultiLanguageFolderMap] against the folders.

#include "kitcheck/Finding.h"
#include "kitcheck/KeyCheck.h"
#include "kitcheck/Kit.h"

namespace kitcheck {

// The keys of "Language.ini", from the readers' own tables. The installer reads [Setup] only from the
// languages directly in the languages folder (`forInstaller`).
KeySchema LanguageKeySchema(bool forInstaller);

void CheckLanguages(const Kit& kit, Findings& findings);
void CheckLanguageMap(const Kit& kit, const IniInventory& config, Findings& findings);

} // namespace kitcheck
