#include "common/Inifilemanager.h"

#include "common/Text.h"

#include <new>
#include <span>

namespace REGINI_MGR {

namespace {

bool IsHeaderLine(std::wstring_view line)
{
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

std::wstring_view HeaderName(std::wstring_view line)
{
    return line.substr(1, line.size() - 2);
}

bool IsSkippedLine(std::wstring_view line)
{
    return line.empty() || line.front() == L';';
}

} // namespace

void CIniSection::Parse(const std::vector<std::wstring>& rawLines)
{
    for (const std::wstring& rawLine : rawLines) {
        const std::wstring_view line = TrimChars(TrimChars(TrimChars(rawLine, L" "), L"\r"), L"\n");
        if (IsSkippedLine(line))
            continue;
        if (IsHeaderLine(line)) {
            name_ = HeaderName(line);
            continue;
        }
        const auto equals = line.find(L'=');
        if (equals == std::wstring_view::npos || equals == 0)
            continue;
        values_.push_back({std::wstring(line.substr(0, equals)), std::wstring(line.substr(equals + 1))});
    }
}

CIniSectionDefine::CIniSectionDefine(std::wstring name, std::wstring headerLine) : name_(std::move(name))
{
    rawLines_.push_back(std::move(headerLine));
}

CIniMgr::CIniMgr(const ports::FileSystem& files, std::pmr::memory_resource* listMemory)
    : files_(files), lines_(listMemory), sections_(listMemory)
{
}

CIniMgr::~CIniMgr()
{
    Clear();
}

void CIniMgr::Clear()
{
    lines_.clear();
    sections_.clear();
}

int CIniMgr::OpenFromFile(const std::wstring& path)
{
    path_ = path;
    ports::FileBytes file;
    try {
        file = files_.ReadAll(path);
    } catch (const std::bad_alloc&) {
        return kIniOpenNoMemory;
    }
    switch (file.status) {
    case ports::ReadStatus::Ok:
        break;
    case ports::ReadStatus::CannotOpen:
        return kIniOpenCannotOpen;
    case ports::ReadStatus::NoLength:
        return kIniOpenNoLength;
    case ports::ReadStatus::NoMemory:
        return kIniOpenNoMemory;
    case ports::ReadStatus::ReadFailed:
        return kIniOpenReadFailed;
    }

    // Only a completely read file replaces the previous content.
    Clear();
    const DetectedEncoding detected = DetectIniEncoding(file.bytes);
    encoding_ = detected.encoding;
    try {
        const std::optional<std::wstring> text =
            DecodeIniText(std::span<const std::uint8_t>(file.bytes).subspan(detected.markBytes), encoding_);
        if (!text)
            return kIniOpenCannotDecode;
        SplitLines(*text);
    } catch (const std::bad_alloc&) {
        return kIniOpenCannotDecode;
    }

    try {
        BuildSections();
    } catch (const std::bad_alloc&) {
        return kIniOpenNoSection;
    }
    return kIniOpenOk;
}

void CIniMgr::SplitLines(const std::wstring& text)
{
    // LF alone separates; runs of LF give no empty lines. Spaces are trimmed before CR, so "[A]  \r" keeps
    // its spaces and is no header.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start) {
            const std::wstring_view segment(text.data() + start, end - start);
            lines_.emplace_back(TrimChars(TrimChars(segment, L" "), L"\r"));
        }
        start = end + 1;
    }
}

void CIniMgr::BuildSections()
{
    // Lines before the first header belong to no section and are dropped.
    bool inSection = false;
    for (const std::wstring& line : lines_) {
        if (IsSkippedLine(line))
            continue;
        if (IsHeaderLine(line)) {
            sections_.emplace_back(std::wstring(HeaderName(line)), line);
            inSection = true;
        } else if (inSection) {
            sections_.back().AddRawLine(line);
        }
    }
    for (CIniSectionDefine& definition : sections_)
        definition.ParseRawLines();
}

const CIniSectionDefine* CIniMgr::FindSection(const std::wstring& name) const
{
    for (const CIniSectionDefine& definition : sections_)
        if (definition.Name() == name)
            return &definition;
    return nullptr;
}

bool CIniMgr::HasSection(const std::wstring& name) const
{
    return FindSection(name) != nullptr;
}

void CIniMgr::GetValueNames(const std::wstring& section, std::vector<std::wstring>& names) const
{
    const CIniSectionDefine* definition = FindSection(section);
    if (definition == nullptr)
        return;
    names.clear();
    for (const VALUE_NAME_DEFINE& entry : definition->Section().Values())
        names.push_back(entry.name);
}

std::wstring CIniMgr::GetValue(const std::wstring& section, const std::wstring& key) const
{
    if (key.empty())
        return {};
    const CIniSectionDefine* definition = FindSection(section);
    if (definition == nullptr)
        return {};
    for (const VALUE_NAME_DEFINE& entry : definition->Section().Values())
        if (entry.name == key)
            return entry.value;
    return {};
}

std::vector<std::wstring> CIniMgr::Lines() const
{
    return {lines_.begin(), lines_.end()};
}

std::vector<std::wstring> CIniMgr::SectionNames() const
{
    std::vector<std::wstring> names;
    for (const CIniSectionDefine& definition : sections_)
        names.push_back(definition.Name());
    return names;
}

} // namespace REGINI_MGR
