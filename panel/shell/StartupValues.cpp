#include "panel/shell/StartupValues.h"

#include "common/IniKeys.h"
#include "common/Text.h"

namespace shell {

namespace {

constexpr std::size_t kStartupValueCapacity = 32; // 31 characters and the terminator

struct IntegerValue {
    const wchar_t* section;
    const wchar_t* key;
    int StartupValues::*field;
};

// Each keeps its default when the key is missing or empty; any other value counts by its leading
// digits, so "3 (GPIO)" is 3 and "on" is 0.
constexpr IntegerValue kIntegerValues[] = {
    {L"Version", L"OldVersion", &StartupValues::oldVersion},
    {L"Version", L"DefaultIni", &StartupValues::defaultIni},
    {L"Version", L"Bee", &StartupValues::bee},
    {L"Mic", L"Monitor", &StartupValues::micMonitor},
    {L"DefaultSet", L"EncButtonMode", &StartupValues::encButtonMode},
    {L"DefaultSet", L"EncGpio", &StartupValues::encGpio},
    {L"DefaultSet", L"3DV7ch1MutuallyExclusive", &StartupValues::exclusive3DV7ch1},
};

std::wstring ReadText(const ports::PrivateProfile& profile, const std::wstring& configPath, const wchar_t* section,
                      const std::wstring& key)
{
    std::wstring text;
    GetIniKey(profile, configPath, section, key, text, kStartupValueCapacity);
    return text;
}

// False for a missing or empty key, which leaves the caller's default in place.
bool ReadInteger(const ports::PrivateProfile& profile, const std::wstring& configPath, const wchar_t* section,
                 const std::wstring& key, int& value)
{
    const std::wstring text = ReadText(profile, configPath, section, key);
    if (text.empty())
        return false;
    value = LeadingInteger(text);
    return true;
}

} // namespace

StartupValues ReadStartupValues(const ports::PrivateProfile& profile, const std::wstring& configPath)
{
    StartupValues values;
    GetIniKey(profile, configPath, L"TrayIconHint", L"HintName", values.hintName, kStartupValueCapacity);
    for (const IntegerValue& integer : kIntegerValues) {
        int value = 0;
        if (ReadInteger(profile, configPath, integer.section, integer.key, value))
            values.*integer.field = value;
    }
    if (int tenths = 0; ReadInteger(profile, configPath, L"DefaultSet", L"V7ch1Scalar", tenths))
        values.v7ch1Scalar = static_cast<float>(tenths * 0.1);
    return values;
}

int ReadRegionCut(const ports::PrivateProfile& profile, const std::wstring& configPath)
{
    // The one key that must be a whole number: "1 (off)" is not a region cut.
    int value = 0;
    return WholeInteger(ReadText(profile, configPath, L"Skin", L"RegionCut"), value) ? value : 0;
}

bool PluginOffered(const ports::PrivateProfile& profile, const std::wstring& configPath, const std::wstring& name)
{
    return LeadingInteger(ReadText(profile, configPath, L"Application", name)) != 0;
}

} // namespace shell
