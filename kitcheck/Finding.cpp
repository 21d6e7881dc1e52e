#include "kitcheck/Finding.h"

namespace kitcheck {

const wchar_t* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return L"error";
    case Severity::Warning:
        return L"warning";
    case Severity::Note:
        break;
    }
    return L"note";
}

void Findings::Add(Severity severity, const Place& place, std::wstring message)
{
    all_.push_back({severity, place.file, place.section, place.key, place.line, std::move(message)});
}

} // namespace kitcheck
