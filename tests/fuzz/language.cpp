// Any bytes as "Language.ini" (and as the configuration's [MultiLanguageFolderMap]): every label key
// gives one record in reading order, texts and names stay within their lengths, numbers and colours
// stay within what they can hold, a record written back reads the same, and the language menu lists
// every folder once with exactly one item checked.
#include "FuzzSupport.h"
#include "common/Text.h"
#include "panel/language/LanguageKeys.h"
#include "panel/language/LanguageMenu.h"
#include "panel/language/LanguageSetting.h"
#include "panel/skin/FileNumbers.h"
#include "panel/skin/SkinImageEntry.h"
#include "platform/memory/IniFileProfile.h"
#include "platform/memory/MemoryFileSystem.h"

#include <algorithm>
#include <cinttypes>
#include <limits>

namespace {

const std::wstring kPath = L"C:\\lang\\Language.ini";

std::wstring Hex(std::uint32_t value)
{
    return FormatText(16, L"$%X", static_cast<unsigned>(value));
}

std::wstring Written(const panel::LabelRecord& record)
{
    const auto number = [](const panel::GivenValue<int>& v) { return v.given ? std::to_wstring(v.value) : L""; };
    const auto colour = [](const panel::GivenValue<std::uint32_t>& v) { return v.given ? Hex(v.value) : L""; };
    return fuzz::Quoted(record.text) + L"," + colour(record.upColour) + L"," + colour(record.downColour) + L"," +
           (record.fontName.given ? fuzz::Quoted(record.fontName.value) : L"") + L"," + number(record.fontSize) + L"," +
           number(record.left) + L"," + number(record.top) + L"," + number(record.width) + L"," +
           number(record.height) + L"," + std::to_wstring(record.page);
}

void CheckRecord(const panel::LabelRecord& record)
{
    FUZZ_CHECK(record.text.size() <= panel::kLabelTextChars);
    FUZZ_CHECK(!record.fontName.given ||
               (!record.fontName.value.empty() && record.fontName.value.size() <= panel::kFontNameChars));
    FUZZ_CHECK(panel::ParseLabelValue(Written(record), -7) == record);
}

void CheckNumber(std::wstring_view text)
{
    const auto value = panel::ParseFileNumber(text);
    if (!value)
        return;
    constexpr std::int64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    FUZZ_CHECK(*value >= -kLargest && *value <= kLargest);
    FUZZ_CHECK(panel::ParseFileNumber(std::to_wstring(*value)) == value);
    if (*value >= 0)
        FUZZ_CHECK(panel::ParseFileNumber(Hex(static_cast<std::uint32_t>(*value))) == value);
}

void CheckLoad(const panel::LanguageSetting& now, const panel::LanguageSetting& old)
{
    const auto keys = panel::LanguageKeys();
    FUZZ_CHECK(now.labels.size() == keys.size() && old.labels.size() == keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const panel::LabelRecord& record = now.labels[i].record;
        const panel::LabelRecord& oldRecord = old.labels[i].record;
        FUZZ_CHECK(now.labels[i].section == keys[i].section && now.labels[i].key == keys[i].key);
        CheckRecord(record);
        const bool moves = keys[i].defaultPage != panel::kPageMain;
        FUZZ_CHECK(record.left.given == oldRecord.left.given && record.top.given == oldRecord.top.given);
        FUZZ_CHECK(!record.left.given || oldRecord.left.value == fuzz::Shifted(record.left.value, moves ? 196 : 0));
        FUZZ_CHECK(!record.top.given || oldRecord.top.value == fuzz::Shifted(record.top.value, moves ? 52 : 0));
        FUZZ_CHECK(record.text == oldRecord.text && record.page == oldRecord.page && record.width == oldRecord.width);
    }
    FUZZ_CHECK(now.font == old.font);
    FUZZ_CHECK(now.font.faceName.size() <= panel::kFontNameChars);
    const std::wstring builtIn = L"built-in";
    const std::wstring text = now.TextOr(keys[0].key, builtIn);
    FUZZ_CHECK(text == (now.labels[0].record.text.empty() ? builtIn : now.labels[0].record.text));
    FUZZ_CHECK(now.Label(L"NoSuchLabel") == panel::LabelRecord{} && now.TextOr(L"NoSuchLabel", builtIn) == builtIn);
}

void CheckMenu(const memory::IniFileProfile& profile, const std::vector<std::wstring>& subfolders)
{
    const std::wstring current = subfolders.empty() ? L"" : subfolders.back();
    const panel::LanguageMenu menu = panel::BuildLanguageMenu(profile, kPath, subfolders, current);
    FUZZ_CHECK(menu.folders.size() == subfolders.size() && menu.items.size() == subfolders.size());
    FUZZ_CHECK(std::count_if(menu.items.begin(), menu.items.end(), [](const auto& item) { return item.checked; }) ==
               (subfolders.empty() ? 0 : 1));
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        FUZZ_CHECK(menu.folders[i].size() <= panel::kLanguageFolderChars);
        FUZZ_CHECK(menu.items[i].caption.size() <= panel::kLanguageDisplayChars);
        FUZZ_CHECK(i == 0 || !(ToLowerAscii(menu.folders[i]) < ToLowerAscii(menu.folders[i - 1])));
        const auto folder = panel::LanguageForItem(menu, i);
        FUZZ_CHECK(folder.has_value());
        const auto at = std::find(menu.folders.begin(), menu.folders.end(), *folder);
        FUZZ_CHECK(at != menu.folders.end() && at - menu.folders.begin() <= static_cast<std::ptrdiff_t>(i));
        FUZZ_CHECK(menu.items[static_cast<std::size_t>(at - menu.folders.begin())].caption == menu.items[i].caption);
    }
    FUZZ_CHECK(!panel::LanguageForItem(menu, menu.items.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::OneFile file(kPath, fuzz::Bytes(data, size));
    const memory::IniFileProfile& profile = file.profile;

    panel::LanguageSetting now;
    panel::LanguageSetting old;
    panel::LoadLanguage(profile, kPath, false, now);
    panel::LoadLanguage(profile, kPath, true, old);
    CheckLoad(now, old);

    const std::wstring text = fuzz::DecodedText(fuzz::Bytes(data, size));
    const std::vector<std::wstring> lines = fuzz::SplitAt(text, L'\n');
    std::vector<std::wstring> subfolders;
    for (const std::wstring& line : lines) {
        CheckRecord(panel::ParseLabelValue(line, 4));
        for (const std::wstring& piece : fuzz::SplitAt(line, L','))
            CheckNumber(piece);
        // The key names of the file stand for the language folders found on disk.
        const auto equals = line.find(L'=');
        if (equals != std::wstring::npos && subfolders.size() < 12)
            subfolders.push_back(std::wstring(TrimChars(line.substr(0, equals), L" \t\r")));
    }
    CheckMenu(profile, subfolders);
    return 0;
}
