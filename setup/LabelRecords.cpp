#include "setup/LabelRecords.h"

#include "common/Text.h"

#include <limits>
#include <vector>

namespace setup {

namespace {

constexpr std::size_t kLabelItems = 9;
constexpr std::size_t kValueCapacity = 1024;

std::vector<std::wstring> SplitOnEveryComma(const std::wstring& value)
{
    std::vector<std::wstring> items;
    std::size_t start = 0;
    for (;;) {
        const auto comma = value.find(L',', start);
        items.push_back(value.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (comma == std::wstring::npos)
            return items;
        start = comma + 1;
    }
}

} // namespace

std::optional<int> StrictInteger(const std::wstring& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexDigitValue(text[i]) : (text[i] >= L'0' && text[i] <= L'9' ? text[i] - L'0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        // Hexadecimal may fill all 32 bits (colours); decimal must fit a signed 32-bit integer.
        const long long limit = base == 16 ? 0xFFFFFFFFLL : std::numeric_limits<int>::max() + (negative ? 1LL : 0LL);
        if (value > limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::wstring ConversionErrorText(const std::wstring& item)
{
    return L"'" + item + L"' is not a valid integer value";
}

std::optional<std::wstring> StoreLabelValue(const std::wstring& value, SetupLabelRecord& record)
{
    const std::vector<std::wstring> items = SplitOnEveryComma(value);
    record.text = CutText(items[0], kSetupLabelTextChars);
    std::optional<int>* const numbers[kLabelItems] = {nullptr,        &record.colour, &record.spare,
                                                      nullptr,        &record.fontSize, &record.left,
                                                      &record.top,    &record.width,  &record.height};
    for (std::size_t i = 1; i < items.size() && i < kLabelItems; ++i) {
        if (items[i].empty())
            continue;
        if (i == 3) {
            record.fontName = CutText(items[i], kSetupFontNameChars);
            continue;
        }
        const std::optional<int> number = StrictInteger(items[i]);
        if (!number)
            return items[i];
        *numbers[i] = number;
    }
    return std::nullopt;
}

std::optional<std::wstring> LoadSetupLabels(const ports::PrivateProfile& profile, const std::wstring& languageFile,
                                            SetupLabelRecords& records)
{
    for (std::size_t i = 0; i < kSetupLabelCount; ++i) {
        const std::wstring value = profile.GetString(languageFile, L"Setup", kSetupLabelKeys[i], L"", kValueCapacity);
        if (auto bad = StoreLabelValue(value, records[i]))
            return bad;
    }
    return std::nullopt;
}

} // namespace setup
