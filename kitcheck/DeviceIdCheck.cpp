#include "kitcheck/DeviceIdCheck.h"

#include "common/AppConfig.h"
#include "common/DeviceIdMgr.h"
#include "common/IniKeys.h"
#include "common/Text.h"
#include "setup/Registration.h"

#include <array>
#include <cwctype>

namespace kitcheck {

namespace {

constexpr const wchar_t* kConfigFile = kAudioConfigFileName;
constexpr int kLevelMax = 30;

bool HexOrWildcard(wchar_t c)
{
    return HexDigitValue(c) >= 0 || c == L'X' || c == L'x';
}

// "VID_hhhh" at `at` of `text`, each h a hexadecimal digit or, with `wildcards`, an "X".
bool HasField(std::wstring_view text, std::wstring_view name, bool wildcards)
{
    const std::wstring upper = ToUpperAscii(text);
    const auto at = upper.find(name);
    if (at == std::wstring::npos || at + name.size() + 4 > upper.size())
        return false;
    for (std::size_t i = at + name.size(); i < at + name.size() + 4; ++i)
        if (!(wildcards ? HexOrWildcard(upper[i]) : HexDigitValue(upper[i]) >= 0))
            return false;
    return true;
}

} // namespace

std::optional<std::wstring> UnmatchablePattern(const std::wstring& pattern, const std::wstring& bus)
{
    for (const wchar_t c : pattern)
        if (c <= L' ' || c > 0x7E || c == L',')
            return std::wstring(L"it holds a character no hardware ID has");
    if (!ToUpperAscii(pattern).starts_with(bus + L"\\"))
        return L"hardware IDs of this kind begin with \"" + bus + L"\\\"";
    if (!HasField(pattern, L"VID_", true) || !HasField(pattern, L"PID_", true))
        return std::wstring(L"it has no VID_xxxx and PID_xxxx of four hexadecimal digits or X");
    const std::size_t templateLength = std::wstring_view(DEVICEID_MGR::kHardwareIdTemplate).size();
    if (bus == L"USB" && pattern.size() != templateLength)
        return L"the panel looks only at hardware IDs of " + std::to_wstring(templateLength) +
               L" characters (as \"USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\"); this one has " +
               std::to_wstring(pattern.size());
    return std::nullopt;
}

void CheckDeviceIds(const Kit& kit, const IniInventory& config, Findings& findings)
{
    const std::array<std::pair<const wchar_t*, const wchar_t*>, 2> groups{
        std::pair{DEVICEID_MGR::kUsbIdSection, L"USB"}, std::pair{DEVICEID_MGR::kHidIdSection, L"HID"}};
    for (const auto& [section, bus] : groups) {
        DEVICEID_MGR::CDeviceIdMgr group(kit.files);
        const int loaded = group.LoadFromIniFile(kit.ConfigPath(), section);
        const Place sectionPlace{kConfigFile, section, L"", config.SectionLine(section)};
        const std::wstring effect = std::wstring(L": Setup quits at start without a word") +
                                    (bus == std::wstring(L"USB") ? L" and the panel never finds the device" : L"");
        if (loaded == 2) {
            findings.Error(sectionPlace, L"section missing (names are case-sensitive here)" + effect);
            continue;
        }
        if (loaded == 3 || (loaded == 0 && group.Accepted().empty())) {
            findings.Error(sectionPlace, L"no device pattern" + effect);
            continue;
        }
        if (loaded != 0)
            continue;
        for (const IniKeyLine* entry : config.KeysOf(section)) {
            const std::wstring pattern(TrimChars(entry->value, L" "));
            if (pattern.empty())
                continue;
            if (const auto why = UnmatchablePattern(pattern, bus))
                findings.Error({kConfigFile, entry->section, entry->key, entry->line},
                               L"pattern \"" + pattern + L"\" can never match: " + *why);
        }
    }
}

void CheckEncValueMap(const Kit& kit, const IniInventory& config, Findings& findings)
{
    for (const IniKeyLine* entry : config.KeysOf(L"EncValueMap")) {
        const Place place{kConfigFile, entry->section, entry->key, entry->line};
        int number = 0;
        if (!WholeInteger(entry->key, number) || number < 1 || number > setup::kEncValueMapKeys ||
            entry->key != std::to_wstring(number)) {
            findings.Warning(place, L"Setup reads only the keys 1 to " + std::to_wstring(setup::kEncValueMapKeys) +
                                        L": this entry is never read");
            continue;
        }
        std::wstring value;
        ReadIniKey(kit.profile, kit.ConfigPath(), L"EncValueMap", entry->key, value);
        std::array<std::wstring, 2> items;
        if (value.empty() || SplitIniList(value, items) < 2 || TrimChars(items[1], L" ").empty()) {
            findings.Warning(place, L"\"" + value + L"\" has no level: Setup skips it");
            continue;
        }
        const std::wstring device(TrimChars(items[0], L" "));
        if (device.size() != 17 || !HasField(device, L"VID_", false) || !HasField(device, L"PID_", false) ||
            device.find(L'&') != 8)
            findings.Warning(place, L"\"" + items[0] + L"\" is not of the form VID_xxxx&PID_xxxx the panel looks up");
        int level = 0;
        if (!WholeInteger(items[1], level))
            findings.Warning(place, L"level \"" + items[1] + L"\" is not a whole integer: Setup writes " +
                                        std::to_wstring(LeadingInteger(items[1])));
        else if (level < 0 || level > kLevelMax)
            findings.Warning(place, L"level " + std::to_wstring(level) + L" is outside 0 to 30");
    }
}

} // namespace kitcheck
