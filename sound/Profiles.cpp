#include "sound/Profiles.h"

#include "common/IniKeys.h"
#include "common/Text.h"

#include <array>
#include <string_view>
#include <vector>

namespace sound {

namespace {

constexpr std::size_t kValueCapacity = 256;
constexpr std::wstring_view kPresetKeys[kEqPresets] = {L"S1", L"S2", L"S3", L"S4"};

// The speakers as a profile names them, in the order they are written, with their place in the ring
// (L, R, C, SUB, LS, RS, LB, RB).
struct SpeakerKey {
    const wchar_t* key;
    int speaker;
};
constexpr SpeakerKey kSpeakersAsWritten[] = {{L"C", 2},  {L"L", 0},  {L"LS", 4},  {L"LB", 6},
                                             {L"RB", 7}, {L"RS", 5}, {L"SUB", 3}, {L"R", 1}};

struct ProfileEntry {
    const wchar_t* section;
    std::wstring key;
    std::wstring value;
};

std::wstring Decimal(int value)
{
    return std::to_wstring(value);
}

std::wstring PresetValue(const EqRecord& record, int enabled)
{
    std::wstring text;
    for (const std::uint16_t gain : record.gains)
        text += FormatText(16, L"0x%X,", gain);
    return text + Decimal(enabled);
}

// Reads one key of a profile the way each of its rules wants it.
class ProfileReader {
public:
    ProfileReader(const ports::PrivateProfile& profile, const std::wstring& path) : profile_(profile), path_(path) {}

    std::wstring Text(const wchar_t* section, std::wstring_view key) const
    {
        std::wstring value;
        GetIniKey(profile_, path_, section, std::wstring(key), value, kValueCapacity);
        return value;
    }
    // "0 if empty": an empty or malformed value reads as 0.
    int ZeroIfEmpty(const wchar_t* section, std::wstring_view key) const { return Kept(section, key, 0); }
    // "Kept if empty": the current value stays unless the key holds an integer.
    int Kept(const wchar_t* section, std::wstring_view key, int current) const
    {
        long long value = 0;
        return ParsePresetField(Text(section, key), value) ? static_cast<int>(value) : current;
    }
    // Required: nullopt stops the read.
    std::optional<int> Required(const wchar_t* section, std::wstring_view key) const
    {
        long long value = 0;
        if (!ParsePresetField(Text(section, key), value))
            return std::nullopt;
        return static_cast<int>(value);
    }

private:
    const ports::PrivateProfile& profile_;
    const std::wstring& path_;
};

ProfileReadResult StoppedAt(const wchar_t* section, std::wstring_view key)
{
    return {false, section, std::wstring(key)};
}

// The path up to its last "\", which is dropped; a path without one after its first character stays
// whole.
std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || slash == 0)
        return path;
    return path.substr(0, slash);
}

} // namespace

