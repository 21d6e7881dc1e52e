#include "kitcheck/ProfileCheck.h"

#include "common/IniKeys.h"
#include "common/Text.h"
#include "kitcheck/IniInventory.h"
#include "panel/skin/FileNumbers.h"

#include <array>
#include <limits>

namespace kitcheck {

namespace {

constexpr wchar_t kProfileFile[] = L"DefaultProfile.ini";
constexpr std::size_t kProfileValueCapacity = 256;

// How the profile reader treats a key: a required value must be there and convert, or the read stops.
enum class ReadKind { Required, ZeroIfEmpty, KeptIfEmpty, NotRead };

struct ProfileKey {
    const wchar_t* section;
    const wchar_t* key;
    ReadKind read;
    std::size_t integers; // how many comma-separated integers the value holds
    long long low;
    long long high;
};

constexpr long long kAny = std::numeric_limits<int>::max();
constexpr long long kAnyLow = std::numeric_limits<int>::min();

// In the order the profile writer writes them.
constexpr std::array kProfileKeys{
    ProfileKey{L"EQ", L"S1", ReadKind::Required, 6, 0, 0xFFF},
    ProfileKey{L"EQ", L"S2", ReadKind::Required, 6, 0, 0xFFF},
    ProfileKey{L"EQ", L"S3", ReadKind::Required, 6, 0, 0xFFF},
    ProfileKey{L"EQ", L"S4", ReadKind::Required, 6, 0, 0xFFF},
    ProfileKey{L"EQ", L"EQEN", ReadKind::ZeroIfEmpty, 1, 0, 1},
    ProfileKey{L"EQ", L"EQFromEEPROM", ReadKind::ZeroIfEmpty, 1, 0, 1},
    ProfileKey{L"3D", L"LeftAlpha", ReadKind::NotRead, 1, 0, 15},
    ProfileKey{L"3D", L"LeftBeta", ReadKind::NotRead, 1, 0, 15},
    ProfileKey{L"3D", L"RightAlpha", ReadKind::NotRead, 1, 0, 15},
    ProfileKey{L"3D", L"RightBeta", ReadKind::NotRead, 1, 0, 15},
    ProfileKey{L"3D", L"FBM", ReadKind::NotRead, 1, 0, 1},
    ProfileKey{L"3D", L"3DEN", ReadKind::ZeroIfEmpty, 1, 0, 1},
    ProfileKey{L"3D", L"3DFromEEPROM", ReadKind::ZeroIfEmpty, 1, 0, 1},
    ProfileKey{L"Effect", L"CurrentEffect", ReadKind::Required, 1, 1, 5},
    ProfileKey{L"Virtual7ch1", L"C", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"L", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"LS", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"LB", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"RB", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"RS", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"SUB", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"R", ReadKind::Required, 2, kAnyLow, kAny},
    ProfileKey{L"Virtual7ch1", L"7ch1EN", ReadKind::Required, 1, 0, 1},
    ProfileKey{L"LED", L"LEDON", ReadKind::KeptIfEmpty, 1, 0, 1},
    ProfileKey{L"LED", L"LEDPageMode", ReadKind::KeptIfEmpty, 1, 0, 1},
    ProfileKey{L"LED", L"LEDOff", ReadKind::KeptIfEmpty, 1, 0, 1},
    ProfileKey{L"LED", L"LEDSingleColor", ReadKind::KeptIfEmpty, 1, 0, 1},
    ProfileKey{L"LED", L"LEDEffectMode", ReadKind::KeptIfEmpty, 1, 0, 3},
    ProfileKey{L"LED", L"LEDBreatheSpeed", ReadKind::KeptIfEmpty, 1, 1, 255},
    ProfileKey{L"LED", L"LEDRainbowSpeed", ReadKind::KeptIfEmpty, 1, 1, 255},
    ProfileKey{L"LED", L"LEDMultiBreatheSpeed", ReadKind::KeptIfEmpty, 1, 1, 255},
    ProfileKey{L"LED", L"LEDBreatheSliderPos", ReadKind::KeptIfEmpty, 1, kAnyLow, kAny},
    ProfileKey{L"LED", L"LEDRainbowSliderPos", ReadKind::KeptIfEmpty, 1, kAnyLow, kAny},
    ProfileKey{L"LED", L"LEDMultiBreatheSliderPos", ReadKind::KeptIfEmpty, 1, kAnyLow, kAny},
    ProfileKey{L"LED", L"LEDSingleColorRGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDBreatheColorRGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor1RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor2RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor3RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor4RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor5RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor6RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDColor7RGB", ReadKind::KeptIfEmpty, 1, 0, 0xFFFFFF},
    ProfileKey{L"LED", L"LEDFastRightSide", ReadKind::KeptIfEmpty, 1, 0, 1},
    ProfileKey{L"ENC", L"ENCEN", ReadKind::NotRead, 1, 0, 1},
    ProfileKey{L"ENC", L"ENCValue", ReadKind::NotRead, 1, 0, 30},
    ProfileKey{L"VoiceMagic", L"VoiceMagicEN", ReadKind::NotRead, 1, 0, 1},
    ProfileKey{L"VoiceMagic", L"VoiceMagicMode", ReadKind::NotRead, 1, 0, 4},
};

const wchar_t* MissingEffect(ReadKind read)
{
    switch (read) {
    case ReadKind::Required:
        return L"the profile read stops here and the settings after it are not applied";
    case ReadKind::ZeroIfEmpty:
        return L"reads as 0";
    case ReadKind::KeptIfEmpty:
        return L"the current setting is kept";
    case ReadKind::NotRead:
        break;
    }
    return L"written only; not read back";
}

Severity MissingSeverity(ReadKind read)
{
    return read == ReadKind::Required ? Severity::Error : Severity::Note;
}

void CheckValue(const Kit& kit, const IniInventory& inventory, const ProfileKey& key, Findings& findings)
{
    if (inventory.Find(key.section, key.key) == nullptr)
        return;
    std::wstring value;
    GetIniKey(kit.profile, kit.Path(kProfileFile), key.section, key.key, value, kProfileValueCapacity);
    const Place place = KeyPlace(inventory, kProfileFile, key.section, key.key);
    if (value.empty()) {
        if (key.read == ReadKind::Required)
            findings.Error(place, L"empty: " + std::wstring(MissingEffect(key.read)));
        return;
    }
    std::vector<std::wstring> items(key.integers + 1);
    const std::size_t count = SplitIniList(value, items);
    const Severity severity = key.read == ReadKind::Required ? Severity::Error : Severity::Warning;
    if (count != key.integers) {
        findings.Add(severity, place, L"\"" + value + L"\" holds " + std::to_wstring(count) + L" items, not " +
                                          std::to_wstring(key.integers));
        return;
    }
    for (std::size_t i = 0; i < key.integers; ++i) {
        const auto number = ProfileInteger(std::wstring(TrimChars(items[i], L" ")));
        if (!number)
            findings.Add(severity, place, L"\"" + items[i] + L"\" is not an integer" +
                                              (key.read == ReadKind::Required ? L": the profile read stops here" : L""));
        else if (*number < key.low || *number > key.high)
            findings.Warning(place, L"" + items[i] + L" is outside " + std::to_wstring(key.low) + L" to " +
                                        std::to_wstring(key.high));
    }
}

} // namespace

std::optional<long long> ProfileInteger(const std::wstring& text)
{
    // The skin files' number rule, with the profile's "0x" in the place of their "$".
    if (text.starts_with(L'$') || text != TrimChars(text, L" \t"))
        return std::nullopt;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        return panel::ParseFileNumber(L"$" + text.substr(2));
    return panel::ParseFileNumber(text);
}

KeySchema ProfileKeySchema()
{
    KeySchema schema;
    for (const ProfileKey& key : kProfileKeys)
        schema.keys.push_back({key.section, key.key, MissingSeverity(key.read), MissingEffect(key.read)});
    return schema;
}

void CheckDefaultProfile(const Kit& kit, Findings& findings)
{
    const IniInventory inventory = IniInventory::Read(kit.files, kit.Path(kProfileFile));
    if (!inventory.Present()) {
        if (LeadingInteger(kit.Config(L"Version", L"DefaultIni", 32)) != 0)
            findings.Error({kProfileFile, L"", L"", 0},
                           L"missing while DefaultIni is on: the EQ and speaker resets have nothing to restore");
        else
            findings.Note({kProfileFile, L"", L"", 0}, L"missing: Setup has no factory profile to copy");
        return;
    }
    CheckKeys(inventory, kProfileFile, ProfileKeySchema(), findings);
    for (const ProfileKey& key : kProfileKeys)
        CheckValue(kit, inventory, key, findings);
}

} // namespace kitcheck
