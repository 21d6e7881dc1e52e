#pragma once
// The section reader: loads a whole INI file, decodes it from one of six encodings and offers its
// sections for enumeration. It only reads; values are written through the key layer (IniKeys.h).
// Names are compared exactly: case-sensitive, code unit by code unit, untrimmed.

#include "common/IniTextDecoding.h"
#include "common/ports/FileSystem.h"

#include <memory_resource>
#include <string>
#include <vector>

namespace REGINI_MGR {

// Results of CIniMgr::OpenFromFile, numbered in the order of the loading steps.
inline constexpr int kIniOpenOk = 0;
inline constexpr int kIniOpenCannotOpen = 1;
inline constexpr int kIniOpenNoLength = 2;
inline constexpr int kIniOpenNoMemory = 3;
inline constexpr int kIniOpenReadFailed = 4;
inline constexpr int kIniOpenCannotDecode = 5;
inline constexpr int kIniOpenNoSection = 6;

struct VALUE_NAME_DEFINE {
    std::wstring name;
    std::wstring value;

    bool operator==(const VALUE_NAME_DEFINE&) const = default;
};

// The entries of one section, in file order, duplicates kept.
class CIniSection {
public:
    // Parses raw lines: comments (";") and empty lines are skipped, a header line sets the name, any
    // other line is split at its first "=" into name and value, neither trimmed.
    void Parse(const std::vector<std::wstring>& rawLines);

    const std::wstring& Name() const { return name_; }
    const std::vector<VALUE_NAME_DEFINE>& Values() const { return values_; }

private:
    std::wstring name_;
    std::vector<VALUE_NAME_DEFINE> values_;
};

// One section as found in the file: its header's name, its raw lines (the header first) and their parse.
class CIniSectionDefine {
public:
    CIniSectionDefine(std::wstring name, std::wstring headerLine);

    void AddRawLine(std::wstring line) { rawLines_.push_back(std::move(line)); }
    void ParseRawLines() { section_.Parse(rawLines_); }

    const std::wstring& Name() const { return name_; }
    const CIniSection& Section() const { return section_; }
    const std::vector<std::wstring>& RawLines() const { return rawLines_; }

private:
    std::wstring name_;
    CIniSection section_;
    std::vector<std::wstring> rawLines_;
};

class CIniMgr {
public:
    // `files` must outlive the manager. The lists of lines and of section definitions take their storage
    // from `listMemory`, which must outlive the manager too; running out of it is reported like any
    // other lack of memory.
    explicit CIniMgr(const ports::FileSystem& files,
                     std::pmr::memory_resource* listMemory = std::pmr::get_default_resource());
    CIniMgr(const CIniMgr&) = delete;
    CIniMgr& operator=(const CIniMgr&) = delete;
    ~CIniMgr();

    // Loads, decodes and parses the whole file, replacing the previous content; kIniOpen* result.
    // Results 1-4 keep the previous content; after 5 there are no sections; after 6 the sections built
    // before the failure remain.
    int OpenFromFile(const std::wstring& path);
    void Clear();

    bool HasSection(const std::wstring& name) const;
    // The entry names of the first section called `section`, in file order; `names` is left untouched
    // when there is no such section.
    void GetValueNames(const std::wstring& section, std::vector<std::wstring>& names) const;
    // The value of the first entry `key` of the first section `section`; empty when either is missing.
    std::wstring GetValue(const std::wstring& section, const std::wstring& key) const;

    // Read-only views of the last load; copies, never references into the manager.
    IniEncoding Encoding() const { return encoding_; }
    std::wstring Path() const { return path_; }
    std::vector<std::wstring> Lines() const;
    std::vector<std::wstring> SectionNames() const;
    std::size_t SectionCount() const { return sections_.size(); }
    CIniSectionDefine SectionAt(std::size_t index) const { return sections_.at(index); }

private:
    void SplitLines(const std::wstring& text);
    void BuildSections();
    const CIniSectionDefine* FindSection(const std::wstring& name) const;

    const ports::FileSystem& files_;
    IniEncoding encoding_ = IniEncoding::Ansi;
    std::wstring path_;
    std::pmr::vector<std::wstring> lines_;
    std::pmr::vector<CIniSectionDefine> sections_;
};

} // namespace REGINI_MGR