bool Profiles::WriteProfile(const std::wstring& path)
{
    Equalizer& equalizer = features_.equalizer;
    std::vector<ProfileEntry> entries;
    // The preset walk unpacks each preset into the working record; the flag keeps it off the device.
    equalizer.SetProfileWriting(true);
    for (int preset = 1; preset <= kEqPresets; ++preset) {
        equalizer.SelectPreset(preset);
        entries.push_back(
            {L"EQ", std::wstring(kPresetKeys[preset - 1]), PresetValue(equalizer.Working(), equalizer.Enabled())});
    }
    equalizer.SelectPreset(equalizer.CurrentPreset());

    const Sound3D& sound3D = features_.sound3D;
    const D3Record& d3 = sound3D.Record();
    entries.insert(entries.end(), {
                                      {L"EQ", L"EQEN", Decimal(equalizer.Enabled())},
                                      {L"EQ", L"EQFromEEPROM", Decimal(equalizer.FromEeprom())},
                                      {L"3D", L"LeftAlpha", Decimal(d3.leftAlpha)},
                                      {L"3D", L"LeftBeta", Decimal(d3.leftBeta)},
                                      {L"3D", L"RightAlpha", Decimal(d3.rightAlpha)},
                                      {L"3D", L"RightBeta", Decimal(d3.rightBeta)},
                                      {L"3D", L"FBM", Decimal(sound3D.FbmButton())},
                                      {L"3D", L"3DEN", Decimal(sound3D.Enabled())},
                                      {L"3D", L"3DFromEEPROM", Decimal(sound3D.FromEeprom())},
                                      {L"Effect", L"CurrentEffect", Decimal(features_.effects.SelectedEffect())},
                                  });
    const SpeakerPositions& positions = features_.virtual71.Positions();
    for (const SpeakerKey& speaker : kSpeakersAsWritten) {
        const SpeakerPosition& at = positions.at(static_cast<std::size_t>(speaker.speaker));
        entries.push_back({L"Virtual7ch1", speaker.key, Decimal(at.left) + L"," + Decimal(at.top)});
    }
    const NoiseAndVoice& voice = features_.noiseAndVoice;
    entries.insert(entries.end(), {
                                      {L"Virtual7ch1", L"7ch1EN", Decimal(features_.virtual71.Enabled())},
                                      {L"LED", L"LEDON", Decimal(features_.led.LineOn())},
                                  });
    for (const auto& [key, value] : features_.led.KeyValues())
        entries.push_back({L"LED", key, value});
    entries.insert(entries.end(), {
                                      {L"ENC", L"ENCEN", Decimal(voice.EncOn() ? 1 : 0)},
                                      {L"ENC", L"ENCValue", Decimal(voice.EncLevel())},
                                      {L"VoiceMagic", L"VoiceMagicEN", Decimal(voice.VoiceOn() ? 1 : 0)},
                                      {L"VoiceMagic", L"VoiceMagicMode", Decimal(voice.VoiceEffect())},
                                  });
    equalizer.SetProfileWriting(false);

    // Written whole beside the target, then put in its place: a crash part-way leaves the old profile,
    // never one whose later keys are missing.
    ports::FileSystem& files = device_.platform.files;
    const std::wstring partial = path + L".partial";
    files.RemoveFile(partial);
    for (const ProfileEntry& entry : entries) {
        if (SaveIniKey(device_.platform.profile, partial, entry.section, entry.key, entry.value) != 0) {
            files.RemoveFile(partial);
            return false;
        }
    }
    if (files.MoveReplacing(partial, path))
        return true;
    files.RemoveFile(partial);
    return false;
}

