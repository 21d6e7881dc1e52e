#include "kitcheck/Kit.h"

#include "common/AppConfig.h"
#include "common/IniKeys.h"
#include "common/ResolutionFolder.h"
#include "common/Text.h"

#include <algorithm>

namespace kitcheck {

std::wstring Kit::ConfigPath() const
{
    return Path(kAudioConfigFileName);
}

std::wstring Kit::Config(const std::wstring& section, const std::wstring& key, std::size_t capacity) const
{
    std::wstring value;
    GetIniKey(profile, ConfigPath(), section, key, value, capacity);
    return value;
}

std::vector<std::wstring> ResolutionFolders()
{
    // One screen of each band of the rule: above 1920 x 1080, above 1366 x 768, above 960 x 540, below.
    std::vector<std::wstring> folders;
    for (const auto& [width, height] : {std::pair{2560L, 1440L}, {1920L, 1080L}, {1366L, 768L}, {800L, 600L}})
        folders.push_back(ChooseResolutionFolder(width, height));
    return folders;
}

bool IsResolutionFolderName(const std::wstring& name)
{
    const std::vector<std::wstring> folders = ResolutionFolders();
    return std::any_of(folders.begin(), folders.end(),
                       [&name](const std::wstring& f) { return !f.empty() && EqualsIgnoreAsciiCase(f, name + L"\\"); });
}

std::vector<std::wstring> SplitItems(const std::wstring& value)
{
    std::vector<std::wstring> items(16);
    const std::size_t count = value.empty() ? 0 : SplitIniList(value, items);
    items.resize(std::min(count, items.size()));
    return items;
}

std::vector<std::wstring> SortedSubfolders(const Kit& kit, const std::wstring& relativeFolder)
{
    std::vector<std::wstring> names = kit.files.Subfolders(kit.Path(relativeFolder));
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return ToLowerAscii(a) < ToLowerAscii(b); });
    return names;
}

} // namespace kitcheck
