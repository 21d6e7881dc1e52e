#include "kitcheck/Report.h"

namespace kitcheck {

namespace {

std::wstring Plural(std::size_t count, const wchar_t* word)
{
    return std::to_wstring(count) + L" " + word + (count == 1 ? L"" : L"s");
}

std::wstring JsonString(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (const wchar_t c : text) {
        switch (c) {
        case L'"':
            out += L"\\\"";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\t':
            out += L"\\t";
            break;
        default:
            if (c < 0x20) {
                static constexpr wchar_t kHex[] = L"0123456789abcdef";
                out += L"\\u00";
                out += kHex[(c >> 4) & 0xF];
                out += kHex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + L"\"";
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::vector<Finding> ApplyStrict(std::vector<Finding> findings)
{
    for (Finding& finding : findings)
        if (finding.severity == Severity::Warning)
            finding.severity = Severity::Error;
    return findings;
}

Summary Summarize(const std::vector<Finding>& findings)
{
    Summary summary;
    for (const Finding& finding : findings) {
        switch (finding.severity) {
        case Severity::Error:
            ++summary.errors;
            break;
        case Severity::Warning:
            ++summary.warnings;
            break;
        case Severity::Note:
            ++summary.notes;
            break;
        }
    }
    return summary;
}

int ExitCode(const Summary& summary)
{
    if (summary.errors > 0)
        return kExitErrors;
    return summary.warnings > 0 ? kExitWarnings : kExitClean;
}

std::wstring SummaryLine(const Summary& summary)
{
    return L"kit check: " + Plural(summary.errors, L"error") + L", " + Plural(summary.warnings, L"warning") + L", " +
           Plural(summary.notes, L"note") + L"\n";
}

std::wstring TextReport(const std::vector<Finding>& findings)
{
    std::wstring out;
    for (const Finding& finding : findings) {
        out += finding.file.empty() ? L"(kit)" : finding.file;
        if (finding.line > 0)
            out += L":" + std::to_wstring(finding.line);
        out += L": " + std::wstring(SeverityName(finding.severity)) + L": ";
        if (!finding.section.empty())
            out += L"[" + finding.section + L"] ";
        if (!finding.key.empty())
            out += finding.key + L": ";
        out += finding.message + L"\n";
    }
    return out + SummaryLine(Summarize(findings));
}

std::wstring JsonReport(const std::wstring& kitFolder, const std::vector<Finding>& findings)
{
    const Summary summary = Summarize(findings);
    std::wstring out = L"{\n  \"kit\": " + JsonString(kitFolder) + L",\n  \"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += std::wstring(i == 0 ? L"\n" : L",\n") + L"    {\"severity\": " + JsonString(SeverityName(f.severity)) +
               L", \"file\": " + JsonString(f.file) + L", \"section\": " + JsonString(f.section) + L", \"key\": " +
               JsonString(f.key) + L", \"line\": " + std::to_wstring(f.line) + L", \"message\": " +
               JsonString(f.message) + L"}";
    }
    out += findings.empty() ? L"],\n" : L"\n  ],\n";
    out += L"  \"errors\": " + std::to_wstring(summary.errors) + L",\n  \"warnings\": " +
           std::to_wstring(summary.warnings) + L",\n  \"notes\": " + std::to_wstring(summary.notes) +
           L",\n  \"exitCode\": " + std::to_wstring(ExitCode(summary)) + L"\n}\n";
    return out;
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
            text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace kitcheck