ProfileReadResult Profiles::ReadProfile(const std::wstring& path)
{
    const ProfileReader read(device_.platform.profile, path);
    Equalizer& equalizer = features_.equalizer;
    Sound3D& sound3D = features_.sound3D;
    Virtual71& virtual71 = features_.virtual71;

    if (!device_.Active())
        device_.state.synchronization = false;
    equalizer.SetFromEeprom(read.ZeroIfEmpty(L"EQ", L"EQFromEEPROM"));
    for (int preset = 1; preset <= kEqPresets; ++preset) {
        std::array<std::wstring, kPresetFieldCount> fields;
        SplitIniList(read.Text(L"EQ", kPresetKeys[preset - 1]), fields);
        if (!equalizer.ApplyPresetFields(fields, preset - 1, equalizer.CurrentPreset() - 1))
            return StoppedAt(L"EQ", kPresetKeys[preset - 1]);
    }
    const int eqEnabled = read.ZeroIfEmpty(L"EQ", L"EQEN");
    equalizer.SetEnabledFromProfile(eqEnabled);
    equalizer.HardwareEnable(eqEnabled);
    equalizer.SendOnOff(eqEnabled);

    const std::optional<int> virtualEnabled = read.Required(L"Virtual7ch1", L"7ch1EN");
    if (!virtualEnabled)
        return StoppedAt(L"Virtual7ch1", L"7ch1EN");
    virtual71.SetEnabled(*virtualEnabled);

    int d3Enabled = read.ZeroIfEmpty(L"3D", L"3DEN");
    if (sound3D.ExclusiveWithVirtual() && virtual71.Enabled() != 0)
        d3Enabled = 0;
    sound3D.SetEnabledFromProfile(d3Enabled);
    sound3D.SendOnOff(sound3D.Enabled());
    sound3D.SetFromEeprom(read.ZeroIfEmpty(L"3D", L"3DFromEEPROM"));

    const std::optional<int> effect = read.Required(L"Effect", L"CurrentEffect");
    if (!effect)
        return StoppedAt(L"Effect", L"CurrentEffect");
    features_.effects.SelectEffect(*effect);

    virtual71.RememberProfileSwitch(virtual71.Enabled());
    SpeakerPositions positions = virtual71.Positions();
    for (const int speaker : {0, 1, 2, 3, 4, 5, 6, 7}) {
        const wchar_t* key = nullptr;
        for (const SpeakerKey& named : kSpeakersAsWritten)
            if (named.speaker == speaker)
                key = named.key;
        std::array<std::wstring, 2> fields;
        SplitIniList(read.Text(L"Virtual7ch1", key), fields);
        long long left = 0;
        long long top = 0;
        if (!ParsePresetField(fields[0], left) || !ParsePresetField(fields[1], top))
            return StoppedAt(L"Virtual7ch1", key);
        positions.at(static_cast<std::size_t>(speaker)) = {static_cast<int>(left), static_cast<int>(top)};
    }
    virtual71.LoadLayout(positions);

    rememberedPath_ = path;
    LedLighting& led = features_.led;
    led.SetLineOn(read.Kept(L"LED", L"LEDON", led.LineOn()));
    led.ApplyLineState();
    led.ReadKeys([&read](const wchar_t* key) { return read.Text(L"LED", key); });
    led.ApplyPage();

    features_.noiseAndVoice.NoiseCancellationFromRegistry();
    features_.noiseAndVoice.VoiceEffectFromRegistry();
    return {};
}

bool Profiles::DeviceReachable() const
{
    return device_.OpenHid() != nullptr;
}

std::wstring Profiles::SaveFolder()
{
    device_.platform.files.CreateFolder(locations_.userFolder);
    return locations_.userFolder;
}

std::wstring Profiles::LoadFolder()
{
    std::wstring last;
    GetIniKey(device_.platform.profile, locations_.configFile, L"LastINI", L"Path", last, kValueCapacity);
    return last.empty() ? SaveFolder() : FolderOf(last);
}

std::wstring Profiles::WithIniExtension(const std::wstring& chosen)
{
    return chosen.find(L".ini") == std::wstring::npos ? chosen + L".ini" : chosen;
}

bool Profiles::SaveAs(const std::wstring& chosen)
{
    const std::wstring path = WithIniExtension(chosen);
    const bool written = WriteProfile(path);
    SaveIniKey(device_.platform.profile, locations_.configFile, L"LastINI", L"Path", path);
    return written;
}

std::optional<ProfileReadResult> Profiles::LoadDefaultProfile()
{
    if (!device_.platform.files.FileExists(locations_.defaultProfile))
        return std::nullopt;
    return ReadProfile(locations_.defaultProfile);
}

bool Profiles::ReadArrivalDefaults()
{
    if (!device_.platform.files.FileExists(locations_.defaultProfile))
        return false;
    const ProfileReader read(device_.platform.profile, locations_.defaultProfile);
    features_.equalizer.SetDefaultProfileSwitch(read.ZeroIfEmpty(L"EQ", L"EQEN"));
    features_.sound3D.SetDefaultProfileSwitch(read.ZeroIfEmpty(L"3D", L"3DEN"));
    features_.virtual71.SetDefaultProfileSwitch(read.ZeroIfEmpty(L"Virtual7ch1", L"7ch1EN"));
    return true;
}

std::optional<ProfileReadResult> Profiles::LoadLastProfile()
{
    if (!device_.platform.files.FileExists(locations_.lastProfile))
        return std::nullopt;
    return ReadProfile(locations_.lastProfile);
}

bool Profiles::SaveLastProfile()
{
    device_.platform.files.CreateFolder(FolderOf(locations_.lastProfile));
    return WriteProfile(locations_.lastProfile);
}

} // namespace sound
