#pragma once
// The checker's answer: one line per finding and a summary line, or one JSON document; and the exit
// code, 0 clean, 1 warnings only, 2 errors.

#include "kitcheck/Finding.h"

#include <string>
#include <vector>

namespace kitcheck {

inline constexpr int kExitClean = 0;
inline constexpr int kExitWarnings = 1;
inline constexpr int kExitErrors = 2;

struct Summary {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};

// With `strict`, every warning becomes an error.
std::vector<Finding> ApplyStrict(std::vector<Finding> findings);

Summary Summarize(const std::vector<Finding>& findings);
int ExitCode(const Summary& summary);

// "file:line: severity: [section] key: message" per finding, then the summary line.
std::wstring TextReport(const std::vector<Finding>& findings);
std::wstring SummaryLine(const Summary& summary);
std::wstring JsonReport(const std::wstring& kitFolder, const std::vector<Finding>& findings);

// UTF-16 (or UTF-32 wchar_t) text as UTF-8 bytes.
std::string ToUtf8(const std::wstring& text);

} // namespace kitcheck
