#pragma once
// One mistake found in a kit: where it is (file relative to the kit, section, key, line) and what the
// panel or the installer will make of it.

#include <string>
#include <vector>

namespace kitcheck {

// Error: the panel or the installer misbehaves. Warning: likely a mistake. Note: worth knowing.
enum class Severity { Note, Warning, Error };

const wchar_t* SeverityName(Severity severity);

struct Finding {
    Severity severity = Severity::Note;
    std::wstring file; // relative to the kit folder, "\" separated; empty for the kit itself
    std::wstring section;
    std::wstring key;
    int line = 0; // 1-based; 0 when the finding has no line
    std::wstring message;

    bool operator==(const Finding&) const = default;
};

// Where the next findings belong; the checks fill in the rest.
struct Place {
    std::wstring file;
    std::wstring section;
    std::wstring key;
    int line = 0;
};

class Findings {
public:
    void Add(Severity severity, const Place& place, std::wstring message);
    void Error(const Place& place, std::wstring message) { Add(Severity::Error, place, std::move(message)); }
    void Warning(const Place& place, std::wstring message) { Add(Severity::Warning, place, std::move(message)); }
    void Note(const Place& place, std::wstring message) { Add(Severity::Note, place, std::move(message)); }

    const std::vector<Finding>& All() const { return all_; }

private:
    std::vector<Finding> all_;
};

} // namespace kitcheck
